#include "ui/ListEx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Keys.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

const std::string NoRow;

}  // namespace

ListEx::ListEx() {
    TabStop = true;
}

// --- rows --------------------------------------------------------------------

const std::string& ListEx::List(int row) const {
    if (row < 0 || row >= ListCount()) return NoRow;
    return rows_[static_cast<size_t>(row)].Text;
}

void ListEx::SetList(int row, std::string_view text) {
    if (row < 0 || row >= ListCount()) return;
    rows_[static_cast<size_t>(row)].Text = text;
    Repaint();
}

int ListEx::ItemData(int row) const {
    if (row < 0 || row >= ListCount()) return 0;
    return rows_[static_cast<size_t>(row)].Data;
}

void ListEx::SetItemData(int row, int32_t value) {
    if (row < 0 || row >= ListCount()) return;
    rows_[static_cast<size_t>(row)].Data = value;
}

void ListEx::Insert(std::string_view text, int index) {
    // The position is judged against the rows there are before this one, so
    // Index equal to ListCount appends rather than inserting before the last.
    const int count = ListCount();
    const int at = index >= 1 && index < count ? index - 1 : count;
    rows_.insert(rows_.begin() + at, Row{std::string(text), 0});
    newIndex_ = at;
}

void ListEx::AddItem(std::string_view text, int index) {
    Insert(text, index);
    Repaint();
}

void ListEx::AddItems(int index, std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) Insert(text, index);
    Repaint();
}

void ListEx::AddItems(int index, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) Insert(text, index);
    Repaint();
}

void ListEx::RemoveItem(int row) {
    if (row < 0 || row >= ListCount()) return;
    const bool wasLast = index_ == ListCount() - 1;
    rows_.erase(rows_.begin() + row);
    if (wasLast) index_ = -1;
    Repaint();
}

void ListEx::Clear() {
    rows_.clear();
    index_ = -1;
    Repaint();
}

// --- current row and text ----------------------------------------------------

void ListEx::SetListIndex(int index) {
    if (index >= ListCount()) return;
    index_ = std::max(index, -1);
    Repaint();
    if (OnClick) OnClick();
}

void ListEx::SetText(std::string_view text) {
    for (int row = 0; row < ListCount(); ++row) {
        if (rows_[static_cast<size_t>(row)].Text != text) continue;
        index_ = row;
        Repaint();
        return;
    }
}

void ListEx::SetRedraw(bool on) {
    redraw_ = on;
    if (on) Repaint();
}

void ListEx::SetCaption(std::string_view caption) {
    caption_ = caption;
    Repaint();
}

void ListEx::Repaint() {
    // Hosts read Text right after a move to learn the chosen command, so it
    // is brought up to date here, with the change, not when the frame is
    // painted. Nothing happens while drawing is switched off.
    if (!redraw_) return;
    if (!rows_.empty()) text_ = index_ >= 0 && index_ < ListCount() ? List(index_) : std::string();
    Invalidate();
}

void ListEx::FocusChanged(bool focused) {
    Repaint();
    Control::FocusChanged(focused);
}

// --- layout ------------------------------------------------------------------

ListEx::Insets ListEx::BorderInsets() const {
    const int border = std::max(0, BorderWidth);
    if (BorderStyle == 2) {
        // The frame pictures set the margins; a frame thinner than the
        // border width still leaves the border's room above and below.
        return Insets{FrameMiddleLeft.Width, std::max(border, FrameTopCenter.Height),
                      FrameMiddleRight.Width, std::max(border, FrameBottomCenter.Height), 0};
    }
    return Insets{border, border, border, border, std::max(0, Indent)};
}

double ListEx::RowHeight() const {
    return std::max(1.0, static_cast<double>(FontSize) + static_cast<double>(ListHeight));
}

double ListEx::ListTop() const {
    return BorderInsets().Top + 1 + (caption_.empty() ? 0.0 : RowHeight());
}

int ListEx::RowsPerPage() const {
    const double room = Height - BorderInsets().Bottom - ListTop();
    const int rows = room > 0 ? static_cast<int>(std::floor(room / RowHeight())) : 0;
    return std::min(rows, ListCount());
}

int ListEx::FirstVisibleRow() const {
    // The list scrolls so that the current row is the last one on view.
    const int perPage = RowsPerPage();
    if (perPage <= 0) return 0;  // no rows, or no room for one: nothing scrolls
    return index_ < perPage ? 0 : index_ - perPage + 1;
}

Rect ListEx::RowBounds(int row) const {
    const int first = FirstVisibleRow();
    if (row < first || row >= first + RowsPerPage() || row >= ListCount()) return Rect{};
    const Insets insets = BorderInsets();
    const double top = ListTop() + (row - first) * RowHeight();
    const int y0 = static_cast<int>(std::lround(top));
    const int y1 = static_cast<int>(std::lround(top + RowHeight()));
    return Rect{insets.Left, y0, Width - insets.Left - insets.Right, y1 - y0};
}

