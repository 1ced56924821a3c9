#include "ui/Button.h"

#include <algorithm>

#include "platform/Keys.h"

namespace kv {

Button::Button() {
    TabStop = true;
    BackColor = ColourFace;
    ForeColor = ColourBlack;
}

void Button::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    parsed_ = ParseAccessCaption(caption_);
    Invalidate();
}

void Button::Press() {
    if (IsUsable() && OnClick) OnClick();
}

void Button::AccessKeyPressed() {
    SetFocus();
    Press();
}

void Button::KeyDown(int& keyCode, int shift) {
    Control::KeyDown(keyCode, shift);
    if ((keyCode == Key::Space || keyCode == Key::Return) &&
        (shift & (Key::CtrlMask | Key::AltMask)) == 0) {
        keyCode = 0;  // pressed: no KeyPress follows
        Press();
    }
}

void Button::MouseDown(int button, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, x, y);
    if (button == 1) Press();
}

void Button::Paint(PaintContext& context) {
    Canvas& canvas = context.Surface;
    PaintBackground(context, *this);
    Rect face{context.X, context.Y, Width, Height};
    if (Default) {
        // The default button wears a dark frame around its bevel.
        canvas.FrameRect(face, ColourBlack);
        face = Rect{face.X + 1, face.Y + 1, face.W - 2, face.H - 2};
    }
    PaintBevel(canvas, face, true);
    const int width = context.Glyphs.TextWidth(parsed_.Text, Face, FontSize);
    const int lineSkip = context.Glyphs.Metrics(Face, FontSize).LineSkip;
    const int x = context.X + (Width - width) / 2;
    const int y = context.Y + (Height - lineSkip) / 2;
    const uint32_t colour = IsUsable() ? ForeColor : ColourGrey;
    DrawAccessCaption(context, x, y, parsed_, colour, Face, FontSize);
    if (HasFocus()) {
        DrawFocusRect(canvas, Rect{context.X + 3, context.Y + 3, Width - 6, Height - 6}, colour);
    }
}

}  // namespace kv
