#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace kv {
namespace {

constexpr uint32_t Ink = 0x00112233;

// The picture as rows of '#' (pixel == on) and '.' (anything else), so a
// failure shows the shape.
std::string Mask(const Image& image, uint32_t on = Ink) {
    std::string out;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) out += image.At(x, y) == on ? '#' : '.';
        out += '\n';
    }
    return out;
}

std::string Rows(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* row : rows) out += std::string(row) + '\n';
    return out;
}

// A picture whose pixels are all different: 1, 2, 3, ... row by row.
Image Numbered(int w, int h) {
    Image image(w, h);
    for (size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = static_cast<uint32_t>(i + 1);
    return image;
}

TEST(CanvasRasterOps, EachOpOnKnownValues) {
    const Image src(1, 1, 0x00FF00FF);
    const struct {
        RasterOp Op;
        uint32_t Expected;
    } cases[] = {
        {RasterOp::Copy, 0x00FF00FF}, {RasterOp::And, 0x00F000F0},    {RasterOp::Or, 0x00FFF0FF},
        {RasterOp::Xor, 0x000FF00F},  {RasterOp::Invert, 0x000F0F0F},
    };
    for (const auto& c : cases) {
        Image dst(1, 1, 0x00F0F0F0);
        Canvas canvas(dst);
        canvas.Blit(0, 0, src, c.Op);
        EXPECT_EQ(dst.At(0, 0), c.Expected) << static_cast<int>(c.Op);
    }
}

TEST(CanvasRasterOps, MaskThenPaintGivesTheSprite) {
    // A transparent sprite: AND with a mask (white where the
    // background shows), then OR the picture (black there).
    Image dst(2, 1, 0x00123456);
    Image mask(2, 1);
    mask.At(0, 0) = 0x00FFFFFF;
    mask.At(1, 0) = 0;
    Image sprite(2, 1);
    sprite.At(0, 0) = 0;
    sprite.At(1, 0) = 0x00ABCDEF;
    Canvas canvas(dst);
    canvas.Blit(0, 0, mask, RasterOp::And);
    canvas.Blit(0, 0, sprite, RasterOp::Or);
    EXPECT_EQ(dst.At(0, 0), 0x00123456u);
    EXPECT_EQ(dst.At(1, 0), 0x00ABCDEFu);
}

TEST(CanvasBlit, ClipsAtEveryEdge) {
    const Image src = Numbered(4, 4);
    Image dst(4, 4);
    Canvas canvas(dst);
    canvas.Blit(-1, -2, src);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint32_t expected = (x < 3 && y < 2) ? src.At(x + 1, y + 2) : 0;
            EXPECT_EQ(dst.At(x, y), expected) << x << "," << y;
        }
    }
    Image dst2(4, 4);
    Canvas canvas2(dst2);
    canvas2.Blit(3, 2, src);
    EXPECT_EQ(dst2.At(3, 2), src.At(0, 0));
    EXPECT_EQ(dst2.At(3, 3), src.At(0, 1));
    EXPECT_EQ(dst2.At(2, 2), 0u);
}

TEST(CanvasBlit, SourceRectangleIsCutToTheSource) {
    const Image src = Numbered(3, 3);
    Image dst(5, 5);
    Canvas canvas(dst);
    // Rect starts one pixel before the source: source (0,0) lands at (3,3).
    canvas.Blit(2, 2, src, Rect{-1, -1, 2, 2});
    EXPECT_EQ(dst.At(3, 3), src.At(0, 0));
    EXPECT_EQ(dst.At(2, 2), 0u);
    EXPECT_EQ(dst.At(3, 2), 0u);
    int touched = 0;
    for (uint32_t p : dst.Pixels) touched += p != 0;
    EXPECT_EQ(touched, 1);

    Image dst2(3, 3);
    Canvas canvas2(dst2);
    canvas2.Blit(0, 0, src, Rect{1, 1, 1, 2});  // a sub-rectangle
    EXPECT_EQ(Mask(dst2, src.At(1, 1)), Rows({"#..", "...", "..."}));
    EXPECT_EQ(dst2.At(0, 1), src.At(1, 2));
}