int ListEx::RowAt(int x, int y) const {
    const Insets insets = BorderInsets();
    if (x < insets.Left || x >= Width - insets.Right || y < ListTop() ||
        y >= Height - insets.Bottom) {
        return -1;
    }
    const int slot = static_cast<int>(std::floor((y - ListTop()) / RowHeight()));
    if (slot >= RowsPerPage()) return -1;
    const int row = FirstVisibleRow() + slot;
    return row < ListCount() ? row : -1;
}

// --- keys --------------------------------------------------------------------

int ListEx::MovedIndex(int keyCode) const {
    const int count = ListCount();
    const int last = count - 1;
    // With no rows only End has anything to move to, and that is "none".
    if (count == 0) return keyCode == Key::End ? -1 : index_;
    const int page = std::max(0, RowsPerPage() - 1);
    switch (keyCode) {
        case Key::Up:
            if (index_ > 0) return index_ - 1;
            return CursorLoop ? last : index_;
        case Key::Down:
            if (index_ < last) return index_ + 1;
            return CursorLoop ? 0 : index_;
        case Key::End:
            return last;
        case Key::Home:
            return 0;
        case Key::PageUp:
            if (index_ != 0) return std::max(0, index_ - page);
            return CursorLoop ? last : index_;
        case Key::PageDown:
            if (index_ == last) return CursorLoop ? 0 : index_;
            return std::min(last, index_ + page);
        default:
            return index_;
    }
}

int ListEx::AccessRow(int keyCode) const {
    // The key code itself is compared with the row's first character, so only
    // the upper-case letters, digits and a few signs can ever match; codes from
    // the lower-case range up (keypad, function keys) name no character here.
    if (keyCode < 0x20 || keyCode >= 'a') return -1;
    for (int row = 0; row < ListCount(); ++row) {
        const std::string& text = rows_[static_cast<size_t>(row)].Text;
        if (!text.empty() && static_cast<unsigned char>(text[0]) == keyCode) return row;
    }
    return -1;
}

void ListEx::KeyDown(int& keyCode, int shift) {
    Control::KeyDown(keyCode, shift);  // the host sees the key first and may change it
    bool jumped = false;
    const int before = index_;
    switch (keyCode) {
        case Key::Return:
            if (OnEnter) OnEnter();
            if (EnterOn && OnClick) OnClick();
            return;
        case Key::Up:
        case Key::Down:
        case Key::End:
        case Key::Home:
        case Key::PageUp:
        case Key::PageDown:
            index_ = MovedIndex(keyCode);
            break;
        default:
            if (AccessKeyOn) {
                const int row = AccessRow(keyCode);
                if (row >= 0) {
                    index_ = row;
                    jumped = true;
                }
            }
            break;
    }
    Repaint();
    if (index_ != before && index_ >= 0 && index_ < ListCount() && Manager() != nullptr &&
        Manager()->OnRowFocused) {
        Manager()->OnRowFocused(rows_[static_cast<size_t>(index_)].Text);
    }
    if (jumped && AccessKeyEnter && OnEnter) OnEnter();
    if (OnClick) OnClick();
}

// --- mouse -------------------------------------------------------------------

void ListEx::MouseDown(int button, int x, int y) {
    const int64_t now = Manager() != nullptr ? Manager()->Now() : 0;
    // The second press of a double click is reported as the double click
    // alone; the first already chose the row and raised MouseDown and Click.
    if (button == 1 && lastPressAt_ >= 0 && now - lastPressAt_ <= DoubleClickMs &&
        std::abs(x - lastPressX_) <= DoubleClickSlop &&
        std::abs(y - lastPressY_) <= DoubleClickSlop) {
        lastPressAt_ = -1;
        if (OnDblClick) OnDblClick();
        return;
    }
    lastPressAt_ = button == 1 ? now : -1;
    lastPressX_ = x;
    lastPressY_ = y;
    // The row under the pointer becomes current; a press on the caption or
    // below the last row leaves the current row as it is.
    if (const int row = RowAt(x, y); row >= 0) index_ = row;
    Repaint();
    Control::MouseDown(button, x, y);  // MouseDown, then Click for the left button
}

void ListEx::SetFrame(const FramePictures& frame) {
    FrameTopLeft = frame.TopLeft;
    FrameTopCenter = frame.TopCenter;
    FrameTopRight = frame.TopRight;
    FrameMiddleLeft = frame.MiddleLeft;
    FrameMiddleRight = frame.MiddleRight;
    FrameBottomLeft = frame.BottomLeft;
    FrameBottomCenter = frame.BottomCenter;
    FrameBottomRight = frame.BottomRight;
    Invalidate();
}

}  // namespace kv
