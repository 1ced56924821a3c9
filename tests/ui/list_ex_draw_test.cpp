// What the menu list control draws: scroll marks, the three highlight styles,
// alignment, caption, frame pictures, background pictures and the ANDed
// background cell, checked on the canvas the window manager composes.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "ListExFixture.h"

namespace kv::test {
namespace {

uint32_t PixelAt(const Image& frame, int x, int y) {
    return frame.At(x, y) & 0xFFFFFF;
}

bool Bright(uint32_t c) {
    return ((c >> 16) & 255) > 160 && ((c >> 8) & 255) > 160 && (c & 255) > 160;
}

int CountIf(const Image& frame, Rect r, bool (*test)(uint32_t)) {
    int n = 0;
    for (int y = r.Y; y < r.Y + r.H; ++y) {
        for (int x = r.X; x < r.X + r.W; ++x) n += test(PixelAt(frame, x, y)) ? 1 : 0;
    }
    return n;
}

// The left- and rightmost columns with bright (text) pixels in the area, or -1.
std::array<int, 2> InkColumns(const Image& frame, Rect r) {
    std::array<int, 2> span{-1, -1};
    for (int x = r.X; x < r.X + r.W; ++x) {
        if (CountIf(frame, Rect{x, r.Y, 1, r.H}, Bright) == 0) continue;
        if (span[0] < 0) span[0] = x;
        span[1] = x;
    }
    return span;
}

Image Solid(int w, int h, uint32_t colour) {
    return Image(w, h, colour);
}

class ListExDrawTest : public ListExTest {
  protected:
    // A row's area on the canvas.
    Rect OnCanvas(Rect r) const { return Rect{FixtureLeft + r.X, FixtureTop + r.Y, r.W, r.H}; }
    // The square at the right end of a row where a scroll mark goes.
    Rect MarkArea(int row) const {
        const Rect r = OnCanvas(List.RowBounds(row));
        return Rect{r.X + r.W - List.Indent - 16, r.Y, 16, r.H};
    }
};

TEST_F(ListExDrawTest, ScrollMarksShowOnlyWhenRowsAreHidden) {
    FillLettered(8);  // exactly fills the view
    EXPECT_FALSE(List.MoreAbove() || List.MoreBelow());
    EXPECT_EQ(CountIf(Frame(), MarkArea(7), Bright), 0);

    FillLettered(9);
    EXPECT_TRUE(List.MoreBelow());
    EXPECT_FALSE(List.MoreAbove());
    const Image& below = Frame();
    EXPECT_GT(CountIf(below, MarkArea(7), Bright), 10);
    EXPECT_EQ(CountIf(below, MarkArea(0), Bright), 0);

    Tap(Key::End);
    EXPECT_TRUE(List.MoreAbove());
    EXPECT_FALSE(List.MoreBelow());
    const Image& above = Frame();
    EXPECT_GT(CountIf(above, MarkArea(1), Bright), 10);
    EXPECT_EQ(CountIf(above, MarkArea(8), Bright), 0);

    // In the middle of a long list both show.
    FillLettered(30);
    Select(15);
    const Image& both = Frame();
    EXPECT_GT(CountIf(both, MarkArea(List.FirstVisibleRow()), Bright), 10);
    EXPECT_GT(CountIf(both, MarkArea(15), Bright), 10);
}

TEST_F(ListExDrawTest, OutlinedBoxHighlightsOnlyTheCurrentRow) {
    FillLettered(4);
    List.SelectBackColor = Rgb(0, 0, 160);
    List.SelectBorderColor = Rgb(0, 200, 255);
    List.SelectForeColor = Rgb(255, 255, 0);
    Select(1);
    const Image& frame = Frame();
    const Rect row = OnCanvas(List.RowBounds(1));
    const int mid = row.Y + row.H / 2;
    EXPECT_EQ(PixelAt(frame, row.X + row.W - 30, mid), Rgb(0, 0, 160));
    EXPECT_EQ(PixelAt(frame, row.X, mid), Rgb(0, 200, 255));
    EXPECT_EQ(PixelAt(frame, row.X + 100, row.Y), Rgb(0, 200, 255));
    const Rect next = OnCanvas(List.RowBounds(2));
    EXPECT_EQ(PixelAt(frame, next.X + next.W - 30, next.Y + next.H / 2), ColourBlack);
    // The current row's text takes the selection colour; the others keep theirs.
    auto yellow = [](uint32_t c) {  // glyph edges blend into the box, so allow for shading
        return ((c >> 16) & 255) > 160 && ((c >> 8) & 255) > 160 && (c & 255) < 100;
    };
    EXPECT_GT(CountIf(frame, row, yellow), 20);
    EXPECT_EQ(CountIf(frame, next, yellow), 0);
    EXPECT_GT(CountIf(frame, next, Bright), 20);
}

TEST_F(ListExDrawTest, RoundedBoxStopsShortOfTheRightEdge) {
    FillLettered(4);
    List.SelectStyle = 1;
    List.SelectBackColor = Rgb(0, 0, 160);
    List.SelectBorderColor = Rgb(0, 200, 255);
    Select(2);
    const Image& frame = Frame();
    const Rect row = OnCanvas(List.RowBounds(2));
    const int mid = row.Y + row.H / 2;
    EXPECT_EQ(PixelAt(frame, FixtureLeft + FixtureWidth - 30, mid), Rgb(0, 0, 160));
    EXPECT_EQ(PixelAt(frame, FixtureLeft + FixtureWidth - 13 - 1, mid), Rgb(0, 200, 255));
    EXPECT_EQ(PixelAt(frame, FixtureLeft + FixtureWidth - 13, mid), ColourBlack);
    EXPECT_EQ(PixelAt(frame, row.X, row.Y), ColourBlack);  // the corner is rounded off
    EXPECT_EQ(PixelAt(frame, row.X, mid), Rgb(0, 200, 255));
}

TEST_F(ListExDrawTest, GradientRunsFromItsStartPointOverAShadow) {
    FillLettered(4);
    List.SelectStyle = 2;
    List.SelectBackColor = Rgb(0, 0, 200);
    List.GradationColor = 0xFF000000u | Rgb(200, 0, 0);  // only 24 bits count
    List.GradationPoint = 50;
    List.ShadowColor = Rgb(0, 120, 0);
    Select(1);
    const Image& frame = Frame();
    const Rect row = OnCanvas(List.RowBounds(1));
    const int mid = row.Y + row.H / 2;
    const int boxEnd = row.X + row.W - 5;  // the shadow needs five pixels beside it
    const int start = row.X + (row.W - 5) / 2;
    EXPECT_EQ(PixelAt(frame, start - 10, mid), Rgb(0, 0, 200));
    EXPECT_EQ(PixelAt(frame, start, mid), Rgb(0, 0, 200));
    EXPECT_EQ(PixelAt(frame, boxEnd - 1, mid), Rgb(200, 0, 0));
    const uint32_t halfway = PixelAt(frame, (start + boxEnd - 1) / 2, mid);
    EXPECT_NEAR(static_cast<int>(halfway >> 16), 100, 2);
    EXPECT_NEAR(static_cast<int>(halfway & 255), 100, 2);
    // The shadow shows right of the box and under it, five pixels down.
    EXPECT_EQ(PixelAt(frame, boxEnd + 2, mid), Rgb(0, 120, 0));
    EXPECT_EQ(PixelAt(frame, start, row.Y + row.H + 2), Rgb(0, 120, 0));
    EXPECT_EQ(PixelAt(frame, start, row.Y + row.H + 6), ColourBlack);
    EXPECT_EQ(PixelAt(frame, row.X + 1, row.Y + row.H + 2), ColourBlack);
}

TEST_F(ListExDrawTest, AlignmentPlacesEachRowLeftRightOrCentred) {
    List.AddItem("A)剣");
    List.AddItem("B)盾");
    Select(1);  // keep row 0 free of the highlight
    const Rect row = OnCanvas(List.RowBounds(0));
    const int textLeft = row.X + List.Indent;
    const int textRight = row.X + row.W - List.Indent;
    auto ink = InkColumns(Frame(), row);
    EXPECT_LE(std::abs(ink[0] - textLeft), 1);
    List.Alignment = 1;
    ink = InkColumns(Frame(), row);
    EXPECT_LE(std::abs(ink[1] - (textRight - 1)), 3);
    List.Alignment = 2;
    ink = InkColumns(Frame(), row);
    EXPECT_LE(std::abs((ink[0] - textLeft) - (textRight - 1 - ink[1])), 3);
}

TEST_F(ListExDrawTest, CaptionTakesTheFirstLineAndTheRowsMoveDown) {
    FillLettered(3);
    const uint32_t highlight = List.SelectBackColor;
    EXPECT_EQ(PixelAt(Frame(), FixtureLeft + 200, FixtureTop + 10), highlight);
    List.SetCaption("商店");
    const Image& frame = Frame();
    EXPECT_EQ(List.RowBounds(0).Y, 18);
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 200, FixtureTop + 10), ColourBlack);
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 200, FixtureTop + 18 + 8), highlight);
    EXPECT_GT(CountIf(frame, Rect{FixtureLeft + 1, FixtureTop + 2, 40, 15}, Bright), 20);
    EXPECT_EQ(CountIf(frame, Rect{FixtureLeft + 40, FixtureTop + 2, 150, 15}, Bright), 0);
}