TEST(CanvasBlit, WithinOnePictureBehavesAsIfCopiedFirst) {
    Image image = Numbered(4, 1);
    Canvas canvas(image);
    canvas.Blit(1, 0, image, Rect{0, 0, 3, 1});
    EXPECT_EQ(image.Pixels, (std::vector<uint32_t>{1, 1, 2, 3}));
}

TEST(CanvasClip, NothingEverLandsOutside) {
    const Image src = Numbered(4, 4);
    Image dst(6, 6);
    Canvas canvas(dst);
    const Rect wild[] = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {-5, -5, 0, 0},
        {2, 2, -3, -3},
        {INT_MAX - 1, 0, 10, 10},
        {0, INT_MIN, 3, INT_MAX},
    };
    canvas.SetClip({1, 1, 4, 4});
    for (const Rect& r : wild) {
        canvas.FillRect(r, Ink);
        canvas.FrameRect(r, Ink);
        canvas.RoundRect(r, 50, 50, Ink, Ink);
        canvas.Blit(r.X, r.Y, src, r);
        canvas.Blit(r.X, r.Y, src, r, RasterOp::Invert);
        canvas.StretchBlit(r, src, Rect{0, 0, 4, 4});
        canvas.StretchBlit(Rect{0, 0, 6, 6}, src, r);
        canvas.AndPattern(r, src);
        canvas.Line(r.X, r.Y, r.W, r.H, Ink);
        const Point pts[] = {{r.X, r.Y}, {r.W, r.Y}, {r.X, r.H}};
        canvas.Polygon(pts, Ink, Ink);
    }
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (x < 1 || x > 4 || y < 1 || y > 4) {
                EXPECT_EQ(dst.At(x, y), 0u) << x << "," << y;
            }
        }
    }
}

TEST(CanvasClip, ClipIsCutToThePictureAndResets) {
    Image dst(4, 4);
    Canvas canvas(dst);
    canvas.SetClip({2, -3, 100, 5});
    EXPECT_EQ(canvas.Clip(), (Rect{2, 0, 2, 2}));
    canvas.Fill(Ink);
    EXPECT_EQ(Mask(dst), Rows({"..##", "..##", "....", "...."}));
    canvas.SetClip({10, 10, 2, 2});
    EXPECT_EQ(canvas.Clip().W * canvas.Clip().H, 0);
    canvas.ResetClip();
    EXPECT_EQ(canvas.Clip(), (Rect{0, 0, 4, 4}));
}

TEST(CanvasClip, EmptyOrBrokenPicturesAreLeftAlone) {
    Image empty;
    Image broken(4, 4);
    broken.Pixels.resize(3);  // fewer pixels than its size says
    const Image src = Numbered(2, 2);
    for (Image* image : {&empty, &broken}) {
        Canvas canvas(*image);
        canvas.Fill(Ink);
        canvas.SetPixel(0, 0, Ink);
        canvas.Line(0, 0, 3, 3, Ink);
        canvas.Blit(0, 0, src);
        canvas.Blit(0, 0, *image);
        canvas.StretchBlit({0, 0, 4, 4}, src, {0, 0, 2, 2});
        const Point pts[] = {{0, 0}, {4, 0}, {0, 4}};
        canvas.Polygon(pts, Ink, Ink);
        canvas.RoundRect({0, 0, 4, 4}, 2, 2, Ink, Ink);
        canvas.AndPattern({0, 0, 4, 4}, src);
    }
    EXPECT_EQ(broken.Pixels, std::vector<uint32_t>(3, 0));
    // And an empty source or pattern draws nothing.
    Image dst(2, 2, Ink);
    Canvas canvas(dst);
    canvas.Blit(0, 0, empty);
    canvas.AndPattern({0, 0, 2, 2}, empty);
    canvas.StretchBlit({0, 0, 2, 2}, broken, {0, 0, 2, 2});
    EXPECT_EQ(Mask(dst), Rows({"##", "##"}));
}

TEST(CanvasRect, FillAndFrame) {
    Image dst(6, 5);
    Canvas canvas(dst);
    canvas.FrameRect({1, 1, 4, 3}, Ink);
    EXPECT_EQ(Mask(dst), Rows({"......", ".####.", ".#..#.", ".####.", "......"}));
    canvas.FillRect({0, 0, 6, 5}, 0);
    canvas.FrameRect({4, 0, 1, 3}, Ink);  // one pixel wide: a bar
    canvas.FrameRect({0, 4, 3, 1}, Ink);
    canvas.FillRect({1, 1, -2, 2}, Ink);  // negative size: nothing
    EXPECT_EQ(Mask(dst), Rows({"....#.", "....#.", "....#.", "......", "###..."}));
}

