#include "ui/AccessCaption.h"

#include <algorithm>

#include "core/Utf8.h"
#include "platform/Keys.h"

namespace kv {

namespace {

int KeyForCharacter(char32_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a') + Key::A;
    if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A') + Key::A;
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0') + Key::Digit0;
    return 0;  // underlined, but no key reaches it
}

}  // namespace

AccessCaption ParseAccessCaption(std::string_view caption) {
    AccessCaption out;
    size_t pos = 0;
    while (pos < caption.size()) {
        if (caption[pos] != '&') {
            const size_t start = pos;
            NextCodePoint(caption, pos);
            out.Text.append(caption.substr(start, pos - start));
            continue;
        }
        ++pos;
        if (pos >= caption.size()) break;  // a trailing '&' marks nothing
        if (caption[pos] == '&') {
            out.Text += '&';
            ++pos;
            continue;
        }
        const size_t start = pos;
        const char32_t c = NextCodePoint(caption, pos);
        if (out.MarkAt == std::string::npos) {  // the first mark wins
            out.MarkAt = out.Text.size();
            out.MarkLength = pos - start;
            out.Key = KeyForCharacter(c);
        }
        out.Text.append(caption.substr(start, pos - start));
    }
    return out;
}

int DrawAccessCaption(PaintContext& context, int x, int y, const AccessCaption& caption,
                      uint32_t colour, FontFace face, int sizePx) {
    const int width =
        context.Surface.DrawText(context.Glyphs, x, y, caption.Text, colour, face, sizePx);
    if (caption.MarkAt != std::string::npos) {
        const std::string_view text = caption.Text;
        const int before = context.Glyphs.TextWidth(text.substr(0, caption.MarkAt), face, sizePx);
        const int mark =
            context.Glyphs.TextWidth(text.substr(caption.MarkAt, caption.MarkLength), face, sizePx);
        const FontMetrics metrics = context.Glyphs.Metrics(face, sizePx);
        const int underline = std::min(metrics.Ascent + 1, std::max(metrics.LineSkip - 1, 0));
        context.Surface.FillRect(Rect{x + before, y + underline, mark, 1}, colour);
    }
    return width;
}

void DrawFocusRect(Canvas& canvas, Rect r, uint32_t colour) {
    if (r.W <= 0 || r.H <= 0) return;
    for (int i = 0; i < r.W; i += 2) {
        canvas.SetPixel(r.X + i, r.Y, colour);
        canvas.SetPixel(r.X + i, r.Y + r.H - 1, colour);
    }
    for (int i = 0; i < r.H; i += 2) {
        canvas.SetPixel(r.X, r.Y + i, colour);
        canvas.SetPixel(r.X + r.W - 1, r.Y + i, colour);
    }
}

void PaintToggleCaption(PaintContext& context, const Control& control, const AccessCaption& caption,
                        bool focused) {
    const int x = context.X + ToggleBoxSize + ToggleCaptionGap;
    const int lineSkip = context.Glyphs.Metrics(control.Face, control.FontSize).LineSkip;
    const int y = context.Y + std::max(0, (control.Height - lineSkip) / 2);
    const uint32_t colour = control.IsUsable() ? control.ForeColor : ColourGrey;
    const int width =
        DrawAccessCaption(context, x, y, caption, colour, control.Face, control.FontSize);
    if (focused)
        DrawFocusRect(context.Surface, Rect{x - 1, y - 1, width + 2, lineSkip + 2}, colour);
}

}  // namespace kv
