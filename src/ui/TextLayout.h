#pragma once
// The one walk over a string that places its characters, shared by drawing
// and measuring so the two can never disagree.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/Utf8.h"
#include "ui/Canvas.h"

namespace kv {

// The monospaced face keeps exact columns: whole half-widths whatever the
// glyph says. The proportional face uses the glyph's own advance.
inline int64_t PenAdvance(FontFace face, char32_t c, const Glyph& glyph, int64_t halfWidth) {
    if (c < 0x20 || c == 0x7F) return halfWidth;
    if (face == FontFace::PGothic) return glyph.Advance;
    return IsHalfWidth(c) ? halfWidth : 2 * halfWidth;
}

// Calls place(glyph, penX, line) for each visible character, penX being the
// offset from the line's start and line the 0-based line number. Returns the
// width of the widest line.
template <typename Place>
int64_t LayOutText(GlyphCache& glyphs, std::string_view utf8, FontFace face, int sizePx,
                   Place&& place) {
    const int64_t halfWidth = glyphs.HalfWidth(face, sizePx);
    const int64_t tabStop = std::max<int64_t>(1, 8 * halfWidth);
    int64_t pen = 0;
    int64_t widest = 0;
    int line = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, pos);
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && pos < utf8.size() && utf8[pos] == '\n') ++pos;
            widest = std::max(widest, pen);
            pen = 0;
            ++line;
        } else if (c == U'\t') {
            pen = (pen / tabStop + 1) * tabStop;
        } else if (c < 0x20 || c == 0x7F) {
            pen += halfWidth;  // an unprintable control keeps its cell, blank
        } else {
            const Glyph& glyph = glyphs.Get(face, sizePx, c);
            place(glyph, pen, line);
            pen += PenAdvance(face, c, glyph, halfWidth);
        }
    }
    return std::max(widest, pen);
}

}  // namespace kv