// Fills go in whole blocks where they can: every width, start and clip must
// still cover exactly the rectangle's pixels, whole rows included.
TEST(CanvasRect, FillsExactlyItsPixelsAtAnyWidth) {
    constexpr int W = 37;
    constexpr int H = 5;
    const Rect clips[] = {{0, 0, W, H}, {3, 1, 30, 3}};
    for (const Rect& clip : clips) {
        for (int x = -2; x < W; x += 3) {
            for (int w = 0; w <= W + 4; ++w) {
                Image dst(W, H, 0);
                Canvas canvas(dst);
                canvas.SetClip(clip);
                const Rect r{x, 1, w, H};
                canvas.FillRect(r, Ink);
                for (int py = 0; py < H; ++py) {
                    for (int px = 0; px < W; ++px) {
                        const bool inside = r.Contains(px, py) && clip.Contains(px, py);
                        ASSERT_EQ(dst.At(px, py) == Ink, inside)
                            << "fill x " << x << " w " << w << " at " << px << "," << py;
                    }
                }
            }
        }
    }
}

TEST(CanvasLine, EndPointIsLeftOut) {
    Image dst(6, 6);
    Canvas canvas(dst);
    canvas.Line(0, 0, 4, 0, Ink);  // horizontal
    canvas.Line(5, 5, 5, 1, Ink);  // vertical, upwards
    canvas.Line(2, 2, 2, 2, Ink);  // zero length: nothing
    EXPECT_EQ(Mask(dst), Rows({"####..", "......", ".....#", ".....#", ".....#", ".....#"}));
}

TEST(CanvasLine, DiagonalShallowAndSteep) {
    Image diag(5, 5);
    Canvas(diag).Line(0, 0, 4, 4, Ink);
    EXPECT_EQ(Mask(diag), Rows({"#....", ".#...", "..#..", "...#.", "....."}));
    Image shallow(5, 3);
    Canvas(shallow).Line(0, 0, 4, 2, Ink);
    EXPECT_EQ(Mask(shallow), Rows({"#....", ".##..", "...#."}));
    Image steep(3, 6);
    Canvas(steep).Line(0, 0, 2, 5, Ink);
    EXPECT_EQ(Mask(steep), Rows({"#..", "#..", ".#.", ".#.", "..#", "..."}));
}

TEST(CanvasLine, ClippedLineMatchesTheUnclippedOne) {
    // Drawn on a big picture the line passes through a window; drawn on a
    // small picture (shifted), the same pixels must appear.
    const int lines[][4] = {{-20, -7, 30, 12}, {3, -40, -9, 50}, {25, 2, -30, 5}, {-3, 9, 9, -3}};
    for (const auto& l : lines) {
        Image big(128, 128);
        Canvas(big).Line(l[0] + 60, l[1] + 60, l[2] + 60, l[3] + 60, Ink);
        Image small(8, 8);
        Canvas(small).Line(l[0], l[1], l[2], l[3], Ink);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(small.At(x, y), big.At(x + 60, y + 60));
    }
    Image huge(8, 8);
    Canvas(huge).Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, Ink);
    Image diag(8, 8);
    Canvas(diag).Line(0, 0, 8, 8, Ink);
    EXPECT_EQ(Mask(huge), Mask(diag));
}

TEST(CanvasPolygon, TriangleAndSquareMasks) {
    Image tri(6, 5);
    const Point triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    Canvas(tri).FillPolygon(triangle, Ink);
    EXPECT_EQ(Mask(tri), Rows({"###...", "##....", "#.....", "......", "......"}));

    Image sq(7, 7);
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    Canvas(sq).FillPolygon(square, Ink);
    EXPECT_EQ(Mask(sq),
              Rows({".......", ".####..", ".####..", ".####..", ".####..", ".......", "......."}));
}

