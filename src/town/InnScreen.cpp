#include "town/InnScreen.h"

#include <string>

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "town/CastleScreen.h"
#include "town/Inn.h"
#include "town/TownScreen.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

class InnScreen : public Screen {
  public:
    explicit InnScreen(ScreenContext& context) : context_(context) {}

    bool Open() override {
        context_.Music.PlayScene(SceneInn);
        CommandMenu menu = CommandMenuFor(MenuStates::Inn, context_.TheGame);
        for (int room = 0; room < static_cast<int>(InnRooms.size()); ++room) {
            menu.Rows.push_back(InnRoomRow(room));
        }
        menu.Rows.emplace_back(LeaveInnRow);
        context_.Main.SetCommandMenu(MenuStates::Inn, menu);
        ChooseGuest(1);
        return true;
    }

    void CarryOut(int row) override {
        Game& game = context_.TheGame;
        MainWindow& main = context_.Main;
        const int guest = game.CurrentChar;
        const StayResult result = Stay(game, context_.ThePlayer, guest, row);
        main.RefreshPartyPanel();
        switch (result) {
            case StayResult::Left:
                ChooseGuest(game.PartyCursor);
                return;
            case StayResult::Died:
                context_.Save();
                if (game.PartyCount == 0) {
                    SetTownLabel(main, "");
                    ShowCastle(context_);
                } else {
                    ChooseGuest(1);
                }
                return;
            case StayResult::NextLevel:
                context_.Save();
                // The next member in marching order is offered next.
                ChooseGuest(game.PartyCursor % std::max<int>(game.PartyCount, 1) + 1);
                return;
            case StayResult::LevelledUp:
                context_.Save();
                main.lstCommandList.SetFocus();
                return;
        }
    }

    void MemberChosen() override {
        Game& game = context_.TheGame;
        MainWindow& main = context_.Main;
        const Creature& guest = game.Roster[static_cast<size_t>(game.CurrentChar)];
        if (!MayStay(context_.ThePlayer, guest)) return;
        main.EndPartySelection();
        SetTownLabel(main, "いらっしゃいませ\r" + guest.Name + "　さん\rどの部屋に泊まりますか？");
        main.lstCommandList.Enabled = true;
        main.lstCommandList.SetListIndex(0);
        main.lstCommandList.SetFocus();
    }

    void PartySelectionLeft() override {
        context_.Main.EndPartySelection();
        SetTownLabel(context_.Main, "");
        ShowCastle(context_);
    }

  private:
    void ChooseGuest(int cursor) {
        MainWindow& main = context_.Main;
        main.lstCommandList.SetListIndex(-1);
        SetTownLabel(main, ResString(Str::InnWelcome));
        main.BeginPartySelection(cursor);
    }

    ScreenContext& context_;
};

}  // namespace

void InstallInnScreen(ScreenContext& context) {
    context.Install<InnScreen>(MenuStates::Inn, context);
}

}  // namespace kv
