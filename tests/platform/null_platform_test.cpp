// The headless platform as a whole: real fonts and pictures, null devices.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/null/NullPlatform.h"

namespace kv {
namespace {

TEST(NullPlatform, DrawsWithTheRealFontsAndPictures) {
    std::string error;
    auto platform = CreateNullPlatform({}, error);
    ASSERT_TRUE(platform) << error;
    FontMetrics metrics = platform->Fonts().Metrics(FontFace::Gothic, 16);
    EXPECT_EQ(metrics.LineSkip, 16);
    Glyph wide = platform->Fonts().RenderGlyph(FontFace::Gothic, 16, U'\x5192');
    EXPECT_EQ(wide.Advance, 16);

    Image picture(3, 2, Rgb(10, 20, 30));
    picture.At(2, 1) = Rgb(200, 100, 0);
    auto path = std::filesystem::temp_directory_path() / "kv_null_platform_test.png";
    ASSERT_TRUE(platform->Images().SavePng(picture, path.string()));
    auto loaded = platform->Images().Load(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Width, 3);
    EXPECT_EQ(loaded->At(2, 1) & 0xFFFFFF, Rgb(200, 100, 0));
    EXPECT_EQ(loaded->At(0, 0) & 0xFFFFFF, Rgb(10, 20, 30));
}

TEST(NullPlatform, DevicesAreTheNullOnes) {
    std::string error;
    auto platform = CreateNullPlatform({}, error);
    ASSERT_TRUE(platform) << error;
    Platform& base = *platform;
    base.Midi().Play();
    EXPECT_EQ(platform->Midi().MidiLog(), std::vector<std::string>{"play"});
    base.Screen().SetCaption("x");
    EXPECT_EQ(platform->Screen().Caption(), "x");
    EXPECT_EQ(base.Time().NowMs(), 0);
    InputEvent event;
    ASSERT_TRUE(base.Events().WaitEvent(event, -1));
    EXPECT_EQ(event.Kind, InputEvent::Type::Quit);
}

TEST(NullPlatform, MissingFontsAreAClearError) {
    const char* old = std::getenv("KORVANE_FONT_DIR");
    std::string saved = old ? old : "";
    setenv("KORVANE_FONT_DIR", "/nonexistent/kv-fonts", 1);
    std::string error;
    auto platform = CreateNullPlatform({}, error);
    if (old) {
        setenv("KORVANE_FONT_DIR", saved.c_str(), 1);
    } else {
        unsetenv("KORVANE_FONT_DIR");
    }
    EXPECT_FALSE(platform);
    EXPECT_NE(error.find("/nonexistent/kv-fonts"), std::string::npos) << error;
}

}  // namespace
}  // namespace kv