TEST(CanvasPolygon, SharedEdgesNeitherOverlapNorLeaveGaps) {
    // A 12x12 square cut into a fan of triangles around an off-grid point;
    // the edges pass exactly through pixel centres in places.
    const Point centre{5, 7};
    const Point rim[] = {{0, 0}, {7, 0}, {12, 0}, {12, 5}, {12, 12}, {3, 12}, {0, 12}, {0, 4}};
    std::vector<int> covered(144, 0);
    for (size_t i = 0; i < std::size(rim); ++i) {
        const Point piece[] = {centre, rim[i], rim[(i + 1) % std::size(rim)]};
        Image image(12, 12);
        Canvas(image).FillPolygon(piece, Ink);
        for (size_t p = 0; p < image.Pixels.size(); ++p) covered[p] += image.Pixels[p] == Ink;
    }
    for (size_t p = 0; p < covered.size(); ++p) EXPECT_EQ(covered[p], 1) << "pixel " << p;
}

TEST(CanvasPolygon, EvenOddLeavesTheStarsMiddleEmpty) {
    Image dst(16, 16);
    const Point star[] = {{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};
    Canvas(dst).FillPolygon(star, Ink);
    EXPECT_EQ(dst.At(8, 4), Ink);  // top arm
    EXPECT_EQ(dst.At(3, 5), Ink);  // left arm
    EXPECT_EQ(dst.At(12, 5), Ink);
    EXPECT_EQ(dst.At(5, 9), Ink);
    EXPECT_EQ(dst.At(8, 5), 0u);  // the pentagon in the middle is a hole
    EXPECT_EQ(dst.At(8, 9), 0u);
    EXPECT_EQ(dst.At(0, 0), 0u);
}

TEST(CanvasPolygon, DegenerateShapesDrawNothing) {
    Image dst(8, 8);
    Canvas canvas(dst);
    const Point one[] = {{3, 3}};
    const Point two[] = {{1, 1}, {6, 6}};
    const Point collinear[] = {{0, 0}, {4, 4}, {7, 7}};
    const Point same[] = {{2, 2}, {2, 2}, {2, 2}};
    canvas.FillPolygon({}, Ink);
    canvas.FillPolygon(one, Ink);
    canvas.FillPolygon(two, Ink);
    canvas.FillPolygon(collinear, Ink);
    canvas.FillPolygon(same, Ink);
    canvas.Polygon({}, Ink, Ink);
    canvas.Polygon(one, Ink, Ink);
    EXPECT_EQ(dst.Pixels, std::vector<uint32_t>(64, 0));
}

TEST(CanvasPolygon, HugeCoordinatesStayExact) {
    // The diagonal runs through every pixel centre with x == y, which belongs
    // to the span starting there.
    Image dst(5, 5);
    const Point tri[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}};
    Canvas(dst).FillPolygon(tri, Ink);
    EXPECT_EQ(Mask(dst), Rows({"#####", ".####", "..###", "...##", "....#"}));
}

TEST(CanvasPolygon, OutlineClosesTheShape) {
    constexpr uint32_t fill = 0x00000077;
    Image dst(7, 7);
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    Canvas(dst).Polygon(square, fill, Ink);
    EXPECT_EQ(Mask(dst),
              Rows({".......", ".#####.", ".#...#.", ".#...#.", ".#...#.", ".#####.", "......."}));
    EXPECT_EQ(Mask(dst, fill),
              Rows({".......", ".......", "..###..", "..###..", "..###..", ".......", "......."}));
}

TEST(CanvasRoundRect, CornersAreCutAndSymmetric) {
    constexpr uint32_t fill = 0x00000077;
    Image dst(12, 10);
    Canvas(dst).RoundRect({1, 1, 10, 8}, 6, 6, fill, Ink);
    // clang-format off
    EXPECT_EQ(Mask(dst), Rows({"............",
                               "...######...",
                               "..#......#..",
                               ".#........#.",
                               ".#........#.",
                               ".#........#.",
                               ".#........#.",
                               "..#......#..",
                               "...######...",
                               "............"}));
    EXPECT_EQ(Mask(dst, fill), Rows({"............",
                                     "............",
                                     "...######...",
                                     "..########..",
                                     "..########..",
                                     "..########..",
                                     "..########..",
                                     "...######...",
                                     "............",
                                     "............"}));
    // clang-format on
}