TEST_F(ListExDrawTest, FramePicturesGoRoundTheEdgeAndSetTheMargins) {
    List.BorderStyle = 2;
    List.FrameTopLeft = Solid(10, 10, Rgb(200, 0, 0));
    List.FrameTopCenter = Solid(4, 10, Rgb(0, 200, 0));
    List.FrameTopRight = Solid(12, 10, Rgb(0, 0, 200));
    List.FrameMiddleLeft = Solid(10, 4, Rgb(200, 200, 0));
    List.FrameMiddleRight = Solid(12, 4, Rgb(0, 200, 200));
    List.FrameBottomLeft = Solid(10, 10, Rgb(200, 0, 200));
    List.FrameBottomCenter = Solid(4, 10, Rgb(100, 100, 100));
    List.FrameBottomRight = Solid(12, 10, Rgb(50, 60, 70));
    FillLettered(10);
    Select(3);
    const Image& frame = Frame();
    const int right = FixtureLeft + FixtureWidth - 1;
    const int bottom = FixtureTop + EightRows - 1;
    EXPECT_EQ(PixelAt(frame, FixtureLeft, FixtureTop), Rgb(200, 0, 0));
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 100, FixtureTop + 9), Rgb(0, 200, 0));
    EXPECT_EQ(PixelAt(frame, right, FixtureTop), Rgb(0, 0, 200));
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 9, FixtureTop + 60), Rgb(200, 200, 0));
    EXPECT_EQ(PixelAt(frame, right - 11, FixtureTop + 60), Rgb(0, 200, 200));
    EXPECT_EQ(PixelAt(frame, FixtureLeft, bottom), Rgb(200, 0, 200));
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 100, bottom - 9), Rgb(100, 100, 100));
    EXPECT_EQ(PixelAt(frame, right, bottom), Rgb(50, 60, 70));
    // Rows sit inside the frame, the text right against it.
    const Rect row = List.RowBounds(0);
    EXPECT_EQ(row.X, 10);
    EXPECT_EQ(row.W, FixtureWidth - 10 - 12);
    EXPECT_EQ(row.Y, 11);
    EXPECT_EQ(List.RowsPerPage(), (EightRows - 10 - 11) / 16);
    const auto ink = InkColumns(frame, OnCanvas(row));
    EXPECT_GE(ink[0], FixtureLeft + 10);
    EXPECT_LE(ink[0], FixtureLeft + 11);
}

