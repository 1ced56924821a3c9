#include "town/TavernScreen.h"

#include <string_view>

#include "character/Party.h"
#include "core/CommandMenus.h"
#include "town/CastleScreen.h"
#include "town/CharacterListWindow.h"
#include "town/CharacterSheet.h"
#include "town/QuestWindow.h"
#include "ui/MainWindow.h"

namespace kv {

namespace {

enum TavernRow { Join, Remove, Inspect, Share, Quests, ToCastle };

constexpr std::string_view PartyFull = "これ以上メンバーを増やせません";
constexpr std::string_view NoPartyForQuests = "パーティを組んでいません";

class TavernScreen : public Screen {
  public:
    explicit TavernScreen(ScreenContext& context) : context_(context) {}

    void CarryOut(int row) override {
        Game& game = context_.TheGame;
        Player& player = context_.ThePlayer;
        switch (row) {
            case Join:
                if (game.PartyCount >= MaxPartySize) {
                    player.Message(PartyFull);
                    break;
                }
                ChooseCharacter(context_, static_cast<int>(RosterListMode::Join));
                context_.Main.RefreshPartyPanel();
                break;
            case Remove:
            case Inspect:
                if (!RefuseEmptyParty(game, player)) context_.Main.BeginPartySelection();
                break;
            case Share:
                if (RefuseEmptyParty(game, player)) break;
                ShareGold(game, player);
                context_.Main.RefreshPartyPanel();
                context_.Save();
                break;
            case Quests:
                if (game.PartyCount == 0) {
                    player.Message(NoPartyForQuests);
                } else {
                    OpenQuests(context_);
                }
                break;
            case ToCastle:
                ShowCastle(context_);
                break;
            default:
                break;
        }
    }

    void MemberChosen() override {
        Game& game = context_.TheGame;
        MainWindow& main = context_.Main;
        const int row = main.lstCommandList.ListIndex();
        main.EndPartySelection();
        if (row == Remove) {
            LeaveParty(game, game.CurrentChar);
        } else if (row == Inspect) {
            if (context_.ShowStatus) context_.ShowStatus(game.CurrentChar, false);
        } else {
            return;
        }
        main.RefreshPartyPanel();
        main.SetCommandMenu(MenuStates::Tavern, row);
    }

    void PartySelectionLeft() override {
        MainWindow& main = context_.Main;
        const int row = main.lstCommandList.ListIndex();
        if (row != Remove && row != Inspect) return;
        main.EndPartySelection();
        main.lstCommandList.Enabled = true;
        main.lstCommandList.SetFocus();
    }

  private:
    ScreenContext& context_;
};

}  // namespace

void InstallTavernScreen(ScreenContext& context) {
    context.Install<TavernScreen>(MenuStates::Tavern, context);
}

}  // namespace kv
