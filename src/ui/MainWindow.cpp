#include "ui/MainWindow.h"

#include <algorithm>

#include "core/CommandMenus.h"
#include "core/PartyPanel.h"
#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr uint32_t TextColour = Rgb(236, 236, 236);
constexpr uint32_t DimColour = Rgb(176, 188, 220);
constexpr uint32_t PanelBack = Rgb(8, 10, 28);

// Party panel columns: name, class, AC, HP, state (left edge and width).
struct Column {
    int Left;
    int Width;
    Align Alignment;
};
constexpr std::array<Column, 5> Columns = {{
    {16, 232, Align::Left},
    {252, 136, Align::Left},
    {392, 56, Align::Right},
    {456, 80, Align::Right},
    {544, 88, Align::Left},
}};

void StyleRowLabel(Label& label, const Column& column, int top, int height) {
    label.Move(column.Left, top, column.Width, height);
    label.BackStyle = BackMode::Transparent;
    label.Alignment = column.Alignment;
    label.ForeColor = TextColour;
}

}  // namespace

void StyleMenuList(ListEx& list) {
    list.BackColor = PanelBack;
    list.ForeColor = TextColour;
    list.BorderStyle = 2;
    list.SetFrame(GoldFrame(6));
    list.SelectStyle = 2;
    list.GradationColor = Rgb(24, 40, 120);
    list.SelectBackColor = Rgb(64, 96, 200);
}

void StyleInfoLabel(Label& label) {
    label.BackColor = PanelBack;
    label.ForeColor = TextColour;
    label.BackStyle = BackMode::Opaque;
    label.BorderStyle = Border::Single;
}

MainWindow::MainWindow(WindowManager& manager, Game& game)
    : Window(manager), fraReorder(game), game_(game) {
    Name = "frmMain";
    OwnsCaption = true;
    SetCaption(TownCaption);

    // The town picture is read when the window first shows: the title,
    // not the town, is what the player sees first.
    OnActivate = [this, &manager, &game] {
        if (!picMap.Picture().Empty()) return;
        std::optional<Image> town =
            manager.Host().Images().Load((game.DataFolder / "town.jpg").string());
        // Without the scenario's town picture, a quiet night sky behind the menus.
        picMap.SetPicture(town ? std::move(*town)
                               : VerticalGradient(Width, Height, Rgb(15, 18, 87), Rgb(0, 0, 24)));
    };
    Add(picMap);

    fraParty.BackStyle = 1;  // the darkest see-through pattern
    fraParty.BorderStyle = PanelEx::BorderPictures;
    fraParty.SetFrame(GoldFrame(6));
    // The party window takes keys only while a facility asks for a member.
    fraParty.Enabled = false;
    Add(fraParty);
    for (int i = 0; i < PartyRows; ++i) {
        for (auto* labels : {&lblName, &lblClass, &lblAC, &lblHP, &lblState}) {
            fraParty.Add((*labels)[i]);
        }
    }
    shpPartyBar.BorderColor = Rgb(250, 226, 160);
    shpPartyBar.Visible = false;
    fraParty.Add(shpPartyBar);
    fraParty.OnKeyDown = [this](int& keyCode, int shift) { PartyKeyDown(keyCode, shift); };
    // The bar shows exactly while the party window has the focus.
    fraParty.OnGotFocus = [this] { PlaceBar(); };
    fraParty.OnLostFocus = [this] {
        shpPartyBar.Visible = false;
        Invalidate();
    };

    StyleMenuList(lstCommandList);
    lstCommandList.AccessKeyEnter = false;
    lstCommandList.OnKeyDown = [this](int& keyCode, int shift) { CommandKeyDown(keyCode, shift); };
    // Enter, or a press on a row, carries out the current row.
    lstCommandList.OnEnter = [this] { CarryOut(); };
    // Only a press on a row carries it out: the caption, the frame and the
    // space below the rows do nothing.
    lstCommandList.OnMouseDown = [this](int button, int x, int y) {
        if (button == 1 && lstCommandList.RowAt(x, y) >= 0) CarryOut();
    };
    Add(lstCommandList);

    lblMsg.BackStyle = BackMode::Transparent;
    lblMsg.Alignment = Align::Centre;
    lblMsg.ForeColor = TextColour;
    lblMsg.Visible = false;
    Add(lblMsg);

    fraHelp.BackStyle = 2;
    fraHelp.BorderStyle = PanelEx::BorderLine;
    fraHelp.BorderColor = DimColour;
    fraHelp.Visible = false;
    Add(fraHelp);
    lblHelp.BackStyle = BackMode::Transparent;
    lblHelp.ForeColor = TextColour;
    lblHelp.LineGap = 0;
    fraHelp.Add(lblHelp);

    // The current screen sees every key first (the maze walks on the arrows).
    KeyPreview = true;
    OnKeyDown = [this](int& keyCode, int shift) {
        Screen* screen = ScreenFor(game_.MenuState);
        if (keyCode != 0 && screen != nullptr && screen->KeyDown(keyCode, shift)) keyCode = 0;
    };

    fraReorder.OnOrderTaken = [this] { RefreshPartyPanel(); };
    fraReorder.OnClosed = [this] {
        if (Screen* screen = ScreenFor(game_.MenuState)) screen->ReorderClosed();
    };
    Add(fraReorder);

    tmrMove.OnTimer = [this] { Tick(MainTimer::Move); };
    tmrTreasure.OnTimer = [this] { Tick(MainTimer::Treasure); };
    tmrMove.SetInterval(300);
    tmrTreasure.SetInterval(2000);
    tmr.SetInterval(1000);
    for (Timer* timer : {&tmrMove, &tmrTreasure, &tmr}) timer->Attach(manager);

    LayOut();
}

