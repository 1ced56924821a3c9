#include "items/EquipWindow.h"

#include "character/Inventory.h"
#include "core/StringTable.h"
#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr uint32_t Back = WindowBack;
constexpr uint32_t TextColour = WindowText;
constexpr int FormWidth = 520;
constexpr int FormHeight = 380;
constexpr int Margin = 8;
constexpr int PositionWidth = 190;
constexpr int ListHeight = 190;

std::string_view PositionName(Position position) {
    for (const PositionRow& row : PositionRows) {
        if (row.Code == position) return row.Text.substr(2);
    }
    return {};
}

}  // namespace

EquipWindow::EquipWindow(ScreenContext& context, int slot)
    : Window(context.Windows), context_(context), slot_(slot) {
    Name = "frmEquip";
    Visible = false;
    BackColor = Back;
    CentreOnCanvas(FormWidth, FormHeight);

    StyleWindowList(lstPosition);
    lstPosition.Move(Margin, Margin, PositionWidth, ListHeight);
    for (const PositionRow& row : PositionRows) lstPosition.AddItem(row.Text);
    lstPosition.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (Key::IsBack(keyCode)) {
            keyCode = 0;
            Hide();
        }
    };
    lstPosition.OnEnter = [this] { EnterPosition(); };
    // Every other key may have moved the highlight: show what fits there.
    lstPosition.OnClick = [this] { FillCandidates(); };
    Add(lstPosition);

    StyleWindowList(lstItem);
    lstItem.Move(2 * Margin + PositionWidth, Margin, Width - 3 * Margin - PositionWidth,
                 ListHeight);
    lstItem.Enabled = false;
    // Wearing nothing is the way back; Esc does nothing here.
    lstItem.OnKeyDown = [](int& keyCode, int) {
        if (Key::IsBack(keyCode)) keyCode = 0;
    };
    lstItem.OnEnter = [this] { ChooseCandidate(); };
    Add(lstItem);

    lblWorn.BackStyle = BackMode::Transparent;
    lblWorn.ForeColor = TextColour;
    lblWorn.Move(Margin + 4, 2 * Margin + ListHeight, Width - 2 * Margin - 8,
                 Height - 3 * Margin - ListHeight);
    Add(lblWorn);
}

void EquipWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

Creature& EquipWindow::Wearer() {
    return context_.TheGame.Roster[static_cast<size_t>(slot_)];
}

Position EquipWindow::Highlighted() const {
    const int row = lstPosition.ListIndex();
    if (row < 0 || row >= static_cast<int>(PositionRows.size())) return Position::None;
    return PositionRows[static_cast<size_t>(row)].Code;
}

void EquipWindow::FillCandidates() {
    lstItem.Clear();
    const Position position = Highlighted();
    if (position == Position::None) return;
    std::vector<std::string> texts;
    for (const CandidateRow& row : CandidateRows(context_.TheGame, Wearer(), position)) {
        lstItem.AddItem(row.Text);
        lstItem.SetItemData(lstItem.NewIndex(), row.Slot);
        texts.push_back(row.Text);
    }
    lstItem.SetListIndex(-1);
    Manager().Log().List(lstItem.Name, PositionName(position), texts, -1);
}

void EquipWindow::ShowWorn() {
    const Game& game = context_.TheGame;
    const Creature& wearer = game.Roster[static_cast<size_t>(slot_)];
    std::string text;
    for (const PositionRow& row : PositionRows) {
        if (row.Code == Position::None) continue;
        std::string worn = "―";
        for (int s = 1; s <= 15; ++s) {
            const InventorySlot& held = wearer.Items[static_cast<size_t>(s)];
            if (held.ItemId != 0 && WornPosition(held) == row.Code) {
                worn = ItemDisplayName(game, held);
                break;
            }
        }
        text += std::string(row.Text.substr(2)) + "：" + worn + "\n";
    }
    lblWorn.SetCaption(text);
}

void EquipWindow::EnterPosition() {
    const Position position = Highlighted();
    if (position == Position::None) {
        Hide();
        return;
    }
    if (PositionIsCursed(context_.TheGame, Wearer(), position)) {
        context_.ThePlayer.Message(ResString(Str::Cursed));
        return;
    }
    FillCandidates();
    lstPosition.Enabled = false;
    lstItem.Enabled = true;
    lstItem.SetListIndex(0);
    lstItem.SetFocus();
}

void EquipWindow::ChooseCandidate() {
    const int row = lstItem.ListIndex();
    if (row < 0) return;
    EquipItem(context_.TheGame, context_.ThePlayer, Wearer(), Highlighted(), lstItem.ItemData(row));
    FillCandidates();
    ShowWorn();
    lstItem.Enabled = false;
    lstPosition.Enabled = true;
    lstPosition.SetFocus();
}

void EquipWindow::Run() {
    lstPosition.SetListIndex(0);
    FillCandidates();
    ShowWorn();
    std::vector<std::string> rows;
    for (const PositionRow& row : PositionRows) rows.emplace_back(row.Text);
    Manager().Log().List(lstPosition.Name, "装備", rows, 0);
    lstPosition.SetFocus();
    ShowModal();
}

}  // namespace kv
