#include "dungeon/PersonPanel.h"

#include <array>
#include <cmath>

#include "dungeon/Person.h"
#include "platform/Keys.h"
#include "ui/MainWindow.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

enum PersonRow { TalkRow, GiveRow, BuyRow, SellRow, LeaveRow };

constexpr std::array<std::string_view, 5> PersonRows = {"T)話　す", "G)渡　す", "B)買　う",
                                                        "S)売　る", "L)立　ち　去　る"};
constexpr std::string_view BuyHeading = "何を買いますか？（ＥＳＣ　ＯｒＢＳで抜ける）";
constexpr std::string_view TopicPrompt = "何を話す？";
constexpr std::string_view LeftText = "立ち去った・・・";

constexpr int RowPitch = 16;
constexpr int ListMargin = 20;  // the frame and the space around the rows
constexpr int HeadingHeight = 20;
constexpr int GreetingLeft = 8;
constexpr int GreetingTop = 0;
constexpr int GreetingHeight = 40;

int Scaled(int size, double share) {
    return static_cast<int>(std::lround(size * share));
}

bool IsBackKey(int keyCode) {
    return keyCode == Key::Escape || keyCode == Key::Back;
}

}  // namespace

PersonPanel::PersonPanel(ScreenContext& context) : context_(context) {
    MainWindow& main = context.Main;
    for (PanelEx* panel : {&fraNPC, &fraNPCBuy}) {
        panel->BackStyle = PanelEx::BackSeeThrough;
        panel->Visible = false;
        main.Add(*panel);
    }

    StyleMenuList(lstNPC);
    // The command letters carry their row out at once.
    lstNPC.AccessKeyEnter = true;
    for (std::string_view row : PersonRows) lstNPC.AddItem(row);
    lstNPC.OnEnter = [this] { CarryOut(lstNPC.ListIndex()); };
    lstNPC.OnKeyDown = [this](int& keyCode, int) {
        if (!IsBackKey(keyCode)) return;
        keyCode = 0;
        lstNPC.SetListIndex(LeaveRow);
        CarryOut(LeaveRow);
    };
    fraNPC.Add(lstNPC);

    StyleInfoLabel(lblNPCBuy);
    lblNPCBuy.SetCaption(BuyHeading);
    fraNPCBuy.Add(lblNPCBuy);
    StyleMenuList(lstNPCBuy);
    // The rows begin with full-width digits: no letter jumps to them.
    lstNPCBuy.AccessKeyOn = false;
    lstNPCBuy.OnEnter = [this] { Buy(); };
    lstNPCBuy.OnKeyDown = [this](int& keyCode, int) {
        if (!IsBackKey(keyCode)) return;
        keyCode = 0;
        StopBuying();
    };
    fraNPCBuy.Add(lstNPCBuy);

    StyleMenuList(lstGreeting);
    lstGreeting.AccessKeyOn = false;
    lstGreeting.Visible = false;
    main.Add(lstGreeting);
    LayOut();
}

void PersonPanel::LayOut() {
    const MainWindow& main = context_.Main;
    const int w = main.Width;
    const int h = main.Height;
    const int commandsHeight = static_cast<int>(PersonRows.size()) * RowPitch + ListMargin;
    fraNPC.Move(Scaled(w, 0.6), Scaled(h, 0.25), Scaled(w, 0.39), commandsHeight);
    lstNPC.Move(0, 0, fraNPC.Width, commandsHeight);
    const int waresHeight = WaresOffered * RowPitch + ListMargin;
    fraNPCBuy.Move(Scaled(w, 0.1), Scaled(h, 0.25), Scaled(w, 0.6), HeadingHeight + waresHeight);
    lblNPCBuy.Move(0, 0, fraNPCBuy.Width, HeadingHeight);
    lstNPCBuy.Move(0, HeadingHeight, fraNPCBuy.Width, waresHeight);
    lstGreeting.Move(GreetingLeft, GreetingTop, w - 2 * GreetingLeft, GreetingHeight);
}

void PersonPanel::Open(std::string_view greeting) {
    MainWindow& main = context_.Main;
    open_ = true;
    main.fraParty.Visible = true;
    fraNPC.Visible = true;
    fraNPC.BringToFront();
    lstNPC.Enabled = true;
    lstNPC.SetListIndex(TalkRow);
    lstNPC.SetFocus();

    lstGreeting.Clear();
    lstGreeting.AddItem(greeting);
    lstGreeting.Visible = true;
    lstGreeting.Enabled = false;
    lstGreeting.BringToFront();

    lstNPCBuy.Clear();
    main.picMap.Enabled = false;
    for (const Ware& ware : DrawWares(context_.TheGame)) {
        lstNPCBuy.AddItem(ware.Text);
        lstNPCBuy.SetItemData(lstNPCBuy.NewIndex(), ware.Item);
    }
    LogList(lstGreeting);
    LogList(lstNPC);
}

void PersonPanel::Close() {
    if (!open_) return;
    open_ = false;
    fraNPC.Visible = false;
    fraNPCBuy.Visible = false;
    lstGreeting.Visible = false;
    lstGreeting.Enabled = true;
    lstGreeting.Clear();
    MainWindow& main = context_.Main;
    main.picMap.Enabled = true;
    main.FocusControl(nullptr);
}

void PersonPanel::CarryOut(int row) {
    Game& game = context_.TheGame;
    Player& player = context_.ThePlayer;
    switch (row) {
        case TalkRow:
            game.LastEventResult = TalkAbout(game, player, player.Input(TopicPrompt));
            break;
        case GiveRow:
            GiveToPerson(game, player);
            context_.Main.RefreshPartyPanel();
            break;
        case BuyRow:
            if (RoomToBuy(game, player)) StartBuying();
            break;
        case SellRow:
            SellToPerson(game, player);
            context_.Main.RefreshPartyPanel();
            break;
        case LeaveRow:
            player.Message(LeftText);
            Close();
            break;
        default:
            break;
    }
}

void PersonPanel::StartBuying() {
    fraNPC.Visible = false;
    fraNPCBuy.Visible = true;
    fraNPCBuy.BringToFront();
    lstNPCBuy.SetListIndex(lstNPCBuy.ListCount() > 0 ? 0 : -1);
    lstNPCBuy.SetFocus();
    LogList(lstNPCBuy);
}

void PersonPanel::StopBuying() {
    fraNPCBuy.Visible = false;
    fraNPC.Visible = true;
    lstNPC.SetFocus();
}

void PersonPanel::Buy() {
    const int row = lstNPCBuy.ListIndex();
    if (row < 0) return;
    if (BuyWare(context_.TheGame, context_.ThePlayer, lstNPCBuy.ItemData(row)))
        context_.Main.RefreshPartyPanel();
}

void PersonPanel::LogList(const ListEx& list) {
    std::vector<std::string> rows;
    for (int row = 0; row < list.ListCount(); ++row) rows.push_back(list.List(row));
    context_.Windows.Log().List(list.Name, "", rows, list.ListIndex());
}

}  // namespace kv