TEST(CanvasRoundRect, ZeroCornersGiveAPlainRectangleAndBigOnesClamp) {
    Image round(8, 6);
    Canvas(round).RoundRect({0, 0, 8, 6}, 0, 0, 0x00000077, Ink);
    Image plain(8, 6);
    Canvas(plain).FillRect({0, 0, 8, 6}, 0x00000077);
    Canvas(plain).FrameRect({0, 0, 8, 6}, Ink);
    EXPECT_EQ(round.Pixels, plain.Pixels);

    Image clamped(8, 6);
    Canvas(clamped).RoundRect({0, 0, 8, 6}, 1000, 1000, 0x00000077, Ink);
    Image exact(8, 6);
    Canvas(exact).RoundRect({0, 0, 8, 6}, 8, 6, 0x00000077, Ink);
    EXPECT_EQ(clamped.Pixels, exact.Pixels);
    EXPECT_EQ(clamped.At(0, 0), 0u);  // the corner really is cut
}

TEST(CanvasStretch, EnlargeTwice) {
    Image src(2, 2);
    src.Pixels = {1, 2, 3, 4};
    Image dst(4, 4);
    Canvas(dst).StretchBlit({0, 0, 4, 4}, src, {0, 0, 2, 2});
    EXPECT_EQ(dst.Pixels, (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
}

TEST(CanvasStretch, NegativeSizesMirror) {
    Image src(2, 2);
    src.Pixels = {1, 2, 3, 4};
    Image h(4, 2);
    Canvas(h).StretchBlit({4, 0, -4, 2}, src, {0, 0, 2, 2});  // covers x 0..3
    EXPECT_EQ(h.Pixels, (std::vector<uint32_t>{2, 2, 1, 1, 4, 4, 3, 3}));
    Image v(2, 2);
    Canvas(v).StretchBlit({0, 2, 2, -2}, src, {0, 0, 2, 2});
    EXPECT_EQ(v.Pixels, (std::vector<uint32_t>{3, 4, 1, 2}));
    Image both(2, 2);  // mirrored twice: upright again
    Canvas(both).StretchBlit({2, 0, -2, 2}, src, {2, 0, -2, 2});
    EXPECT_EQ(both.Pixels, src.Pixels);
}

TEST(CanvasStretch, ShrinkSamplesPixelCentresAndClips) {
    const Image src = Numbered(4, 1);  // 1 2 3 4
    Image dst(2, 1);
    Canvas(dst).StretchBlit({0, 0, 2, 1}, src, {0, 0, 4, 1});
    EXPECT_EQ(dst.Pixels, (std::vector<uint32_t>{2, 4}));

    Image part(3, 1, 9);
    Canvas(part).StretchBlit({-1, 0, 4, 1}, src, {0, 0, 4, 1});  // first column off-canvas
    EXPECT_EQ(part.Pixels, (std::vector<uint32_t>{2, 3, 4}));
    Image outside(4, 1, 9);  // half the source rect lies off the source
    Canvas(outside).StretchBlit({0, 0, 4, 1}, src, {2, 0, 4, 1});
    EXPECT_EQ(outside.Pixels, (std::vector<uint32_t>{3, 4, 9, 9}));
    Image xor2(2, 1, 0x00FFFFFF);
    Canvas(xor2).StretchBlit({0, 0, 2, 1}, src, {0, 0, 4, 1}, RasterOp::Xor);
    EXPECT_EQ(xor2.Pixels, (std::vector<uint32_t>{0x00FFFFFD, 0x00FFFFFB}));
}

TEST(CanvasPattern, TiledFromThePictureOrigin) {
    Image pattern(3, 2);
    pattern.Pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFF00, 0x0000FFFF, 0x00FF00FF};
    Image dst(7, 5, 0x00FFFFFF);
    Canvas(dst).AndPattern({2, 1, 4, 3}, pattern);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            EXPECT_EQ(dst.At(x, y), inside ? pattern.At(x % 3, y % 2) : 0x00FFFFFFu)
                << x << "," << y;
        }
    }
    // A pattern bigger than the area works the same way.
    Image big = Numbered(32, 32);
    Image dst2(8, 8, 0x00FFFFFF);
    Canvas(dst2).AndPattern({0, 0, 8, 8}, big);
    EXPECT_EQ(dst2.At(7, 7), big.At(7, 7));
}

}  // namespace
}  // namespace kv
