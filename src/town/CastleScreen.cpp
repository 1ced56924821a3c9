#include "town/CastleScreen.h"

#include "character/Party.h"
#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "town/CastleReturn.h"
#include "town/CharacterListWindow.h"
#include "ui/FileOpenWindow.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"
#include "ui/SettingsWindow.h"

namespace kv {

namespace {

enum CastleRow { Tavern, Inn, Shop, Temple, FortuneTeller, ToEdgeOfTown };
enum EdgeRow { Training, Resume, Dungeon, Config, EndGame, ToCastle };

class CastleScreen : public Screen {
  public:
    explicit CastleScreen(ScreenContext& context) : context_(context) {}

    void CarryOut(int row) override {
        Game& game = context_.TheGame;
        Player& player = context_.ThePlayer;
        switch (row) {
            case Tavern:
                context_.Music.PlayScene(SceneTavern);
                context_.Main.SetCommandMenu(MenuStates::Tavern);
                break;
            case Inn:
                if (!RefuseEmptyParty(game, player)) context_.Open(MenuStates::Inn);
                break;
            case Shop:
                if (!RefuseEmptyParty(game, player)) context_.Open(MenuStates::Shop);
                break;
            case Temple:
                if (!RefuseEmptyParty(game, player)) context_.Open(MenuStates::Temple);
                break;
            case FortuneTeller:
                context_.Open(MenuStates::FortuneTeller);
                break;
            case ToEdgeOfTown:
                ShowEdgeOfTown(context_);
                break;
            default:
                break;
        }
    }

  private:
    ScreenContext& context_;
};

class EdgeOfTownScreen : public Screen {
  public:
    explicit EdgeOfTownScreen(ScreenContext& context)
        : context_(context), chooser_(context.Windows) {}

    void CarryOut(int row) override {
        switch (row) {
            case Training:
                ToTrainingGrounds();
                break;
            case Resume:
                ResumeTrip();
                break;
            case Dungeon:
                ToMazeChoice();
                break;
            case Config:
                OpenSettingsWindow(context_, chooser_);
                break;
            case EndGame:
                context_.EndGame();
                break;
            case ToCastle:
                context_.TheGame.CurrentPlace = 1;
                ShowCastle(context_);
                break;
            default:
                break;
        }
    }

  private:
    // A party left in the maze: one of its members is chosen, the maze
    // takes the whole party back.
    void ResumeTrip() {
        const int slot = ChooseCharacter(context_, static_cast<int>(RosterListMode::Resume));
        if (slot < 1) return;
        if (!context_.ResumeAdventure) {
            ScreenContext::NotInstalled("the maze's resumption");
            return;
        }
        context_.ResumeAdventure(slot);
    }

    void ToMazeChoice() {
        if (RefuseEmptyParty(context_.TheGame, context_.ThePlayer)) return;
        context_.Open(MenuStates::MazeChoice);
    }

    // Nobody is a party member at the training grounds.
    void ToTrainingGrounds() {
        DissolveParty(context_.TheGame);
        context_.Main.RefreshPartyPanel();
        context_.Music.PlayScene(SceneTraining);
        context_.Open(MenuStates::TrainingGrounds);
    }

    ScreenContext& context_;
    // Kept for the run, so the chooser opens where it was last left.
    FileOpenWindow chooser_;
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

void ReturnToCastle(ScreenContext& context) {
    ReturnToCastle(context.TheGame, context.ThePlayer, context.TheDisplay);
}

void InstallCastleScreens(ScreenContext& context) {
    context.Install<CastleScreen>(MenuStates::Castle, context);
    context.Install<EdgeOfTownScreen>(MenuStates::EdgeOfTown, context);
    // Coming home: the maze and battle screens hide their displays as they leave.
    context.TheDisplay.ShowCastleMenu = [&context] {
        ShowCastle(context);
        context.Main.SetCaption(MainWindow::TownCaption);
    };
}

}  // namespace kv
