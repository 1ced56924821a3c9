// The framed panel: its backgrounds (the darkened ones pixel by pixel), its
// borders and caption, its children and events, and its unit conversions.
#include <array>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/Label.h"
#include "ui/PanelArt.h"
#include "ui/PanelEx.h"
#include "ui/PictureBox.h"

namespace kv::test {
namespace {

// A colour for every pixel that differs from its neighbours in every channel,
// so an AND mask shows exactly which bits it cleared.
uint32_t Scene(int x, int y) {
    return Rgb(40 + (x * 7) % 200, 30 + (y * 5) % 220, 90 + ((x + y) * 3) % 160);
}

Image SceneImage(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.At(x, y) = Scene(x, y);
    }
    return image;
}

// A main window showing the scene, with the panel over it at an offset that
// is not a multiple of 32, so mask cells must follow the panel, not the canvas.
class PanelTest : public UiTest {
  protected:
    static constexpr Rect Place{37, 45, 100, 70};

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        window_ = std::make_unique<Window>(Manager());
        picture_.Move(0, 0, 640, 480);
        picture_.SetPicture(SceneImage(640, 480));
        window_->Add(picture_);
        Panel.Move(Place.X, Place.Y, Place.W, Place.H);
        window_->Add(Panel);
        window_->Show();
    }
    void TearDown() override { window_.reset(); }

    const Image& Painted() {
        Manager().Redraw();
        return Manager().Frame();
    }
    uint32_t At(int x, int y) { return Painted().At(Place.X + x, Place.Y + y) & 0xFFFFFF; }

    PanelEx Panel;
    std::unique_ptr<Window> window_;

  private:
    PictureBox picture_;
};

TEST(PanelArtTest, FiveDistinctMasksThatOnlyClearPixelsLightestFirst) {
    const Image& strip = DarkeningStrip();
    ASSERT_EQ(strip.Width, PatternCell * PatternCount);
    ASSERT_EQ(strip.Height, PatternCell);
    int previousKept = PatternCell * PatternCell + 1;
    for (int n = 1; n <= PatternCount; ++n) {
        const Image cell = DarkeningPattern(n);
        ASSERT_EQ(cell.Width, PatternCell);
        int kept = 0;
        for (uint32_t p : cell.Pixels) {
            ASSERT_TRUE(p == 0xFFFFFFu || p == 0u) << "pattern " << n;
            kept += p != 0;
        }
        EXPECT_GT(kept, 0) << "pattern " << n << " would blank the background";
        EXPECT_LT(kept, previousKept) << "pattern " << n << " is not darker than the one before";
        previousKept = kept;
    }
    EXPECT_TRUE(DarkeningPattern(0).Empty());
    EXPECT_TRUE(DarkeningPattern(6).Empty());
}

TEST_F(PanelTest, DarkenedBackgroundsAreTheSceneAndedWithTheirMaskFromThePanelCorner) {
    for (int n = PanelEx::BackDarkenFirst; n <= PanelEx::BackDarkenLast; ++n) {
        Panel.BackStyle = n;
        const Image mask = DarkeningPattern(n);
        const Image& frame = Painted();
        int kept = 0;
        int cleared = 0;
        for (int y = 0; y < Place.H; ++y) {
            for (int x = 0; x < Place.W; ++x) {
                const uint32_t want = Scene(Place.X + x, Place.Y + y) & mask.At(x % 32, y % 32);
                ASSERT_EQ(frame.At(Place.X + x, Place.Y + y) & 0xFFFFFF, want)
                    << "pattern " << n << " at " << x << "," << y;
                (want != 0 ? kept : cleared) += 1;
            }
        }
        EXPECT_GT(kept, 0);
        EXPECT_GT(cleared, 0);
        // Around the panel the scene is untouched.
        EXPECT_EQ(frame.At(Place.X - 1, Place.Y) & 0xFFFFFF, Scene(Place.X - 1, Place.Y));
        EXPECT_EQ(frame.At(Place.X + Place.W, Place.Y + Place.H - 1) & 0xFFFFFF,
                  Scene(Place.X + Place.W, Place.Y + Place.H - 1));
    }
}

