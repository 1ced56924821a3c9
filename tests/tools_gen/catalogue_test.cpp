#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "Catalogue.h"
#include "Title.h"
#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlImages.h"
#include "ui/Canvas.h"

namespace kv::gen {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MediaCatalogue, TheBuildListsExactlyTheFilesWeWrite) {
    std::ifstream in(KORVANE_MEDIA_MANIFEST);
    ASSERT_TRUE(in) << KORVANE_MEDIA_MANIFEST;
    std::vector<std::string> listed;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') listed.push_back(line);
    }
    const std::vector<std::string> names = MediaFileNames();
    EXPECT_EQ(listed, names);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    // The README is where the scenario's settings file finds the names.
    const std::string readme =
        ReadText(fs::path(KORVANE_MEDIA_MANIFEST).parent_path() / "README.md");
    for (const std::string& name : names) {
        EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << name;
    }
    for (const char* must : {"w0.jpg", "w4.jpg", "d0.jpg", "d4.jpg", "b1.jpg", "b2.jpg",
                             "title.jpg", "town.jpg", "bgm01_title.mid", "bgm19_encounter.mid"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), must), names.end()) << must;
    }
}

class Generation : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        fonts_ = CreateSdlFontLibrary(error);
        if (fonts_ == nullptr) GTEST_SKIP() << error;
        glyphs_ = std::make_unique<GlyphCache>(*fonts_);
        codec_ = CreateSdlImageCodec();
        root_ = fs::temp_directory_path() /
                ("kv_gen_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
    }
    void TearDown() override {
        if (!root_.empty()) fs::remove_all(root_);
    }

    std::unique_ptr<FontLibrary> fonts_;
    std::unique_ptr<GlyphCache> glyphs_;
    std::unique_ptr<ImageCodec> codec_;
    fs::path root_;
};

TEST_F(Generation, TwoRunsWriteTheSameBytes) {
    std::ostringstream log;
    std::string error;
    ASSERT_TRUE(WriteMedia(root_ / "a", MediaPlan(glyphs_.get()), *codec_, log, error)) << error;
    ASSERT_TRUE(WriteMedia(root_ / "b", MediaPlan(glyphs_.get()), *codec_, log, error)) << error;
    for (const std::string& name : MediaFileNames()) {
        const std::string a = ReadText(root_ / "a" / name);
        ASSERT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, ReadText(root_ / "b" / name)) << name << " differs between runs";
    }
    // Every picture decodes again at its size.
    const std::optional<Image> title = codec_->Load((root_ / "a" / "title.jpg").string());
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->Width, 640);
    EXPECT_EQ(title->Height, 480);
    const std::optional<Image> town = codec_->Load((root_ / "a" / "town.jpg").string());
    ASSERT_TRUE(town.has_value());
    EXPECT_EQ(town->Width, 640);
    EXPECT_EQ(town->Height, 480);
    const std::optional<Image> wall = codec_->Load((root_ / "a" / "w3.jpg").string());
    ASSERT_TRUE(wall.has_value());
    EXPECT_EQ(wall->Width, 720);
    EXPECT_EQ(wall->Height, 256);
}

TEST_F(Generation, AFailedWriteNamesTheFile) {
    fs::create_directories(root_);
    const fs::path blocker = root_ / "file";
    std::ofstream(blocker) << "x";
    std::ostringstream log;
    std::string error;
    EXPECT_FALSE(WriteMedia(blocker / "sub", MediaPlan(glyphs_.get()), *codec_, log, error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;

    std::vector<MediaItem> broken{
        MediaItem{"bad.mid", MediaKind::Midi, 0, {}, []() -> std::vector<uint8_t> {
                      throw std::runtime_error("tune does not loop");
                  }}};
    EXPECT_FALSE(WriteMedia(root_, broken, *codec_, log, error));
    EXPECT_EQ(error, "bad.mid: tune does not loop");
}

TEST_F(Generation, TitleKeepsThePromptAndVersionAreasDark) {
    const Image title = RenderTitle(*glyphs_);
    ASSERT_EQ(title.Width, TitleWidth);
    ASSERT_EQ(title.Height, TitleHeight);
    auto mean = [&](int x0, int y0, int w, int h) {
        double sum = 0;
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                const uint32_t p = title.At(x, y);
                sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
            }
        }
        return sum / (3.0 * w * h);
    };
    EXPECT_LT(mean(160, 352, 320, 24), 40.0) << "the start prompt is printed here";
    EXPECT_LT(mean(424, 448, 200, 24), 30.0) << "the version line is printed here";
    int gold = 0;
    for (int y = 10; y < 130; ++y) {
        for (int x = 0; x < TitleWidth; ++x) {
            const uint32_t p = title.At(x, y);
            const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            gold += (r > 190 && g > 120 && b < 150 && r > b + 60) ? 1 : 0;
        }
    }
    EXPECT_GT(gold, 4000) << "the name in gold across the top";
}

}  // namespace
}  // namespace kv::gen
