#include "ui/MessageLabel.h"

#include <algorithm>
#include <string_view>

#include "core/Utf8.h"

namespace kv {

namespace {

// Punctuation that may not begin a line: it hangs past the edge instead.
constexpr std::u32string_view NoLineStart = U"、。，．・：；？！ー）」』】〉》’”,.:;?!)]}";

// Letters and digits, half- or full-width: a run of them is a word ("Ｅｓｃ",
// "or", "５００") that wraps whole, as a reader of the Latin parts expects.
bool IsWordCharacter(char32_t c) {
    const auto in = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
    return in(U'0', U'9') || in(U'A', U'Z') || in(U'a', U'z') || in(U'０', U'９') ||
           in(U'Ａ', U'Ｚ') || in(U'ａ', U'ｚ');
}

}  // namespace

std::vector<std::string> WrapText(GlyphCache& glyphs, std::string_view utf8, int maxWidth,
                                  FontFace face, int sizePx) {
    std::vector<std::string> lines(1);
    int pen = 0;
    // Where the word being read began on the current line (npos: no word),
    // and the pen there.
    size_t wordStart = std::string::npos;
    int wordPen = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t start = pos;
        const char32_t c = NextCodePoint(utf8, pos);
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && pos < utf8.size() && utf8[pos] == '\n') ++pos;
            lines.emplace_back();
            pen = 0;
            wordStart = std::string::npos;
            continue;
        }
        const bool inWord = IsWordCharacter(c);
        if (!inWord) {
            wordStart = std::string::npos;
        } else if (wordStart == std::string::npos) {
            wordStart = lines.back().size();
            wordPen = pen;
        }
        const int advance = glyphs.Advance(face, sizePx, c);
        if (pen > 0 && pen + advance > maxWidth &&
            NoLineStart.find(c) == std::u32string_view::npos) {
            if (inWord && wordStart > 0) {
                // The word moves down whole; a word wider than the box
                // still breaks where it must.
                std::string carried = lines.back().substr(wordStart);
                lines.back().erase(wordStart);
                lines.push_back(std::move(carried));
                pen -= wordPen;
            } else {
                lines.emplace_back();
                pen = 0;
            }
            wordStart = inWord ? 0 : std::string::npos;
            wordPen = 0;
        }
        lines.back().append(utf8.substr(start, pos - start));
        pen += advance;
    }
    return lines;
}

int MessageLabel::LinePitch(GlyphCache& glyphs) const {
    return glyphs.Metrics(Face, FontSize).LineSkip + std::max(0, LineGap);
}

void MessageLabel::Paint(PaintContext& context) {
    if (BackStyle == BackMode::Opaque) PaintBackground(context, *this);
    const int pitch = LinePitch(context.Glyphs);
    int y = context.Y;
    for (const std::string& line : WrapText(context.Glyphs, Caption(), Width, Face, FontSize)) {
        if (y >= context.Y + Height) break;
        int x = context.X;
        if (Alignment != Align::Left) {
            const int room = Width - context.Glyphs.TextWidth(line, Face, FontSize);
            x += Alignment == Align::Centre ? room / 2 : room;
        }
        context.Surface.DrawText(context.Glyphs, x, y, line, ForeColor, Face, FontSize);
        y += pitch;
    }
}

}  // namespace kv
