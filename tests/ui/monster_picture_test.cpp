// The monster picture: centred by whole-number halves at the box's size as it
// stands, shown and filled from a real bitmap, or hidden for every way the
// picture can be missing.
#include "ui/MonsterPicture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "UiFixture.h"
#include "core/Game.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// A 24-bit bottom-up BMP, written out byte by byte.
std::string Bitmap(int width, int height, uint32_t colour) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const int size = 54 + stride * height;
    std::string b(static_cast<size_t>(size), '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(size));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int at = 54 + y * stride + x * 3;
            b[at] = static_cast<char>(colour & 0xFF);
            b[at + 1] = static_cast<char>((colour >> 8) & 0xFF);
            b[at + 2] = static_cast<char>((colour >> 16) & 0xFF);
        }
    }
    return b;
}

class MonsterPictureTest : public test::UiTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        root_ = fs::temp_directory_path() /
                ("korvane-picture-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "save");
        fs::create_directories(root_ / "data");
        game_ = std::make_unique<Game>();
        game_->SaveFolder = root_ / "save";
        game_->DataFolder = root_ / "data";
        main_ = std::make_unique<Window>(Manager());
        main_->Move(0, 0, 640, 480);
        main_->Add(box_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void Put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void Pictures(const std::string& section) {
        Put(root_ / "save" / "KVR.ini", "[画像]\r\n" + section);
    }

    fs::path root_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Window> main_;
    PictureBox box_;
};

TEST(CentredPositionRule, EachHalfIsAWholeNumber) {
    EXPECT_EQ(CentredPosition(640, 480, 200, 150), (Point{220, 165}));
    EXPECT_EQ(CentredPosition(640, 480, 201, 151), (Point{220, 165}));
    // Halving each side first differs from halving the difference.
    EXPECT_EQ(CentredPosition(300, 200, 101, 51), (Point{100, 75}));
    EXPECT_EQ(CentredPosition(301, 201, 100, 50), (Point{100, 75}));
    EXPECT_EQ(CentredPosition(640, 480, 800, 600), (Point{-80, -60}));
}

TEST_F(MonsterPictureTest, PictureIsCentredShownAndLoaded) {
    Put(root_ / "data" / "slime.bmp", Bitmap(3, 2, Rgb(10, 200, 30)));
    Pictures("スライム=C:\\KVR\\pictures\\slime.bmp\r\n");
    box_.Move(5, 5, 201, 151);
    box_.Visible = false;

    ShowMonsterPicture(box_, "スライム", *game_, Manager());

    EXPECT_TRUE(box_.Visible);
    EXPECT_EQ((Point{box_.Left, box_.Top}), (Point{220, 165}));
    EXPECT_EQ(box_.Width, 201);
    ASSERT_EQ(box_.Picture().Width, 3);
    ASSERT_EQ(box_.Picture().Height, 2);
    EXPECT_EQ(box_.Picture().At(2, 1) & 0xFFFFFF, Rgb(10, 200, 30));
}

TEST_F(MonsterPictureTest, CentringUsesTheOwnerWindowAndTheSizeBeforeLoading) {
    const fs::path orc = root_ / "data" / "orc.bmp";
    Put(orc, Bitmap(40, 20, Rgb(90, 90, 90)));
    Pictures("オーク=" + orc.string() + "\r\n");
    main_->Move(0, 0, 300, 200);
    box_.Move(0, 0, 101, 51);
    box_.SetAutoSize(true);

    ShowMonsterPicture(box_, "オーク", *game_, Manager());

    EXPECT_EQ((Point{box_.Left, box_.Top}), (Point{100, 75}));
    EXPECT_EQ((Point{box_.Width, box_.Height}), (Point{40, 20})) << "sized after placing";

    PictureBox loose;  // in no window: the canvas is its client area
    loose.Move(0, 0, 100, 60);
    ShowMonsterPicture(loose, "オーク", *game_, Manager());
    EXPECT_EQ((Point{loose.Left, loose.Top}), (Point{270, 210}));
    EXPECT_TRUE(loose.Visible);
}

TEST_F(MonsterPictureTest, BoxIsHiddenWhenThereIsNoPicture) {
    Put(root_ / "data" / "broken.bmp", "BM not really a bitmap");
    Put(root_ / "data" / "ghost.bmp", Bitmap(2, 2, Rgb(255, 255, 255)));
    Pictures(
        "空=\r\n"
        "迷子=C:\\pictures\\lost.bmp\r\n"
        "壊れ=broken.bmp\r\n"
        "幽霊=ghost.bmp\r\n");
    for (const char* name : {"空", "迷子", "壊れ", "名無し", ""}) {
        // Start from a box that shows the last monster's picture.
        box_.Move(7, 9, 64, 64);
        ShowMonsterPicture(box_, "幽霊", *game_, Manager());
        ASSERT_TRUE(box_.Visible);
        ASSERT_FALSE(box_.Picture().Empty());

        ShowMonsterPicture(box_, name, *game_, Manager());
        EXPECT_FALSE(box_.Visible) << name;
    }
    // Only a picture that failed to decode is dropped; a missing one leaves
    // the box as it was, just hidden.
    ShowMonsterPicture(box_, "幽霊", *game_, Manager());
    ShowMonsterPicture(box_, "壊れ", *game_, Manager());
    EXPECT_TRUE(box_.Picture().Empty());
}

TEST_F(MonsterPictureTest, NoSettingsFileHidesTheBox) {
    box_.Move(7, 9, 64, 64);
    ShowMonsterPicture(box_, "スライム", *game_, Manager());
    EXPECT_FALSE(box_.Visible);
    EXPECT_EQ((Point{box_.Left, box_.Top}), (Point{7, 9})) << "a hidden box is not moved";
}

}  // namespace
}  // namespace kv
