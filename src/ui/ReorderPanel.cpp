#include "ui/ReorderPanel.h"

#include "core/PartyPanel.h"
#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/Window.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int PanelWidth = 240;
constexpr int PanelHeight = 196;
constexpr int Band = 6;
constexpr uint32_t TextColour = Rgb(236, 236, 236);

}  // namespace

ReorderPanel::ReorderPanel(Game& game) : game_(game) {
    Name = "fraReorder";
    BackStyle = BackFlat;
    BackColor = Rgb(8, 10, 28);
    BorderStyle = BorderPictures;
    SetFrame(GoldFrame(Band));
    Visible = false;

    lstReorder.BackColor = Rgb(8, 10, 28);
    lstReorder.ForeColor = TextColour;
    lstReorder.SelectBackColor = Rgb(64, 96, 200);
    // F, B and O are commands here, not jumps to a row.
    lstReorder.AccessKeyOn = false;
    lstReorder.TabStop = true;
    lstReorder.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        switch (keyCode) {
            case Key::Letter('F'):
                MoveUp();
                break;
            case Key::Letter('B'):
                MoveDown();
                break;
            case Key::Letter('O'):
            case Key::Return:
                TakeOrder();
                break;
            case Key::Escape:
            case Key::Back:
                Close();
                break;
            default:
                return;
        }
        keyCode = 0;
    };
    Add(lstReorder);

    for (auto [label, caption] : {std::pair{&lblUp, "↑&F)前へ"}, std::pair{&lblDown, "↓&B)後ろへ"},
                                  std::pair{&lblOk, " &O)K"}}) {
        label->SetCaption(caption);
        label->ForeColor = TextColour;
        Add(*label);
    }
    lblUp.OnClick = [this] { MoveUp(); };
    lblDown.OnClick = [this] { MoveDown(); };
    lblOk.OnClick = [this] { TakeOrder(); };
    LayOut();
}

void ReorderPanel::LayOut() {
    Move((WindowManager::CanvasWidth - PanelWidth) / 2, 40, PanelWidth, PanelHeight);
    const int inner = PanelWidth - 2 * Band - 8;
    lstReorder.Move(Band + 4, Band + 4, inner, 6 * 20 + 8);
    const int labelTop = lstReorder.Top + lstReorder.Height + 8;
    const int third = inner / 3;
    lblUp.Move(Band + 4, labelTop, third, 20);
    lblDown.Move(Band + 4 + third, labelTop, third, 20);
    lblOk.Move(Band + 4 + 2 * third, labelTop, inner - 2 * third, 20);
}

void ReorderPanel::Open() {
    lstReorder.Clear();
    for (int i = 1; i <= game_.PartyCount && i < static_cast<int>(game_.PartyList.size()); ++i) {
        const int slot = game_.PartyList[static_cast<size_t>(i)];
        if (slot < 1 || slot >= static_cast<int>(game_.Roster.size())) continue;
        lstReorder.AddItem(game_.Roster[static_cast<size_t>(slot)].Name);
        lstReorder.SetItemData(lstReorder.NewIndex(), game_.Roster[static_cast<size_t>(slot)].Id);
    }
    lstReorder.SetListIndex(lstReorder.ListCount() > 0 ? 0 : -1);
    Visible = true;
    BringToFront();
    lstReorder.SetFocus();
    Log();
}

void ReorderPanel::Swap(int row, int other) {
    const std::string text = lstReorder.List(row);
    const int data = lstReorder.ItemData(row);
    lstReorder.SetList(row, lstReorder.List(other));
    lstReorder.SetItemData(row, lstReorder.ItemData(other));
    lstReorder.SetList(other, text);
    lstReorder.SetItemData(other, data);
}

void ReorderPanel::MoveUp() {
    const int row = lstReorder.ListIndex();
    const int count = lstReorder.ListCount();
    if (row < 0 || count < 2) return;
    if (row == 0) {
        // The first member goes round to the back; the others close up.
        for (int i = 0; i + 1 < count; ++i) Swap(i, i + 1);
        lstReorder.SetListIndex(count - 1);
    } else {
        Swap(row, row - 1);
        lstReorder.SetListIndex(row - 1);
    }
    Log();
}

void ReorderPanel::MoveDown() {
    const int row = lstReorder.ListIndex();
    const int count = lstReorder.ListCount();
    if (row < 0 || count < 2) return;
    if (row == count - 1) {
        for (int i = count - 1; i > 0; --i) Swap(i, i - 1);
        lstReorder.SetListIndex(0);
    } else {
        Swap(row, row + 1);
        lstReorder.SetListIndex(row + 1);
    }
    Log();
}

std::vector<int> ReorderPanel::Order() const {
    std::vector<int> ids;
    for (int row = 0; row < lstReorder.ListCount(); ++row) ids.push_back(lstReorder.ItemData(row));
    return ids;
}

void ReorderPanel::TakeOrder() {
    SetMarchingOrder(game_, Order());
    if (OnOrderTaken) OnOrderTaken();
    Close();
}

void ReorderPanel::Close() {
    Visible = false;
    Invalidate();
    if (OnClosed) OnClosed();
}

void ReorderPanel::Log() {
    Window* window = OwnerWindow();
    if (window == nullptr) return;
    std::vector<std::string> rows;
    for (int row = 0; row < lstReorder.ListCount(); ++row) rows.push_back(lstReorder.List(row));
    window->Manager().Log().List("lstReorder", "", rows, lstReorder.ListIndex());
}

}  // namespace kv
