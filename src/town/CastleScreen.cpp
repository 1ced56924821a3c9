#include "town/CastleScreen.h"

#include <string_view>

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

// Facilities whose screens are not built yet say so instead of doing nothing.
constexpr std::string_view NotYetOpen = "ここはまだ準備中です。";

enum CastleRow { Tavern, Inn, Shop, Temple, FortuneTeller, ToEdgeOfTown };
enum EdgeRow { Training, Resume, Dungeon, Config, EndGame, ToCastle };

class CastleScreen : public Screen {
  public:
    explicit CastleScreen(ScreenContext& context) : context_(context) {}

    void CarryOut(int row) override {
        if (row == ToEdgeOfTown) {
            ShowEdgeOfTown(context_);
        } else {
            context_.ThePlayer.Message(NotYetOpen);
        }
    }

  private:
    ScreenContext& context_;
};

class EdgeOfTownScreen : public Screen {
  public:
    explicit EdgeOfTownScreen(ScreenContext& context) : context_(context) {}

    void CarryOut(int row) override {
        switch (row) {
            case EndGame:
                context_.EndGame();
                break;
            case ToCastle:
                ShowCastle(context_);
                break;
            default:
                context_.ThePlayer.Message(NotYetOpen);
                break;
        }
    }

  private:
    ScreenContext& context_;
};

}  // namespace

void ShowCastle(ScreenContext& context) {
    context.Music.PlayScene(SceneCastle);
    context.Main.SetCommandMenu(MenuStates::Castle);
    context.Main.RefreshPartyPanel();
}

void ShowEdgeOfTown(ScreenContext& context) {
    context.Music.PlayScene(SceneOutskirts);
    context.Main.SetCommandMenu(MenuStates::EdgeOfTown);
}

void InstallCastleScreens(ScreenContext& context) {
    context.Install<CastleScreen>(MenuStates::Castle, context);
    context.Install<EdgeOfTownScreen>(MenuStates::EdgeOfTown, context);
}

}  // namespace kv
