#include <algorithm>
#include <limits>
#include <unordered_map>

#include "ui/Canvas.h"
#include "ui/TextLayout.h"

namespace kv {

namespace {

// Sizes outside this range are taken as the nearest inside, so a wild value
// never reaches the rasteriser.
constexpr int MinSize = 1;
constexpr int MaxSize = 512;

// Face, size and code point packed in one word: 1 + 10 + 21 bits.
uint64_t GlyphKey(FontFace face, int sizePx, char32_t codePoint) {
    return (static_cast<uint64_t>(face) << 31) | (static_cast<uint64_t>(sizePx) << 21) |
           static_cast<uint64_t>(codePoint);
}

uint64_t FaceKey(FontFace face, int sizePx) {
    return (static_cast<uint64_t>(face) << 10) | static_cast<uint64_t>(sizePx);
}

// A glyph whose coverage does not match its size would be read past its end
// when drawn; it keeps its advance and loses its picture.
void Sanitise(Glyph& glyph) {
    glyph.Advance = std::max(glyph.Advance, 0);
    if (glyph.Width <= 0 || glyph.Height <= 0 ||
        glyph.Alpha.size() < static_cast<size_t>(glyph.Width) * glyph.Height) {
        glyph.Width = 0;
        glyph.Height = 0;
        glyph.Alpha.clear();
    }
}

}  // namespace

struct GlyphCache::Impl {
    struct FaceInfo {
        FontMetrics Metrics;
        int HalfWidth = 0;  // 0 until first asked for
    };
    std::unordered_map<uint64_t, Glyph> Glyphs;
    std::unordered_map<uint64_t, FaceInfo> Faces;

    FaceInfo& Face(FontLibrary& fonts, FontFace face, int sizePx) {
        auto [it, added] = Faces.try_emplace(FaceKey(face, sizePx));
        if (added) {
            FontMetrics m = fonts.Metrics(face, sizePx);
            m.Height = m.Height > 0 ? m.Height : sizePx;
            m.LineSkip = m.LineSkip > 0 ? m.LineSkip : m.Height;
            m.Ascent = std::clamp(m.Ascent, 0, m.Height);
            it->second.Metrics = m;
        }
        return it->second;
    }
};

GlyphCache::GlyphCache(FontLibrary& fonts) : fonts_(fonts), impl_(std::make_shared<Impl>()) {}

const Glyph& GlyphCache::Get(FontFace face, int sizePx, char32_t codePoint) {
    sizePx = std::clamp(sizePx, MinSize, MaxSize);
    if (codePoint > 0x10FFFF) codePoint = 0xFFFD;
    auto [it, added] = impl_->Glyphs.try_emplace(GlyphKey(face, sizePx, codePoint));
    if (added) {
        it->second = fonts_.RenderGlyph(face, sizePx, codePoint);
        Sanitise(it->second);
    }
    return it->second;
}

FontMetrics GlyphCache::Metrics(FontFace face, int sizePx) {
    sizePx = std::clamp(sizePx, MinSize, MaxSize);
    return impl_->Face(fonts_, face, sizePx).Metrics;
}

int GlyphCache::HalfWidth(FontFace face, int sizePx) {
    sizePx = std::clamp(sizePx, MinSize, MaxSize);
    Impl::FaceInfo& info = impl_->Face(fonts_, face, sizePx);
    if (info.HalfWidth == 0) {
        const int advance = Get(face, sizePx, U'0').Advance;
        info.HalfWidth = advance > 0 ? advance : std::max(1, sizePx / 2);
    }
    return info.HalfWidth;
}

int GlyphCache::Advance(FontFace face, int sizePx, char32_t codePoint) {
    const int64_t advance =
        PenAdvance(face, codePoint, Get(face, sizePx, codePoint), HalfWidth(face, sizePx));
    return static_cast<int>(std::min<int64_t>(advance, std::numeric_limits<int>::max()));
}

int GlyphCache::TextWidth(std::string_view utf8, FontFace face, int sizePx) {
    const int64_t width = LayOutText(*this, utf8, face, sizePx, [](const Glyph&, int64_t, int) {});
    return static_cast<int>(std::min<int64_t>(width, std::numeric_limits<int>::max()));
}

}  // namespace kv
