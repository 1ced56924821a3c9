#include "ui/OptionButton.h"

#include <algorithm>
#include <vector>

#include "platform/Keys.h"

namespace kv {

namespace {

// The option buttons that share the parent, in the order they were added.
std::vector<OptionButton*> Group(OptionButton& member) {
    std::vector<OptionButton*> group;
    Control* parent = member.Parent();
    if (parent == nullptr) return {&member};
    for (Control* sibling : parent->Children()) {
        if (auto* option = dynamic_cast<OptionButton*>(sibling)) group.push_back(option);
    }
    return group;
}

}  // namespace

OptionButton::OptionButton() {
    TabStop = true;
}

void OptionButton::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    parsed_ = ParseAccessCaption(caption_);
    Invalidate();
}

void OptionButton::SetValue(bool value) {
    if (value == value_) return;
    value_ = value;
    Invalidate();
    if (!value) return;
    for (OptionButton* other : Group(*this)) {
        if (other != this && other->value_) {
            other->value_ = false;
            other->Invalidate();
        }
    }
    if (OnClick) OnClick();
}

void OptionButton::AccessKeyPressed() {
    SetFocus();
    SetValue(true);
}

void OptionButton::SelectNeighbour(int step) {
    const std::vector<OptionButton*> group = Group(*this);
    const auto self = std::find(group.begin(), group.end(), this);
    if (self == group.end()) return;
    const int count = static_cast<int>(group.size());
    const int at = static_cast<int>(self - group.begin());
    // Around the group, skipping options that cannot be used.
    for (int i = 1; i < count; ++i) {
        OptionButton* next = group[((at + step * i) % count + count) % count];
        if (!next->IsUsable()) continue;
        next->SetFocus();
        next->SetValue(true);
        return;
    }
}

void OptionButton::KeyDown(int& keyCode, int shift) {
    Control::KeyDown(keyCode, shift);
    if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
    switch (keyCode) {
        case Key::Up:
        case Key::Left:
            keyCode = 0;
            SelectNeighbour(-1);
            break;
        case Key::Down:
        case Key::Right:
            keyCode = 0;
            SelectNeighbour(1);
            break;
        case Key::Space:
            SetValue(true);
            break;
        default:
            break;
    }
}

void OptionButton::MouseDown(int button, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, x, y);
    if (button == 1) SetValue(true);
}

void OptionButton::Paint(PaintContext& context) {
    Canvas& canvas = context.Surface;
    PaintBackground(context, *this);
    const int size = ToggleBoxSize - 1;  // an even circle centres its dot
    const int top = context.Y + std::max(0, (Height - size) / 2);
    const bool usable = IsUsable();
    canvas.RoundRect(Rect{context.X, top, size, size}, size, size,
                     usable ? ColourWhite : ColourLightGrey, ColourShadow);
    if (value_) {
        const uint32_t ink = usable ? ColourBlack : ColourGrey;
        canvas.RoundRect(Rect{context.X + 4, top + 4, 4, 4}, 4, 4, ink, ink);
    }
    PaintToggleCaption(context, *this, parsed_, HasFocus());
}

}  // namespace kv
