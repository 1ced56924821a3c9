#include "ui/AccessLabel.h"

#include <algorithm>

namespace kv {

void AccessLabel::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    parsed_ = ParseAccessCaption(caption);
    Invalidate();
}

void AccessLabel::Paint(PaintContext& context) {
    if (BackStyle == BackMode::Opaque) {
        const Rect box{context.X, context.Y, Width, Height};
        if (OutlineColor != 0) {
            context.Surface.RoundRect(box, 8, 8, BackColor, OutlineColor);
        } else {
            context.Surface.FillRect(box, BackColor);
        }
    }
    const FontMetrics metrics = context.Glyphs.Metrics(Face, FontSize);
    const int textWidth = context.Glyphs.TextWidth(parsed_.Text, Face, FontSize);
    int x = context.X;
    if (Alignment == Align::Centre) x += (Width - textWidth) / 2;
    if (Alignment == Align::Right) x += Width - textWidth;
    const int y = context.Y + std::max(0, (Height - metrics.LineSkip) / 2);
    DrawAccessCaption(context, x, y, parsed_, IsUsable() ? ForeColor : ColourGrey, Face, FontSize);
}

}  // namespace kv
