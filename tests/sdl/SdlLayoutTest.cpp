#include "platform/sdl/SdlLayout.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(SdlLayout, ScalesByTheLargestWholeNumberThatFitsAndCentres) {
    EXPECT_EQ(FitCanvas(640, 480, 640, 480), (Rect{0, 0, 640, 480}));
    EXPECT_EQ(FitCanvas(1279, 959, 640, 480), (Rect{319, 239, 640, 480}));
    EXPECT_EQ(FitCanvas(1280, 960, 640, 480), (Rect{0, 0, 1280, 960}));
    EXPECT_EQ(FitCanvas(1920, 1080, 640, 480), (Rect{320, 60, 1280, 960}));
    EXPECT_EQ(FitCanvas(2560, 1440, 640, 480), (Rect{320, 0, 1920, 1440}));
    EXPECT_EQ(FitCanvas(3000, 500, 640, 480), (Rect{1180, 10, 640, 480}));
}

TEST(SdlLayout, ShrinksToFitKeepingTheShapeWhenTheWindowIsSmaller) {
    EXPECT_EQ(FitCanvas(320, 240, 640, 480), (Rect{0, 0, 320, 240}));
    EXPECT_EQ(FitCanvas(320, 400, 640, 480), (Rect{0, 80, 320, 240}));
    EXPECT_EQ(FitCanvas(800, 300, 640, 480), (Rect{200, 0, 400, 300}));
    EXPECT_EQ(FitCanvas(639, 2000, 640, 480).W, 639);
    EXPECT_EQ(FitCanvas(1, 1, 640, 480), (Rect{0, 0, 1, 1}));
}

TEST(SdlLayout, EmptySizesGiveAnEmptyPicture) {
    EXPECT_EQ(FitCanvas(0, 480, 640, 480), Rect{});
    EXPECT_EQ(FitCanvas(640, -3, 640, 480), Rect{});
    EXPECT_EQ(FitCanvas(640, 480, 0, 480), Rect{});
}

TEST(SdlLayout, OutputPointsMapBackToCanvasPixels) {
    const Rect picture = FitCanvas(1300, 1000, 640, 480);  // x2 at (10, 20)
    EXPECT_EQ(OutputToCanvas(picture, 640, 480, 10, 20), (Point{0, 0}));
    EXPECT_EQ(OutputToCanvas(picture, 640, 480, 11, 21), (Point{0, 0}));
    EXPECT_EQ(OutputToCanvas(picture, 640, 480, 12, 21), (Point{1, 0}));
    EXPECT_EQ(OutputToCanvas(picture, 640, 480, 1289, 979), (Point{639, 479}));
    EXPECT_FALSE(OutputToCanvas(picture, 640, 480, 9, 500));
    EXPECT_FALSE(OutputToCanvas(picture, 640, 480, 1290, 500));
    EXPECT_FALSE(OutputToCanvas(picture, 640, 480, 500, 980));
    EXPECT_FALSE(OutputToCanvas(Rect{}, 640, 480, 0, 0));

    const Rect shrunk = FitCanvas(320, 240, 640, 480);
    EXPECT_EQ(OutputToCanvas(shrunk, 640, 480, 160, 120), (Point{320, 240}));
    EXPECT_EQ(OutputToCanvas(shrunk, 640, 480, 319, 239), (Point{638, 478}));
}

TEST(SdlLayout, CanvasRectanglesMapOutToTheWindow) {
    const Rect picture = FitCanvas(1300, 1000, 640, 480);
    EXPECT_EQ(CanvasToOutput(picture, 640, 480, Rect{100, 50, 8, 16}), (Rect{210, 120, 16, 32}));
    const Rect shrunk = FitCanvas(320, 240, 640, 480);
    EXPECT_EQ(CanvasToOutput(shrunk, 640, 480, Rect{100, 50, 8, 16}), (Rect{50, 25, 4, 8}));
}

}  // namespace
}  // namespace kv