void MainWindow::LayOut() {
    const int w = Width;
    const int h = Height;
    picMap.Move(0, 0, w, h);
    fraParty.Move(0, h - h / 4, w, h / 4);
    // Member i's row is at 16 x i, where the selection bar is drawn for it.
    const int rowHeight = PartyRowPitch;
    for (int i = 0; i < PartyRows; ++i) {
        const int top = PartyRowPitch * (i + 1);
        StyleRowLabel(lblName[i], Columns[0], top, rowHeight);
        StyleRowLabel(lblClass[i], Columns[1], top, rowHeight);
        StyleRowLabel(lblAC[i], Columns[2], top, rowHeight);
        StyleRowLabel(lblHP[i], Columns[3], top, rowHeight);
        StyleRowLabel(lblState[i], Columns[4], top, rowHeight);
    }
    lstCommandList.Move(0, h - h / 4 - h / 6, w, h / 6);
    lblMsg.Move(0, h / 5 - 24, w, 20);
    fraHelp.Move(w - 232, h / 5, 224, h - h / 4 - h / 6 - h / 5 - 8);
    lblHelp.Move(8, 6, fraHelp.Width - 16, fraHelp.Height - 12);
}

void MainWindow::SetCommandMenu(int state, int currentRow) {
    SetCommandMenu(state, CommandMenuFor(state, game_), currentRow);
}

void MainWindow::SetCommandMenu(int state, const CommandMenu& menu, int currentRow,
                                const std::vector<int32_t>& itemData) {
    const bool changing = state != game_.MenuState;
    if (changing) {
        if (Screen* old = ScreenFor(game_.MenuState)) old->Leave();
    }
    lstCommandList.Clear();
    game_.MenuState = state;
    lstCommandList.SetCaption(menu.Caption);
    lstCommandList.AddItems(0, menu.Rows);
    for (size_t i = 0; i < itemData.size() && i < menu.Rows.size(); ++i) {
        lstCommandList.SetItemData(static_cast<int>(i), itemData[i]);
    }
    if (lstCommandList.ListCount() > 0) {
        lstCommandList.SetListIndex(
            currentRow >= 0 && currentRow < lstCommandList.ListCount() ? currentRow : 0);
    }
    lstCommandList.Visible = true;
    lstCommandList.Enabled = true;
    lstCommandList.SetFocus();
    Manager().Log().Menu(state, menu.Caption, menu.Rows, lstCommandList.ListIndex());
    if (changing) {
        if (Screen* now = ScreenFor(state)) now->Enter();
    }
}

void MainWindow::Register(int state, Screen& screen) {
    screens_[state] = &screen;
}

Screen* MainWindow::ScreenFor(int state) const {
    const auto found = screens_.find(state);
    return found == screens_.end() ? nullptr : found->second;
}

void MainWindow::Tick(MainTimer timer) {
    if (Screen* screen = ScreenFor(game_.MenuState)) screen->Timer(timer);
}

void MainWindow::CommandKeyDown(int& keyCode, int) {
    if (!Key::IsBack(keyCode)) return;
    // Only moves to the way back; Enter confirms it.
    if (lstCommandList.ListCount() > 0) lstCommandList.SetListIndex(lstCommandList.ListCount() - 1);
    keyCode = 0;
}

void MainWindow::CarryOut() {
    Screen* screen = ScreenFor(game_.MenuState);
    if (screen == nullptr || lstCommandList.ListIndex() < 0) return;
    screen->CarryOut(lstCommandList.ListIndex());
}

