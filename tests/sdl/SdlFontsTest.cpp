#include "platform/sdl/SdlFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace kv {
namespace {

class SdlFontsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        fonts_ = CreateSdlFontLibrary(error);
        ASSERT_NE(fonts_, nullptr) << error;
    }

    Glyph Render(char32_t c, FontFace face = FontFace::Gothic, int size = 16) {
        return fonts_->RenderGlyph(face, size, c);
    }

    std::unique_ptr<FontLibrary> fonts_;
};

bool HasInk(const Glyph& g) {
    return std::any_of(g.Alpha.begin(), g.Alpha.end(), [](uint8_t a) { return a > 0; });
}

// The lowest row with any ink, if any.
std::optional<int> LastInkRow(const Glyph& g) {
    for (int y = g.Height - 1; y >= 0; --y) {
        for (int x = 0; x < g.Width; ++x) {
            if (g.Alpha[static_cast<size_t>(y) * g.Width + x] > 0) return y;
        }
    }
    return std::nullopt;
}

TEST_F(SdlFontsTest, GothicIsEightPixelsHalfWidthAndSixteenFullWidthAtSixteen) {
    for (char32_t c : {U'A', U'i', U'W', U'0', U' ', U'ｱ'}) {
        EXPECT_EQ(Render(c).Advance, 8) << static_cast<uint32_t>(c);
    }
    for (char32_t c : {U'あ', U'漢', U'▲', U'▼', U'　', U'Ａ'}) {
        EXPECT_EQ(Render(c).Advance, 16) << static_cast<uint32_t>(c);
    }
    const FontMetrics m = fonts_->Metrics(FontFace::Gothic, 16);
    EXPECT_EQ(m.LineSkip, 16);
    EXPECT_EQ(m.Height, 16);
    EXPECT_GT(m.Ascent, 0);
    EXPECT_LE(m.Ascent, m.Height);
}

TEST_F(SdlFontsTest, ProportionalGothicGivesNarrowLettersLessRoom) {
    EXPECT_LT(Render(U'i', FontFace::PGothic).Advance, Render(U'W', FontFace::PGothic).Advance);
    EXPECT_EQ(fonts_->Metrics(FontFace::PGothic, 16).LineSkip, 16);
}

TEST_F(SdlFontsTest, GlyphCellsHoldTheirInkAndStartAtTheLineTop) {
    for (char32_t c : {U'▲', U'▼', U'あ', U'漢', U'A'}) {
        const Glyph g = Render(c);
        EXPECT_TRUE(HasInk(g)) << static_cast<uint32_t>(c);
        EXPECT_GE(g.Width, g.Advance);
        EXPECT_GE(g.Height, 16);
        EXPECT_EQ(g.Alpha.size(), static_cast<size_t>(g.Width) * g.Height);
    }
    const Glyph space = Render(U' ');
    EXPECT_FALSE(HasInk(space));
    EXPECT_EQ(space.Alpha.size(), static_cast<size_t>(space.Width) * space.Height);

    // Cells share the line top, so letters on one baseline end on one row.
    const std::optional<int> baseline = LastInkRow(Render(U'H'));
    ASSERT_TRUE(baseline);
    EXPECT_EQ(LastInkRow(Render(U'x')), baseline);
    EXPECT_EQ(LastInkRow(Render(U'A')), baseline);
    EXPECT_GT(LastInkRow(Render(U'p')).value_or(0), *baseline);
}

TEST_F(SdlFontsTest, DescendersBelowTheCellAreKept) {
    // Proportional 'g' at 16 px reaches below the 16-pixel line.
    const Glyph g = Render(U'g', FontFace::PGothic);
    EXPECT_GT(g.Height, fonts_->Metrics(FontFace::PGothic, 16).Height);
    EXPECT_EQ(LastInkRow(g), g.Height - 1);
}

TEST_F(SdlFontsTest, RenderCountCountsEveryRender) {
    const uint64_t before = fonts_->RenderCount();
    Render(U'あ');
    Render(U'あ');
    Render(U'A', FontFace::PGothic, 12);
    EXPECT_EQ(fonts_->RenderCount(), before + 3);
    fonts_->Metrics(FontFace::Gothic, 24);
    EXPECT_EQ(fonts_->RenderCount(), before + 3);
}

TEST_F(SdlFontsTest, OtherSizesScaleTheCell) {
    EXPECT_EQ(Render(U'A', FontFace::Gothic, 24).Advance, 12);
    EXPECT_EQ(Render(U'漢', FontFace::Gothic, 24).Advance, 24);
    EXPECT_EQ(fonts_->Metrics(FontFace::Gothic, 24).LineSkip, 24);
}

TEST_F(SdlFontsTest, OddRequestsGiveSafeGlyphs) {
    for (char32_t c : {char32_t{0x110000}, char32_t{0xD800}, char32_t{0}, char32_t{0x10FFFF}}) {
        const Glyph g = Render(c);
        EXPECT_EQ(g.Alpha.size(), static_cast<size_t>(g.Width) * g.Height);
    }
    const Glyph tiny = fonts_->RenderGlyph(FontFace::Gothic, 0, U'A');
    EXPECT_EQ(tiny.Alpha.size(), static_cast<size_t>(tiny.Width) * tiny.Height);
    const Glyph negative = fonts_->RenderGlyph(FontFace::Gothic, -20, U'A');
    EXPECT_EQ(negative.Alpha.size(), static_cast<size_t>(negative.Width) * negative.Height);
    const Glyph badFace = fonts_->RenderGlyph(static_cast<FontFace>(7), 16, U'A');
    EXPECT_EQ(badFace.Advance, 8);
}

// Points the library at another folder for one scope.
class FontFolderOverride {
  public:
    explicit FontFolderOverride(const char* folder) {
        if (const char* old = std::getenv("KORVANE_FONT_DIR")) old_ = old;
        setenv("KORVANE_FONT_DIR", folder, 1);
    }
    ~FontFolderOverride() {
        if (old_) {
            setenv("KORVANE_FONT_DIR", old_->c_str(), 1);
        } else {
            unsetenv("KORVANE_FONT_DIR");
        }
    }

  private:
    std::optional<std::string> old_;
};

TEST(SdlFontLibrary, MissingFontNamesTheFileItLookedFor) {
    FontFolderOverride folder("/no/such/folder");
    std::string error;
    EXPECT_EQ(CreateSdlFontLibrary(error), nullptr);
    EXPECT_EQ(error, "font not found: /no/such/folder/ipag.ttf");
}

TEST(SdlFontLibrary, SeveralLibrariesLiveSideBySide) {
    std::string error;
    std::unique_ptr<FontLibrary> first = CreateSdlFontLibrary(error);
    std::unique_ptr<FontLibrary> second = CreateSdlFontLibrary(error);
    ASSERT_NE(first, nullptr) << error;
    ASSERT_NE(second, nullptr) << error;
    first.reset();
    EXPECT_TRUE(HasInk(second->RenderGlyph(FontFace::Gothic, 16, U'漢')));
}

}  // namespace
}  // namespace kv
