#include "app/Screens.h"

#include "town/CastleScreen.h"
#include "town/CharacterSheet.h"
#include "town/TavernScreen.h"
#include "town/TrainingScreen.h"

namespace kv {

void InstallScreens(ScreenContext& context) {
    // Until the status window is built, a character is shown as a short
    // read-only account in a message.
    context.ShowStatus = [&context](int slot, bool) {
        context.ThePlayer.Message(CharacterSheet(context.TheGame, slot));
    };
    InstallCastleScreens(context);
    InstallTavernScreen(context);
    InstallTrainingScreen(context);
}

}  // namespace kv
