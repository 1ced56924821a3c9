#include "ui/Label.h"

#include <vector>

namespace kv {

namespace {

// "\r\n", "\n" and a lone "\r" each end a line, as the canvas reads them.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

void Label::SetCaption(std::string_view utf8) {
    if (caption_ == utf8) return;
    caption_ = utf8;
    Invalidate();
}

void Label::Paint(PaintContext& context) {
    if (BackStyle == BackMode::Opaque) PaintBackground(context, *this);
    const int inset = BorderStyle == Border::Single ? 1 : 0;
    if (inset > 0) context.Surface.FrameRect(Rect{context.X, context.Y, Width, Height}, ForeColor);
    const int lineSkip = context.Glyphs.Metrics(Face, FontSize).LineSkip;
    int y = context.Y + inset;
    for (std::string_view line : SplitLines(caption_)) {
        if (y >= context.Y + Height) break;
        int x = context.X + inset;
        if (Alignment != Align::Left) {
            const int room = Width - 2 * inset - context.Glyphs.TextWidth(line, Face, FontSize);
            x += Alignment == Align::Centre ? room / 2 : room;
        }
        context.Surface.DrawText(context.Glyphs, x, y, line, ForeColor, Face, FontSize);
        y += lineSkip;
    }
}

}  // namespace kv