TEST_F(ListExDrawTest, BackgroundPictureIsLaidOnceTiledOrStretched) {
    Image picture(20, 20, Rgb(40, 40, 40));
    picture.At(0, 0) = Rgb(90, 0, 0);
    picture.At(19, 19) = Rgb(0, 90, 0);
    List.Picture = picture;
    const Image& once = Frame();
    EXPECT_EQ(PixelAt(once, FixtureLeft, FixtureTop), Rgb(90, 0, 0));
    EXPECT_EQ(PixelAt(once, FixtureLeft + 5, FixtureTop + 5), Rgb(40, 40, 40));
    EXPECT_EQ(PixelAt(once, FixtureLeft + 25, FixtureTop + 25), ColourBlack);

    List.Tile = true;
    const Image& tiled = Frame();
    EXPECT_EQ(PixelAt(tiled, FixtureLeft + 20, FixtureTop + 40), Rgb(90, 0, 0));
    EXPECT_EQ(PixelAt(tiled, FixtureLeft + 39, FixtureTop + 19), Rgb(0, 90, 0));
    EXPECT_EQ(PixelAt(tiled, FixtureLeft + 225, FixtureTop + 125), Rgb(40, 40, 40));

    List.Stertch = true;  // wins over tiling
    Image quarters(2, 2, Rgb(10, 20, 30));
    quarters.At(1, 1) = Rgb(200, 100, 50);
    List.Picture = quarters;
    const Image& stretched = Frame();
    EXPECT_EQ(PixelAt(stretched, FixtureLeft + 10, FixtureTop + 10), Rgb(10, 20, 30));
    EXPECT_EQ(PixelAt(stretched, FixtureLeft + FixtureWidth - 10, FixtureTop + EightRows - 10),
              Rgb(200, 100, 50));
}

