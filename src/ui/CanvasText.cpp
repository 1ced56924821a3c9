// Text on the canvas: glyph coverage blended with the colour over what lies
// beneath, upright or turned a quarter clockwise.
#include <algorithm>
#include <limits>

#include "ui/Canvas.h"
#include "ui/TextLayout.h"

namespace kv {

namespace {

// Exact round(value / 255) for value in 0..255*255.
inline uint32_t Div255(uint32_t value) {
    value += 128;
    return (value + (value >> 8)) >> 8;
}

inline uint32_t Blend(uint32_t dst, uint32_t colour, uint32_t alpha) {
    if (alpha == 255) return colour & 0x00FFFFFFu;
    const uint32_t keep = 255 - alpha;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = (colour >> shift) & 255;
        const uint32_t d = (dst >> shift) & 255;
        out |= Div255(c * alpha + d * keep) << shift;
    }
    return out;
}

}  // namespace

void Canvas::DrawGlyph(const Glyph& glyph, int64_t x, int64_t y, uint32_t colour) {
    const Rect area = Area();
    const int64_t gx0 = std::max<int64_t>(0, area.X - x);
    const int64_t gy0 = std::max<int64_t>(0, area.Y - y);
    const int64_t gx1 = std::min<int64_t>(glyph.Width, int64_t{area.X} + area.W - x);
    const int64_t gy1 = std::min<int64_t>(glyph.Height, int64_t{area.Y} + area.H - y);
    for (int64_t gy = gy0; gy < gy1; ++gy) {
        const uint8_t* alpha = &glyph.Alpha[static_cast<size_t>(gy * glyph.Width)];
        uint32_t* row = &image_.At(0, static_cast<int>(y + gy));
        for (int64_t gx = gx0; gx < gx1; ++gx) {
            if (alpha[gx] != 0) row[x + gx] = Blend(row[x + gx], colour, alpha[gx]);
        }
    }
}

// Turning clockwise sends glyph row gy to the column stripWidth-1-gy of the
// strip and glyph column gx down to row gx. Rows below the strip are dropped.
void Canvas::DrawGlyphTurned(const Glyph& glyph, int64_t x, int64_t y, int stripWidth,
                             uint32_t colour) {
    const Rect area = Area();
    const int64_t rows = std::min(glyph.Height, stripWidth);
    for (int64_t gy = 0; gy < rows; ++gy) {
        const int64_t cx = x + stripWidth - 1 - gy;
        if (cx < area.X || cx >= int64_t{area.X} + area.W) continue;
        const int64_t gx0 = std::max<int64_t>(0, area.Y - y);
        const int64_t gx1 = std::min<int64_t>(glyph.Width, int64_t{area.Y} + area.H - y);
        const uint8_t* alpha = &glyph.Alpha[static_cast<size_t>(gy * glyph.Width)];
        for (int64_t gx = gx0; gx < gx1; ++gx) {
            if (alpha[gx] == 0) continue;
            uint32_t& pixel = image_.At(static_cast<int>(cx), static_cast<int>(y + gx));
            pixel = Blend(pixel, colour, alpha[gx]);
        }
    }
}

int Canvas::DrawText(GlyphCache& glyphs, int x, int y, std::string_view utf8, uint32_t colour,
                     FontFace face, int sizePx) {
    const int64_t lineSkip = glyphs.Metrics(face, sizePx).LineSkip;
    const bool visible = Area().W > 0;
    const int64_t width =
        LayOutText(glyphs, utf8, face, sizePx, [&](const Glyph& glyph, int64_t pen, int line) {
            if (visible) DrawGlyph(glyph, x + pen, y + line * lineSkip, colour);
        });
    return static_cast<int>(std::min<int64_t>(width, std::numeric_limits<int>::max()));
}

void Canvas::DrawTextRotated(GlyphCache& glyphs, int x, int y, std::string_view utf8,
                             uint32_t colour, FontFace face, int sizePx) {
    if (Area().W <= 0) return;
    const FontMetrics metrics = glyphs.Metrics(face, sizePx);
    LayOutText(glyphs, utf8, face, sizePx, [&](const Glyph& glyph, int64_t pen, int line) {
        DrawGlyphTurned(glyph, x - line * int64_t{metrics.LineSkip}, y + pen, metrics.Height,
                        colour);
    });
}

}  // namespace kv