TEST_F(PanelTest, DarkeningDoesNotCompoundOverRepaints) {
    Panel.BackStyle = 2;
    const Image first = Painted();
    const Image second = Painted();
    EXPECT_EQ(CompareFrames(first, second, Place).Inside, 0);
}

TEST_F(PanelTest, FlatSeeThroughAndPictureBackgrounds) {
    Panel.BackColor = Rgb(10, 20, 30);
    EXPECT_EQ(At(0, 0), Rgb(10, 20, 30));
    EXPECT_EQ(At(99, 69), Rgb(10, 20, 30));

    Panel.BackStyle = PanelEx::BackSeeThrough;
    EXPECT_EQ(At(5, 6), Scene(Place.X + 5, Place.Y + 6));
    EXPECT_EQ(At(99, 69), Scene(Place.X + 99, Place.Y + 69));

    // A 2x2 picture: tiled from the panel's corner ...
    Panel.BackStyle = PanelEx::BackPicture;
    Panel.Picture = Image(2, 2);
    Panel.Picture.At(0, 0) = Rgb(255, 0, 0);
    Panel.Picture.At(1, 0) = Rgb(0, 255, 0);
    Panel.Picture.At(0, 1) = Rgb(0, 0, 255);
    Panel.Picture.At(1, 1) = Rgb(255, 255, 0);
    EXPECT_EQ(At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(At(3, 0), Rgb(0, 255, 0));
    EXPECT_EQ(At(4, 5), Rgb(0, 0, 255));
    EXPECT_EQ(At(99, 69), Rgb(255, 255, 0));
    // ... stretched over it (which wins over Tile) ...
    Panel.Stertch = true;
    EXPECT_EQ(At(49, 34), Rgb(255, 0, 0));
    EXPECT_EQ(At(50, 34), Rgb(0, 255, 0));
    EXPECT_EQ(At(49, 35), Rgb(0, 0, 255));
    // ... or, with neither, not drawn: the cleared body shows.
    Panel.Stertch = false;
    Panel.Tile = false;
    EXPECT_EQ(At(0, 0), Rgb(10, 20, 30));
    // A picture style without a picture also leaves the body cleared.
    Panel.Tile = true;
    Panel.Picture = Image();
    EXPECT_EQ(At(0, 0), Rgb(10, 20, 30));
}

TEST_F(PanelTest, LineBorderHasItsWidthAndColour) {
    Panel.BackColor = ColourBlack;
    Panel.BorderStyle = PanelEx::BorderLine;
    Panel.BorderColor = Rgb(200, 100, 50);
    Panel.BorderWidth = 3;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(At(i, 30), Rgb(200, 100, 50)) << i;
        EXPECT_EQ(At(50, 69 - i), Rgb(200, 100, 50)) << i;
    }
    EXPECT_EQ(At(3, 30), ColourBlack);
    EXPECT_EQ(At(50, 66), ColourBlack);
    EXPECT_EQ(Panel.ContentArea(), (Rect{0, 0, 100, 70}));
    Panel.Indent = 12;
    EXPECT_EQ(Panel.ContentArea(), (Rect{12, 0, 88, 70}));
}

// Eight frame pictures of different sizes and colours.
FramePictures OddFrame() {
    FramePictures f;
    f.TopLeft = Image(6, 5, Rgb(1, 0, 0));
    f.TopCenter = Image(3, 4, Rgb(2, 0, 0));
    f.TopRight = Image(5, 7, Rgb(3, 0, 0));
    f.MiddleLeft = Image(4, 3, Rgb(4, 0, 0));
    f.MiddleRight = Image(2, 3, Rgb(5, 0, 0));
    f.BottomLeft = Image(6, 4, Rgb(6, 0, 0));
    f.BottomCenter = Image(3, 2, Rgb(7, 0, 0));
    f.BottomRight = Image(5, 4, Rgb(8, 0, 0));
    return f;
}

