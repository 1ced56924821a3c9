#include "ui/SelectBox.h"

#include <algorithm>
#include <cmath>

#include "core/Game.h"
#include "platform/Keys.h"
#include "ui/CharacterItems.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int FrameBand = 8;
constexpr int Pad = 14;
constexpr int Gap = 8;
constexpr int MaxRows = 15;  // a full inventory fits without scrolling
constexpr int ColumnGap = 16;

constexpr uint32_t TextColour = Rgb(236, 232, 220);
constexpr uint32_t PromptColour = Rgb(250, 226, 160);
constexpr uint32_t ListFill = Rgb(10, 10, 22);

void StyleList(ListEx& list) {
    list.BackColor = ListFill;
    list.ForeColor = TextColour;
    list.ListHeight = 4;
    list.Indent = 6;
    list.SelectStyle = 1;
    list.SelectBackColor = Rgb(72, 56, 22);
    list.SelectForeColor = Rgb(255, 238, 176);
    list.SelectBorderColor = Rgb(196, 156, 72);
}

// The height that shows this many rows of the list without scrolling.
int HeightForRows(ListEx& list, int rows) {
    int height = static_cast<int>(std::ceil(list.ListTop() + rows * list.RowHeight())) + 2;
    list.Move(list.Left, list.Top, list.Width, height);
    // The list's own arithmetic decides; grow until every row is on view.
    for (int more = 0; more < 64 && list.RowsPerPage() < std::min(rows, list.ListCount()); ++more) {
        list.Move(list.Left, list.Top, list.Width, ++height);
    }
    return height;
}

}  // namespace

SelectBox::SelectBox(WindowManager& manager, const Game& game) : Window(manager), game_(game) {
    Name = "frmSelectBox";
    KeyPreview = true;
    Visible = false;

    StyleDialogFrame(fraBack, FrameBand);
    Add(fraBack);

    lblMsg.BackStyle = BackMode::Transparent;
    lblMsg.ForeColor = PromptColour;
    fraBack.Add(lblMsg);

    StyleList(lst);
    fraBack.Add(lst);

    lblmsgItem.BackStyle = BackMode::Transparent;
    lblmsgItem.ForeColor = PromptColour;
    lblmsgItem.LineGap = 0;
    fraBack.Add(lblmsgItem);

    // Only shows: it takes neither the focus nor clicks.
    StyleList(lstItem);
    lstItem.TabStop = false;
    lstItem.Enabled = false;
    lstItem.AccessKeyOn = false;
    fraBack.Add(lstItem);

    OnKeyDown = [this](int& keyCode, int) {
        if (!Key::IsBack(keyCode)) return;
        keyCode = 0;
        SelectedValue = -1;
        Hide();
    };
    lst.OnEnter = [this] { Choose(); };
    lst.OnMouseDown = [this](int button, int x, int y) {
        const int row = lst.ListIndex();
        if (button == 1 && row >= 0 && lst.RowBounds(row).Contains(x, y)) Choose();
    };
    // The inventory follows the highlighted member: on opening and after
    // every key or click on the list.
    OnActivate = [this] {
        if (wide_) ShowInventory();
    };
    lst.OnClick = [this] {
        if (wide_) ShowInventory();
    };
}

void SelectBox::Choose() {
    // An empty list has nothing to choose; only Esc leaves it.
    if (lst.ListIndex() < 0) return;
    SelectedValue = lst.ItemData(lst.ListIndex());
    Hide();
}

void SelectBox::ShowInventory() {
    const int row = lst.ListIndex();
    const int slot = row >= 0 ? lst.ItemData(row) : -1;
    std::string caption;
    if (slot >= 0 && static_cast<size_t>(slot) < game_.Roster.size()) {
        caption = game_.Roster[static_cast<size_t>(slot)].Name + "の\n持ち物";
    }
    std::vector<std::string> rows;
    for (const ItemRow& item : CharacterItemRows(game_, slot, true)) rows.push_back(item.Text);
    lblmsgItem.SetCaption(caption);
    lstItem.Clear();
    lstItem.AddItems(0, rows);

    std::string shown = caption;
    for (const std::string& text : rows) shown += '\x1f' + text;
    if (shown == shownItems_ || !IsOpen()) return;
    shownItems_ = shown;
    Manager().Log().List("frmSelectBox.lstItem", caption, rows, -1);
}

void SelectBox::Arrange() {
    GlyphCache& glyphs = Manager().Glyphs();
    const int width = wide_ ? WideWidth : NormalWidth;
    const int inset = FrameBand + Pad;
    const int contentWidth = width - 2 * inset;
    int y = FrameBand + Pad;

    lblMsg.Visible = !lblMsg.Caption().empty();
    if (lblMsg.Visible) {
        const auto lines =
            WrapText(glyphs, lblMsg.Caption(), contentWidth, lblMsg.Face, lblMsg.FontSize);
        const int height = static_cast<int>(lines.size()) * lblMsg.LinePitch(glyphs);
        lblMsg.Move(inset, y, contentWidth, height);
        y += height - lblMsg.LineGap + Gap;
    }

    const int listWidth = wide_ ? (contentWidth - ColumnGap) * 9 / 20 : contentWidth;
    lst.Move(inset, y, listWidth, 0);
    int listHeight = HeightForRows(lst, std::clamp(lst.ListCount(), 1, MaxRows));

    lblmsgItem.Visible = wide_;
    lstItem.Visible = wide_;
    if (wide_) {
        const int left = inset + listWidth + ColumnGap;
        const int itemWidth = width - inset - left;
        const int captionHeight = 2 * lblmsgItem.LinePitch(glyphs);
        lblmsgItem.Move(left, y, itemWidth, captionHeight);
        lstItem.Move(left, y + captionHeight + 4, itemWidth, 0);
        // lstItem is measured for a full inventory, whatever it holds now.
        const int itemsHeight =
            static_cast<int>(std::ceil(lstItem.ListTop() + MaxRows * lstItem.RowHeight())) + 2;
        lstItem.Move(lstItem.Left, lstItem.Top, itemWidth, itemsHeight);
        listHeight = std::max(listHeight, captionHeight + 4 + itemsHeight);
        lst.Move(lst.Left, lst.Top, lst.Width, std::max(lst.Height, listHeight));
    }
    y += listHeight;

    const int height = std::min(y + Pad + FrameBand, WindowManager::CanvasHeight);
    CentreOnCanvas(width, height);
    fraBack.Move(0, 0, width, height);
}

int SelectBox::Run(std::string_view prompt, bool wide) {
    wide_ = wide;
    SelectedValue = -1;  // a box closed without a choice reads as cancelled
    lblMsg.SetCaption(prompt);
    shownItems_.clear();
    Arrange();
    lst.SetFocus();

    std::vector<std::string> rows;
    for (int row = 0; row < lst.ListCount(); ++row) rows.push_back(lst.List(row));
    Manager().Log().List("frmSelectBox", prompt, rows, lst.ListIndex());

    ShowModal();
    return SelectedValue;
}

}  // namespace kv
