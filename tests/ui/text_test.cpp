#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Utf8.h"
#include "ui/Canvas.h"

#if __has_include("platform/sdl/SdlFonts.h")
#include "platform/sdl/SdlFonts.h"
#define KORVANE_HAVE_SDL_FONTS 1
#endif

namespace kv {
namespace {

constexpr uint32_t White = 0x00FFFFFF;

// A rasteriser with known shapes: every glyph cell is the advance wide and 16
// high, coverage 255 in its top-left pixel, 128 right of it, 255 below it and
// nothing elsewhere. Full-width glyphs claim an advance of 15 so the
// monospaced rule (two half-widths) is visible.
class FakeFonts : public FontLibrary {
  public:
    FontMetrics Metrics(FontFace, int) override { return {18, 14, 16}; }
    Glyph RenderGlyph(FontFace, int, char32_t c) override {
        ++renders_;
        Glyph g;
        g.Advance = IsHalfWidth(c) ? 8 : 15;
        g.Width = g.Advance;
        g.Height = 16;
        g.Alpha.assign(static_cast<size_t>(g.Width) * g.Height, 0);
        if (c != U' ') {
            g.Alpha[0] = 255;
            g.Alpha[1] = 128;
            g.Alpha[g.Width] = 255;
        }
        return g;
    }
    uint64_t RenderCount() const override { return renders_; }

  private:
    uint64_t renders_ = 0;
};

// Top-left corners of the glyphs drawn in white on black: the 255 pixels
// with another 255 below.
std::vector<Point> GlyphOrigins(const Image& image) {
    std::vector<Point> out;
    for (int y = 0; y + 1 < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (image.At(x, y) == White && image.At(x, y + 1) == White) out.push_back({x, y});
    return out;
}

TEST(GlyphCacheTest, RendersEachGlyphOnce) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    Image image(200, 40);
    Canvas canvas(image);
    canvas.DrawText(cache, 0, 0, "\xE5\x89\xA3 HP 10", White);  // "剣 HP 10"
    const uint64_t afterFirst = fonts.RenderCount();
    EXPECT_EQ(afterFirst, 6u);  // 剣, space, H, P, 1, 0 ('0' also gives the half-width)
    canvas.DrawText(cache, 0, 20, "\xE5\x89\xA3 HP 10", White);
    EXPECT_EQ(fonts.RenderCount(), afterFirst);
    // Another size or face is another glyph.
    cache.Get(FontFace::Gothic, 12, U'H');
    cache.Get(FontFace::PGothic, 16, U'H');
    EXPECT_EQ(fonts.RenderCount(), afterFirst + 2);
    EXPECT_EQ(&cache.Get(FontFace::Gothic, 16, U'H'), &cache.Get(FontFace::Gothic, 16, U'H'));
}

TEST(GlyphCacheTest, MonospacedWidthsAreWholeHalfWidths) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    EXPECT_EQ(cache.HalfWidth(FontFace::Gothic, 16), 8);
    EXPECT_EQ(cache.TextWidth("\xEF\xBC\xA1\xEF\xBC\xA2"
                              "C"),
              40);                                  // "ＡＢC": 5 half-widths
    EXPECT_EQ(cache.TextWidth("\xEF\xBD\xB1"), 8);  // half-width katakana
    EXPECT_EQ(cache.Advance(FontFace::Gothic, 16, U'\uFF21'), 16);
    // The proportional face keeps the glyph's own advance.
    EXPECT_EQ(cache.TextWidth("\xEF\xBC\xA1\xEF\xBC\xA2"
                              "C",
                              FontFace::PGothic),
              38);
    EXPECT_EQ(cache.TextWidth(""), 0);
}

TEST(GlyphCacheTest, BrokenGlyphsAndWildSizesAreSafe) {
    class BrokenFonts : public FakeFonts {
      public:
        Glyph RenderGlyph(FontFace, int, char32_t) override {
            Glyph g;
            g.Width = 50;
            g.Height = 50;
            g.Advance = -3;
            g.Alpha.assign(10, 255);  // far too short for its size
            return g;
        }
    } fonts;
    GlyphCache cache(fonts);
    const Glyph& g = cache.Get(FontFace::Gothic, -5, U'A');
    EXPECT_EQ(g.Width * g.Height, 0);
    EXPECT_EQ(g.Advance, 0);
    EXPECT_GT(cache.HalfWidth(FontFace::Gothic, 100000), 0);
    Image image(8, 8);
    Canvas(image).DrawText(cache, 0, 0, "AB\tC", White);
    EXPECT_EQ(image.Pixels, std::vector<uint32_t>(64, 0));
}

TEST(CanvasText, GlyphsSitAtThePenOnEveryLine) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    Image image(120, 60);
    Canvas canvas(image);
    // "\r\n" counts once, a lone "\r" breaks too, a tab goes to 8 half-widths.
    const int width = canvas.DrawText(cache, 2, 1,
                                      "A\xEF\xBC\xA1"
                                      "B\r\nC\rD\tE",
                                      White);
    EXPECT_EQ(GlyphOrigins(image), (std::vector<Point>{
                                       {2, 1},
                                       {10, 1},
                                       {26, 1},  // A Ａ B
                                       {2, 19},  // C
                                       {2, 37},
                                       {66, 37},  // D, tab, E
                                   }));
    EXPECT_EQ(width, 72);  // the last line: 8 half-widths then E
    EXPECT_EQ(cache.TextWidth("A\xEF\xBC\xA1"
                              "B\r\nC\rD\tE"),
              72);
}

