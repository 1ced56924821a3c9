#include "ui/CheckBox.h"

#include <algorithm>

#include "platform/Keys.h"

namespace kv {

CheckBox::CheckBox() {
    TabStop = true;
}

void CheckBox::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    parsed_ = ParseAccessCaption(caption_);
    Invalidate();
}

void CheckBox::SetValue(int value) {
    value = value == 0 ? 0 : 1;
    if (value == value_) return;
    value_ = value;
    Invalidate();
    if (OnClick) OnClick();
}

void CheckBox::AccessKeyPressed() {
    SetFocus();
    Toggle();
}

void CheckBox::KeyDown(int& keyCode, int shift) {
    Control::KeyDown(keyCode, shift);
    if (keyCode == Key::Space && (shift & (Key::CtrlMask | Key::AltMask)) == 0) Toggle();
}

void CheckBox::MouseDown(int button, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, x, y);
    if (button == 1) Toggle();
}

void CheckBox::Paint(PaintContext& context) {
    Canvas& canvas = context.Surface;
    PaintBackground(context, *this);
    const int top = context.Y + std::max(0, (Height - ToggleBoxSize) / 2);
    const Rect box{context.X, top, ToggleBoxSize, ToggleBoxSize};
    canvas.FillRect(box, IsUsable() ? ColourWhite : ColourLightGrey);
    PaintBevel(canvas, box, false);
    if (value_ != 0) {
        // A tick two pixels thick, its short arm down to the left.
        const uint32_t ink = IsUsable() ? ColourBlack : ColourGrey;
        for (int t = 0; t < 2; ++t) {
            canvas.Line(box.X + 3, box.Y + 5 + t, box.X + 5, box.Y + 7 + t, ink);
            canvas.Line(box.X + 5, box.Y + 7 + t, box.X + 10, box.Y + 2 + t, ink);
        }
    }
    PaintToggleCaption(context, *this, parsed_, HasFocus());
}

}  // namespace kv
