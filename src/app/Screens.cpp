#include "app/Screens.h"

#include "town/CastleScreen.h"
#include "town/TavernScreen.h"

namespace kv {

void InstallScreens(ScreenContext& context) {
    InstallCastleScreens(context);
    InstallTavernScreen(context);
}

}  // namespace kv