void MainWindow::RefreshPartyPanel() {
    RebuildPartyList(game_);
    RedrawPartyPanel();
}

void MainWindow::RedrawPartyPanel() {
    for (int i = 0; i < PartyRows; ++i) {
        for (auto* labels : {&lblName, &lblClass, &lblAC, &lblHP, &lblState}) {
            (*labels)[i].SetCaption("");
        }
    }
    const std::vector<PartyRow> rows = PartyPanelRows(game_);
    std::vector<std::vector<std::string>> shown;
    for (size_t i = 0; i < rows.size() && i < PartyRows; ++i) {
        lblName[i].SetCaption(rows[i][0]);
        lblClass[i].SetCaption(rows[i][1]);
        lblAC[i].SetCaption(rows[i][2]);
        lblHP[i].SetCaption(rows[i][3]);
        lblState[i].SetCaption(rows[i][4]);
        shown.emplace_back(rows[i].begin(), rows[i].end());
    }
    if (shown != shownParty_) {
        shownParty_ = shown;
        Manager().Log().Party(shown);
    }
}

void MainWindow::ShowBattleHelp(const Creature* member) {
    if (member == nullptr) {
        fraHelp.Visible = false;
    } else {
        std::string text = BattleHelpText(game_, *member);
        std::replace(text.begin(), text.end(), '\r', '\n');
        lblHelp.SetCaption(text);
        fraHelp.Visible = true;
        fraHelp.BringToFront();
    }
    Invalidate();
}

void MainWindow::BeginPartySelection(int cursor) {
    game_.PartyCursor = static_cast<int16_t>(cursor);
    lstCommandList.Enabled = false;
    fraParty.Enabled = true;
    fraParty.SetFocus();
    PlaceBar();
}

void MainWindow::EndPartySelection() {
    fraParty.Enabled = false;
    shpPartyBar.Visible = false;
    if (fraParty.HasFocus()) FocusControl(nullptr);
    Invalidate();
}

void MainWindow::PlaceBar() {
    const int count = std::max<int>(game_.PartyCount, 1);
    game_.PartyCursor = static_cast<int16_t>(std::clamp<int>(game_.PartyCursor, 1, count));
    shpPartyBar.Move(PartyBarLeft, PartyRowPitch * game_.PartyCursor,
                     fraParty.Width - 2 * PartyBarLeft, PartyRowPitch);
    shpPartyBar.Visible = fraParty.HasFocus();
    Invalidate();
}

void MainWindow::ChooseMember() {
    if (game_.PartyCount <= 0) return;
    game_.CurrentChar = game_.PartyList[static_cast<size_t>(game_.PartyCursor)];
    if (Screen* screen = ScreenFor(game_.MenuState)) screen->MemberChosen();
}

void MainWindow::PartyKeyDown(int& keyCode, int shift) {
    if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
    const int count = game_.PartyCount;
    int cursor = game_.PartyCursor;
    int digit = 0;
    if (keyCode >= Key::Digit0 + 1 && keyCode <= Key::Digit0 + PartyRows) {
        digit = keyCode - Key::Digit0;
    } else if (keyCode >= Key::Numpad0 + 1 && keyCode <= Key::Numpad0 + PartyRows) {
        digit = keyCode - Key::Numpad0;
    }
    switch (keyCode) {
        case Key::Up:
        case Key::Left:
            cursor = cursor <= 1 ? count : cursor - 1;
            break;
        case Key::Down:
        case Key::Right:
            cursor = cursor >= count ? 1 : cursor + 1;
            break;
        case Key::Home:
        case Key::PageUp:
            cursor = 1;
            break;
        case Key::End:
        case Key::PageDown:
            cursor = count;
            break;
        case Key::Return:
            keyCode = 0;
            ChooseMember();
            return;
        case Key::Escape:
        case Key::Back:
            keyCode = 0;
            if (Screen* screen = ScreenFor(game_.MenuState)) screen->PartySelectionLeft();
            return;
        default:
            if (digit == 0) return;
            // A number past the last member picks the last one, at once.
            keyCode = 0;
            if (count <= 0) return;
            game_.PartyCursor = static_cast<int16_t>(std::min(digit, count));
            shpPartyBar.Visible = false;
            Invalidate();
            ChooseMember();
            return;
    }
    keyCode = 0;
    if (count <= 0) return;
    game_.PartyCursor = static_cast<int16_t>(cursor);
    PlaceBar();
}

void MainWindow::OpenReorder() {
    fraReorder.Open();
}

}  // namespace kv