TEST_F(PanelTest, PictureFrameMeasuresItsBandsAndRepeatsItsSides) {
    Panel.BackColor = ColourBlack;
    Panel.BorderStyle = PanelEx::BorderPictures;
    Panel.SetFrame(OddFrame());
    // Bands: top 7 (tallest top piece), bottom 4, left 6, right 5.
    EXPECT_EQ(Panel.ContentArea(), (Rect{6, 7, 89, 59}));
    EXPECT_EQ(At(0, 0), Rgb(1, 0, 0));
    EXPECT_EQ(At(99, 0), Rgb(3, 0, 0));
    EXPECT_EQ(At(95, 6), Rgb(3, 0, 0));
    EXPECT_EQ(At(0, 69), Rgb(6, 0, 0));
    EXPECT_EQ(At(99, 69), Rgb(8, 0, 0));
    // The sides run between the corners, cut where they meet the next corner.
    EXPECT_EQ(At(6, 0), Rgb(2, 0, 0));
    EXPECT_EQ(At(94, 3), Rgb(2, 0, 0));
    EXPECT_EQ(At(50, 4), ColourBlack);  // below the shorter top piece
    EXPECT_EQ(At(50, 69), Rgb(7, 0, 0));
    EXPECT_EQ(At(0, 5), Rgb(4, 0, 0));
    EXPECT_EQ(At(3, 65), Rgb(4, 0, 0));
    EXPECT_EQ(At(98, 7), Rgb(5, 0, 0));
    EXPECT_EQ(At(99, 65), Rgb(5, 0, 0));
    EXPECT_EQ(At(10, 10), ColourBlack);
    // A missing piece leaves its place undrawn.
    Panel.FrameMiddleLeft = Image();
    EXPECT_EQ(At(0, 30), ColourBlack);
    EXPECT_EQ(Panel.ContentArea().X, 6);  // the corners still set the band
    // Another border style ignores the pictures.
    Panel.BorderStyle = PanelEx::BorderNone;
    EXPECT_EQ(At(0, 0), ColourBlack);
    EXPECT_EQ(Panel.ContentArea(), (Rect{0, 0, 100, 70}));
}

TEST_F(PanelTest, CaptionSitsBelowTheTopBandWithARuleAcrossTheContent) {
    Panel.BackColor = ColourBlack;
    Panel.BorderStyle = PanelEx::BorderPictures;
    Panel.SetFrame(OddFrame());
    Panel.BorderWidth = 2;
    Panel.BorderColor = Rgb(0, 200, 0);
    Panel.CaptionColor = Rgb(255, 255, 255);
    const Image before = Painted();
    Panel.Caption = "ABC";
    const Image& after = Painted();
    // The caption starts 2 + 7 + 1 = 10 below the top; the rule is under its line.
    const int top = 10;
    const int ruleY = top + Manager().Glyphs().Metrics(FontFace::Gothic, 16).LineSkip;
    int textTop = Place.H;
    int textLeft = Place.W;
    for (int y = 0; y < ruleY; ++y) {
        for (int x = 0; x < Place.W; ++x) {
            if ((after.At(Place.X + x, Place.Y + y) & 0xFFFFFF) != Rgb(255, 255, 255)) continue;
            textTop = std::min(textTop, y);
            textLeft = std::min(textLeft, x);
        }
    }
    EXPECT_GE(textTop, top);
    EXPECT_GE(textLeft, 6);
    EXPECT_LT(textLeft, 6 + 4);
    for (int x = 6; x < 95; ++x) EXPECT_EQ(At(x, ruleY), Rgb(0, 200, 0)) << x;
    EXPECT_NE(At(5, ruleY), Rgb(0, 200, 0));
    EXPECT_NE(At(95, ruleY), Rgb(0, 200, 0));
    EXPECT_EQ(CompareFrames(before, after, Rect{Place.X, Place.Y, Place.W, ruleY + 1}).Outside, 0);
    // The message is stored, never drawn.
    Panel.Message = "XYZ";
    Panel.MessageColor = Rgb(255, 0, 0);
    EXPECT_EQ(CompareFrames(after, Painted(), Place).Inside, 0);
}

