#include "town/CharacterListWindow.h"

#include <array>

#include "character/Roster.h"
#include "platform/Keys.h"
#include "town/RosterPreviewView.h"
#include "ui/PanelArt.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int Margin = 8;
constexpr int PreviewHeight = 150;
constexpr int HelpHeight = 52;

struct ModeHelp {
    int Mode;
    std::string_view Text;
};
constexpr std::array<ModeHelp, 8> Helps = {{
    {1, "仲間に入れるキャラクターを選んで下さい"},
    {2, "冒険を再開するキャラクターを選んで下さい"},
    {3, "探すキャラクターを選んで下さい"},
    {4, "転職させるキャラクターを選んで下さい"},
    {5, "消すキャラクターを選んで下さい"},
    {6, "名前を変えるキャラクターを選んで下さい"},
    {7, "見るキャラクターを選んで下さい"},
    {10, "移動させるキャラクターを選んで下さい"},
}};
constexpr std::string_view KeysHelp = "Enter：決定　　Esc・BS・R：戻る";

std::string_view HelpFor(int mode) {
    for (const ModeHelp& help : Helps) {
        if (help.Mode == mode) return help.Text;
    }
    return "キャラクターを選んで下さい";
}

}  // namespace

CharacterListWindow::CharacterListWindow(ScreenContext& context, int mode, RosterRowAction action)
    : Window(context.Windows), context_(context), mode_(mode), action_(std::move(action)) {
    Name = "frmCharacterList";
    Visible = false;
    BackColor = WindowBack;
    Move(0, 0, WindowManager::CanvasWidth, WindowManager::CanvasHeight);

    picPreview.BackColor = WindowBack;
    picPreview.Move(Margin, Margin, Width - 2 * Margin, PreviewHeight);
    Add(picPreview);

    StyleWindowList(lstCharacter);
    const int listTop = Margin + PreviewHeight + Margin;
    lstCharacter.Move(Margin, listTop, Width - 2 * Margin,
                      Height - listTop - HelpHeight - 2 * Margin);
    lstCharacter.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (Key::IsBack(keyCode) || keyCode == Key::Letter('R')) {
            keyCode = 0;
            Cancel();
        }
    };
    lstCharacter.OnEnter = [this] { Act(); };
    // Every other key may have moved the current row.
    lstCharacter.OnClick = [this] { ShowPreview(); };
    lstCharacter.OnMouseDown = [this](int button, int x, int y) {
        const int row = lstCharacter.RowAt(x, y);
        if (button != 1 || row < 0) return;
        lstCharacter.SetListIndex(row);
        Act();
    };
    Add(lstCharacter);

    fraHelp.BackColor = WindowBack;
    fraHelp.BorderStyle = PanelEx::BorderLine;
    fraHelp.BorderColor = Rgb(176, 188, 220);
    fraHelp.Move(Margin, Height - HelpHeight - Margin, Width - 2 * Margin, HelpHeight);
    Add(fraHelp);
    lblHelp.BackStyle = BackMode::Transparent;
    lblHelp.ForeColor = WindowText;
    lblHelp.Move(8, 6, fraHelp.Width - 16, fraHelp.Height - 12);
    lblHelp.SetCaption(std::string(HelpFor(mode)) + "\n" + std::string(KeysHelp));
    fraHelp.Add(lblHelp);
}

void CharacterListWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

void CharacterListWindow::Fill(bool rebuiltAfterJoin) {
    Game& game = context_.TheGame;
    lstCharacter.Clear();
    std::vector<std::string> rows;
    int number = 0;
    for (int slot : RosterListSlots(game, mode_, rebuiltAfterJoin)) {
        rows.push_back(RosterRowText(game, slot, ++number));
        lstCharacter.AddItem(rows.back());
        lstCharacter.SetItemData(lstCharacter.NewIndex(),
                                 game.Roster[static_cast<size_t>(slot)].Id);
    }
    rows.emplace_back(BackRow);
    lstCharacter.AddItem(BackRow);
    lstCharacter.SetItemData(lstCharacter.NewIndex(), 0);
    lstCharacter.SetListIndex(0);
    ShowPreview();
    Manager().Log().List(Name, HelpFor(mode_), rows, lstCharacter.ListIndex());
}

void CharacterListWindow::ShowPreview() {
    const int row = lstCharacter.ListIndex();
    const int id = row >= 0 ? lstCharacter.ItemData(row) : 0;
    DrawRosterPreview(picPreview, Manager().Glyphs(), context_.TheGame, id);
}

void CharacterListWindow::Act() {
    const int row = lstCharacter.ListIndex();
    if (row < 0) return;
    const int id = lstCharacter.ItemData(row);
    if (id == 0) {
        Hide();
        return;
    }
    context_.TheGame.CurrentChar = static_cast<int16_t>(id);
    const RowOutcome outcome =
        action_ ? action_(id) : RosterRowChosen(context_.TheGame, context_.ThePlayer, mode_, id);
    switch (outcome) {
        case RowOutcome::Close:
            Hide();
            break;
        case RowOutcome::Rebuild:
            Fill(mode_ == static_cast<int>(RosterListMode::Join));
            break;
        case RowOutcome::StayOpen:
            ShowPreview();
            break;
    }
}

void CharacterListWindow::Cancel() {
    lstCharacter.SetListIndex(lstCharacter.ListCount() - 1);
    Hide();
}

int CharacterListWindow::Run() {
    Fill(false);
    lstCharacter.SetFocus();
    ShowModal();
    const int row = lstCharacter.ListIndex();
    return row >= 0 ? lstCharacter.ItemData(row) : 0;
}

int ChooseCharacter(ScreenContext& context, int mode, RosterRowAction action) {
    Game& game = context.TheGame;
    game.RosterListMode = static_cast<int16_t>(mode);
    const std::string_view none = RosterListEmptyMessage(mode);
    if (!none.empty() && RosterListSlots(game, mode, false).empty()) {
        context.ThePlayer.Message(none);
        return 0;
    }
    CharacterListWindow window(context, mode, std::move(action));
    return window.Run();
}

}  // namespace kv
