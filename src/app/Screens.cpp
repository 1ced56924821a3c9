#include "app/Screens.h"

#include "battle/BattleScreen.h"
#include "dungeon/MazeScreen.h"
#include "items/StatusWindow.h"

#include "town/CastleScreen.h"
#include "town/FortuneScreen.h"
#include "town/InnScreen.h"
#include "town/ShopScreen.h"
#include "town/TavernScreen.h"
#include "town/TempleScreen.h"
#include "town/TrainingScreen.h"

namespace kv {

void InstallScreens(ScreenContext& context) {
    InstallStatusWindow(context);
    InstallCastleScreens(context);
    InstallTavernScreen(context);
    InstallShopScreen(context);
    InstallInnScreen(context);
    InstallTempleScreen(context);
    InstallFortuneScreen(context);
    InstallTrainingScreen(context);
    InstallMazeScreens(context);
    InstallBattleScreen(context);
}

}  // namespace kv
