#include "town/CastleScreen.h"

#include <array>
#include <string_view>

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

// Facilities whose screens are not built yet say so instead of doing nothing.
constexpr std::string_view NotYetOpen = "ここはまだ準備中です。";

enum CastleRow { Tavern, Inn, Shop, Temple, FortuneTeller, ToEdgeOfTown };
enum EdgeRow { Training, Resume, Dungeon, Config, EndGame, ToCastle };

void ShowEdgeOfTown(TownScreens& town) {
    town.Music.PlayScene(SceneOutskirts);
    town.Main.SetCommandMenu(MenuStates::EdgeOfTown);
}

}  // namespace

void ShowCastle(TownScreens& town) {
    town.Music.PlayScene(SceneCastle);
    town.Main.SetCommandMenu(MenuStates::Castle);
    town.Main.RefreshPartyPanel();
}

void InstallCastleMenus(TownScreens& town) {
    town.Main.SetMenuHandler(MenuStates::Castle, [&town](int row) {
        if (row == ToEdgeOfTown) {
            ShowEdgeOfTown(town);
        } else {
            town.Messages.ShowDialog(NotYetOpen, 2);
        }
    });
    town.Main.SetMenuHandler(MenuStates::EdgeOfTown, [&town](int row) {
        switch (row) {
            case EndGame:
                town.EndGame();
                break;
            case ToCastle:
                ShowCastle(town);
                break;
            default:
                town.Messages.ShowDialog(NotYetOpen, 2);
                break;
        }
    });
}

}  // namespace kv
