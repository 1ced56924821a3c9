// A window whose picture fills it skips its own background; a picture short
// of its box shows the box's background, and a box moved off the corner
// leaves the window's own background showing.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "ui/PictureBox.h"

namespace kv::test {
namespace {

constexpr uint32_t Background = Rgb(10, 20, 30);
constexpr uint32_t Art = Rgb(200, 50, 25);
constexpr uint32_t BoxBack = Rgb(40, 140, 90);

struct CoverCase {
    int Left, PictureWidth;  // the box's place and the picture's width
    int ProbeX, ProbeY;
    uint32_t Expected;
};

TEST_F(UiTest, APictureOverTheWholeWindowHidesItsBackgroundAndGapsDoNot) {
    ASSERT_NO_FATAL_FAILURE(Start());
    constexpr CoverCase Cases[] = {
        {0, 640, 639, 479, Art},
        {0, 640, 0, 0, Art},
        {0, 639, 639, 479, BoxBack},  // a column short: the box's own background
        {0, 639, 638, 479, Art},
        {1, 640, 0, 0, Background},  // moved right: the first column is a gap
        {1, 640, 639, 479, Art},
    };
    for (const CoverCase& c : Cases) {
        Window window(Manager());
        window.BackColor = Background;
        PictureBox box;
        box.BackColor = BoxBack;
        box.Move(c.Left, 0, 640, 480);
        box.SetPicture(Image(c.PictureWidth, 480, Art));
        window.Add(box);
        window.Show();
        Manager().Redraw();
        EXPECT_EQ(Manager().Frame().At(c.ProbeX, c.ProbeY) & 0xFFFFFF, c.Expected)
            << c.Left << " " << c.PictureWidth << " at " << c.ProbeX;
        window.Hide();
    }
}

}  // namespace
}  // namespace kv::test