TEST_F(PanelTest, ChildrenLieOverTheBackgroundAndFollowThePanel) {
    Panel.BackStyle = 3;
    Label inner;
    inner.BackColor = Rgb(9, 9, 9);
    inner.Move(90, 60, 40, 40);  // runs past the panel's edge
    Panel.Add(inner);
    EXPECT_EQ(At(90, 60), Rgb(9, 9, 9));
    EXPECT_EQ(At(99, 69), Rgb(9, 9, 9));
    // Cut at the panel's edge.
    EXPECT_EQ(Painted().At(Place.X + 100, Place.Y + 60) & 0xFFFFFF,
              Scene(Place.X + 100, Place.Y + 60));

    int clicks = 0;
    Panel.OnClick = [&] { ++clicks; };
    Deliver(ClickEvent(Place.X + 10, Place.Y + 10));
    EXPECT_EQ(clicks, 1);
    // A disabled panel takes no clicks, nor do its children.
    int innerClicks = 0;
    inner.OnClick = [&] { ++innerClicks; };
    Panel.Enabled = false;
    Deliver(ClickEvent(Place.X + 10, Place.Y + 10));
    Deliver(ClickEvent(Place.X + 95, Place.Y + 65));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(innerClicks, 0);
    EXPECT_FALSE(inner.IsUsable());
}

TEST_F(PanelTest, SurfaceHoldsWhatWasLastPainted) {
    Panel.BackStyle = 1;
    Painted();
    const Image& surface = Panel.Surface();
    ASSERT_EQ(surface.Width, Place.W);
    ASSERT_EQ(surface.Height, Place.H);
    EXPECT_EQ(surface.At(20, 30) & 0xFFFFFF, At(20, 30));
}

TEST(PanelScaleTest, ConvertsBetweenUnitsAndTheUserScale) {
    PanelEx panel;
    EXPECT_EQ(panel.ScaleMode, 1);
    EXPECT_EQ(panel.ScaleWidth, 234);
    EXPECT_EQ(panel.ScaleHeight, 2025);
    panel.Move(0, 0, 200, 100);
    EXPECT_DOUBLE_EQ(panel.ScaleX(10, 3, 1), 150);  // pixels to fifteenths
    EXPECT_DOUBLE_EQ(panel.ScaleY(300, 1, 3), 20);
    EXPECT_DOUBLE_EQ(panel.ScaleX(96, 3, 5), 1);  // an inch
    EXPECT_DOUBLE_EQ(panel.ScaleY(48, 3, 4), 3);  // character rows
    panel.Scale(0, 0, 1000, 50);
    EXPECT_EQ(panel.ScaleMode, 0);
    EXPECT_DOUBLE_EQ(panel.ScaleX(1000, 0, 3), 200);
    EXPECT_DOUBLE_EQ(panel.ScaleY(25, 0, 3), 50);
    panel.Scale();
    EXPECT_EQ(panel.ScaleMode, 1);
    EXPECT_DOUBLE_EQ(panel.ScaleWidth, 3000);
    EXPECT_DOUBLE_EQ(panel.ScaleHeight, 1500);
    // A zero extent or an unknown mode falls back to pixels instead of failing.
    panel.Scale(5, 5, 5, 5);
    EXPECT_DOUBLE_EQ(panel.ScaleX(7, 0, 3), 7);
    EXPECT_DOUBLE_EQ(panel.ScaleX(7, 99, 3), 7);
}

}  // namespace
}  // namespace kv::test