TEST(CanvasText, AlphaBlendsTheColourOverTheBackground) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    Image image(8, 3, 0x00204060);
    Canvas(image).DrawText(cache, 0, 0, "A", 0x00E0C0A0);
    EXPECT_EQ(image.At(0, 0), 0x00E0C0A0u);  // alpha 255: the colour
    EXPECT_EQ(image.At(0, 1), 0x00E0C0A0u);
    // alpha 128: each channel 128/255 of the way from the background.
    EXPECT_EQ(image.At(1, 0), Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(image.At(2, 0), 0x00204060u);  // alpha 0: untouched
    EXPECT_EQ(image.At(1, 1), 0x00204060u);
}

TEST(CanvasText, ClippedAtTheClipRectangle) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    Image image(16, 16);
    Canvas canvas(image);
    canvas.SetClip({0, 0, 9, 16});
    canvas.DrawText(cache, 1, 0, "AB", White);  // B starts at x 9, outside
    canvas.DrawText(cache, -8, -1, "AB", White);
    canvas.DrawText(cache, 7, 15, "A", White);  // only its top row shows
    canvas.DrawText(cache, INT32_MAX - 4, INT32_MIN + 2, "ABC\nD", White);
    EXPECT_EQ(image.At(1, 0), White);
    EXPECT_EQ(image.At(0, 0), White);  // the second B: its top row is above the picture
    EXPECT_EQ(image.At(7, 15), White);
    EXPECT_EQ(image.At(8, 15), Rgb(0x80, 0x80, 0x80));  // half coverage on black
    for (int y = 0; y < 16; ++y)
        for (int x = 9; x < 16; ++x) EXPECT_EQ(image.At(x, y), 0u) << x << "," << y;
}

TEST(CanvasText, RotatedTextRunsDownAVerticalStrip) {
    FakeFonts fonts;
    GlyphCache cache(fonts);
    Image image(40, 40);
    Canvas(image).DrawTextRotated(cache, 10, 2,
                                  "A\xEF\xBC\xA1"
                                  "B",
                                  White);
    // Each glyph's top-left corner turns to the strip's right edge, and what
    // lay below it (the second 255 pixel) now lies left of it.
    std::vector<Point> lit;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (image.At(x, y) != 0) lit.push_back({x, y});
    EXPECT_EQ(lit, (std::vector<Point>{{24, 2},
                                       {25, 2},
                                       {25, 3},  // A
                                       {24, 10},
                                       {25, 10},
                                       {25, 11},  // Ａ, two half-widths
                                       {24, 26},
                                       {25, 26},
                                       {25, 27}}));     // B
    EXPECT_EQ(image.At(25, 3), Rgb(0x80, 0x80, 0x80));  // the 128 pixel went downwards
}

#ifdef KORVANE_HAVE_SDL_FONTS
class RealFonts : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        fonts_ = CreateSdlFontLibrary(error);
        if (!fonts_) GTEST_SKIP() << "fonts unavailable: " << error;
    }
    std::unique_ptr<FontLibrary> fonts_;
};

TEST_F(RealFonts, FullWidthIsExactlyTwoHalfWidths) {
    GlyphCache cache(*fonts_);
    const int half = cache.HalfWidth(FontFace::Gothic, 16);
    EXPECT_EQ(half, 8);
    EXPECT_EQ(cache.TextWidth("\xEF\xBC\xA1"), 2 * cache.TextWidth("A"));  // "Ａ" vs "A"
    EXPECT_EQ(cache.TextWidth("\xEF\xBC\xA1\xEF\xBC\xA2"
                              "C"),
              5 * half);
    EXPECT_EQ(cache.TextWidth("\xE3\x81\x82\xEF\xBD\xB1"), 3 * half);  // "あｱ"
}

TEST_F(RealFonts, SecondDrawRendersNothingNew) {
    GlyphCache cache(*fonts_);
    Image image(320, 40);
    Canvas canvas(image);
    const std::string line = "\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85 Lv 12";  // "冒険者 Lv 12"
    canvas.DrawText(cache, 0, 0, line, White);
    const uint64_t count = fonts_->RenderCount();
    canvas.DrawText(cache, 0, 20, line, White);
    EXPECT_EQ(fonts_->RenderCount(), count);
    int lit = 0;
    for (uint32_t p : image.Pixels) lit += p != 0;
    EXPECT_GT(lit, 50);  // real glyphs have ink
}

TEST_F(RealFonts, RotatedTextStaysInItsStrip) {
    GlyphCache cache(*fonts_);
    const FontMetrics m = cache.Metrics(FontFace::Gothic, 16);
    Image image(64, 80);
    Canvas(image).DrawTextRotated(cache, 20, 4,
                                  "\xE5\x8C\x97"
                                  "N",
                                  White);  // "北N"
    int lit = 0;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            if (image.At(x, y) == 0) continue;
            ++lit;
            EXPECT_TRUE(x >= 20 && x < 20 + m.Height && y >= 4 && y < 4 + 24) << x << "," << y;
        }
    }
    EXPECT_GT(lit, 20);
}
#endif

}  // namespace
}  // namespace kv