TEST_F(ListExDrawTest, BackStyleAndsOneStripCellOverTheBodyEvery32Pixels) {
    List.BackColor = ColourWhite;
    Image strip(96, 32, Rgb(255, 0, 0));
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 64; ++x) strip.At(x, y) = Rgb(0, 255, 0);
    }
    strip.At(32, 0) = Rgb(0, 64, 0);
    List.BackStrip = strip;
    EXPECT_EQ(PixelAt(Frame(), FixtureLeft + 1, FixtureTop + 1), ColourWhite);  // BackStyle 0: none
    List.BackStyle = 2;
    const Image& frame = Frame();
    EXPECT_EQ(PixelAt(frame, FixtureLeft + 1, FixtureTop + 1), Rgb(0, 255, 0));
    for (const Point p : {Point{0, 0}, Point{32, 0}, Point{64, 96}}) {
        EXPECT_EQ(PixelAt(frame, FixtureLeft + p.X, FixtureTop + p.Y), Rgb(0, 64, 0))
            << p.X << "," << p.Y;
    }
    List.BackStyle = 4;  // no such cell
    EXPECT_EQ(PixelAt(Frame(), FixtureLeft + 1, FixtureTop + 1), ColourWhite);
}

// --- a finished menu -----------------------------------------------------------

// One frame piece: a gilt bevel whose colour depends on the distance from the
// outer edges named (left, top, right, bottom), then the body colour, which
// gives the rows their margin.
constexpr uint32_t MenuBody = Rgb(8, 8, 16);

Image FramePiece(int w, int h, bool left, bool top, bool right, bool bottom) {
    constexpr std::array<uint32_t, 6> bands{Rgb(236, 208, 128), Rgb(168, 132, 60), Rgb(96, 72, 32),
                                            Rgb(96, 72, 32),    Rgb(168, 132, 60), Rgb(24, 20, 14)};
    Image piece(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int d = 99;
            if (left) d = std::min(d, x);
            if (top) d = std::min(d, y);
            if (right) d = std::min(d, w - 1 - x);
            if (bottom) d = std::min(d, h - 1 - y);
            piece.At(x, y) = d < static_cast<int>(bands.size()) ? bands[d] : MenuBody;
        }
    }
    return piece;
}

void GiltFrame(ListEx& list) {
    constexpr int t = 10;  // six bands of bevel, four of margin
    list.BorderStyle = 2;
    list.FrameTopLeft = FramePiece(t, t, true, true, false, false);
    list.FrameTopCenter = FramePiece(1, t, false, true, false, false);
    list.FrameTopRight = FramePiece(t, t, false, true, true, false);
    list.FrameMiddleLeft = FramePiece(t, 1, true, false, false, false);
    list.FrameMiddleRight = FramePiece(t, 1, false, false, true, false);
    list.FrameBottomLeft = FramePiece(t, t, true, false, false, true);
    list.FrameBottomCenter = FramePiece(1, t, false, false, false, true);
    list.FrameBottomRight = FramePiece(t, t, false, false, true, true);
}

TEST_F(ListExDrawTest, StyledMenusMakeAFinishedScreen) {
    window_->BackColor = Rgb(6, 6, 14);
    // The shop menu: gilt frame, caption, gradient highlight.
    List.Move(24, 24, 232, 6 * 20 + 10 + 10 + 2);
    GiltFrame(List);
    List.BackColor = MenuBody;
    List.ForeColor = Rgb(232, 232, 232);
    List.ListHeight = 4;
    List.Indent = 10;
    List.SelectStyle = 2;
    List.SelectBackColor = Rgb(56, 96, 208);
    List.GradationColor = MenuBody;
    List.GradationPoint = 35;
    List.ShadowColor = Rgb(0, 0, 0);
    List.SetCaption("商店");
    List.AddItems(0, {"B)買う", "S)売る", "U)鑑定する", "R)呪いを解く", "L)店を出る"});
    Select(1);

    // An item list, numbered by slot, longer than its view.
    ListEx items;
    items.Move(280, 24, 336, 8 * 18 + 4 + 2);
    items.BorderStyle = 1;
    items.ForeColor = Rgb(220, 220, 220);
    items.ListHeight = 2;
    items.Indent = 8;
    items.SelectStyle = 1;
    items.SelectBackColor = Rgb(40, 64, 150);
    items.SelectBorderColor = Rgb(140, 170, 240);
    const char* names[] = {
        "ロングソード",   "ショートソード", "メイス",         "スタッフ", "ダガー",
        "レザーアーマー", "チェインメイル", "ラージシールド", "ヘルム",   "ガントレット",
        "傷薬",           "毒消し",         "帰還の巻物",     "聖水",     "松明"};
    for (int slot = 1; slot <= 15; ++slot) {
        items.AddItem(std::string(1, "0123456789ABCDEF"[slot]) + ")" + names[slot - 1]);
    }
    window_->Add(items);
    items.SetListIndex(10);

    // A battle command list in the plain outlined style.
    ListEx commands;
    commands.Move(24, 200, 232, 5 * 16 + 3 + 16);
    commands.BorderStyle = 1;
    commands.Indent = 6;
    commands.SelectBorderColor = Rgb(112, 144, 232);
    commands.SetCaption("ガルドの行動");
    commands.AddItems(0, {"F)戦う", "S)呪文", "U)使う", "D)防御"});
    window_->Add(commands);
    commands.SetListIndex(0);

    const std::string path = TempPath("styled_menus.png");
    ASSERT_TRUE(Manager().SaveScreenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    const Image& frame = Manager().Frame();
    // The view is scrolled, both marks are up, and every list shows its highlight.
    EXPECT_TRUE(items.MoreAbove() && items.MoreBelow());
    const Rect current = List.RowBounds(1);
    EXPECT_EQ(PixelAt(frame, 24 + current.X + 30, 24 + current.Y + current.H - 1),
              Rgb(56, 96, 208));
    EXPECT_EQ(PixelAt(frame, 24, 24), Rgb(236, 208, 128));
    window_->Remove(items);
    window_->Remove(commands);
}

}  // namespace
}  // namespace kv::test
