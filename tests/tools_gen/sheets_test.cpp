#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ViewSheets.h"
#include "dungeon/ViewCompose.h"
#include "platform/sdl/SdlImages.h"
#include "platform/sdl/SdlJpeg.h"

namespace kv::gen {
namespace {

constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 255);
}

int Distance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d = std::max(d, std::abs(Channel(a, shift) - Channel(b, shift)));
    return d;
}

// Whether the pixel (x, y) of a sprite is part of its face, worked out from
// the view's geometry rather than from the generator's outline: side walls
// are as tall as the sprite at their near edge and half as tall at the far one.
bool Opaque(const SheetSprite& s, int x, int y) {
    const double cx = x + 0.5, cy = y + 0.5;
    if (s.Kind == FaceKind::Front) return true;
    const double t = s.Kind == FaceKind::Left ? cx / s.W : 1.0 - cx / s.W;
    const double half = s.H / 2.0 * (1.0 - t / 2.0);
    return cy > s.H / 2.0 - half && cy < s.H / 2.0 + half;
}

class Sheets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (int layer = 0; layer < ViewLayers; ++layer) {
            art_.Walls[static_cast<size_t>(layer)] = RenderSheet(layer, false);
            art_.Doors[static_cast<size_t>(layer)] = RenderSheet(layer, true);
        }
        art_.Ceiling = RenderCeiling();
        art_.Floor = RenderFloor();
    }
    static ViewArt art_;
};

ViewArt Sheets::art_;

TEST(SheetLayout, SizesFollowThePlacementTable) {
    const int widths[] = {30, 330, 660, 720, 240};
    const int heights[] = {16, 32, 64, 128, 256};
    for (int layer = 0; layer < ViewLayers; ++layer) {
        EXPECT_EQ(SheetWidth(layer), widths[layer]);
        EXPECT_EQ(LayerHeight(layer), heights[layer]);
    }
    int rows[ViewLayers] = {};
    for (const SpritePlacement& p : SpritePlacements) {
        ++rows[p.Layer];
        EXPECT_EQ(p.H, LayerHeight(p.Layer));
        EXPECT_LE(p.Sx + p.W, SheetWidth(p.Layer));
        // Placements sharing a sprite agree on its size and kind.
        for (const SheetSprite& s : SheetSprites(p.Layer)) {
            if (s.Sx == p.Sx) {
                EXPECT_EQ(s.W, p.W);
            }
        }
    }
    EXPECT_EQ(rows[0], 5);
    EXPECT_EQ(rows[1], 11);
    EXPECT_EQ(rows[2], 9);
    EXPECT_EQ(rows[3], 7);
    EXPECT_EQ(rows[4], 2);
    EXPECT_EQ(SheetSprites(1).size(), 7u);
    EXPECT_EQ(SheetSprites(3).size(), 5u);
}

TEST_F(Sheets, MasksArePureBlackAndWhiteExactlyUnderTheirSprites) {
    for (int layer = 0; layer < ViewLayers; ++layer) {
        for (const bool doors : {false, true}) {
            SCOPED_TRACE("layer " + std::to_string(layer) + (doors ? " doors" : " walls"));
            const Image& sheet = doors ? art_.Doors[static_cast<size_t>(layer)]
                                       : art_.Walls[static_cast<size_t>(layer)];
            const int h = LayerHeight(layer);
            ASSERT_EQ(sheet.Width, SheetWidth(layer));
            ASSERT_EQ(sheet.Height, 2 * h);
            int covered = 0;
            for (const SheetSprite& s : SheetSprites(layer)) {
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < s.W; ++x) {
                        const uint32_t mask = sheet.At(s.Sx + x, h + y);
                        const uint32_t sprite = sheet.At(s.Sx + x, y);
                        if (Opaque(s, x, y)) {
                            ASSERT_EQ(mask, Black) << "x " << x << " y " << y;
                            ASSERT_NE(sprite, Black) << "an opaque pixel must not vanish under XOR";
                        } else {
                            ASSERT_EQ(mask, White) << "x " << x << " y " << y;
                            ASSERT_EQ(sprite, Black) << "transparent pixels are black";
                        }
                    }
                }
                covered += s.W;
            }
            EXPECT_EQ(covered, sheet.Width) << "sprites tile the sheet without gaps";
        }
    }
}

TEST_F(Sheets, WallAndDoorSheetsShareTheirMasks) {
    for (int layer = 0; layer < ViewLayers; ++layer) {
        const Image& walls = art_.Walls[static_cast<size_t>(layer)];
        const Image& doors = art_.Doors[static_cast<size_t>(layer)];
        const int h = LayerHeight(layer);
        bool differ = false;
        for (int y = 0; y < 2 * h; ++y) {
            for (int x = 0; x < walls.Width; ++x) {
                if (y >= h) {
                    ASSERT_EQ(walls.At(x, y), doors.At(x, y));
                } else {
                    differ = differ || walls.At(x, y) != doors.At(x, y);
                }
            }
        }
        EXPECT_TRUE(differ) << "layer " << layer << " shows no door";
    }
}

TEST_F(Sheets, NearerLayersAreLitBrighter) {
    auto mean = [](const Image& sheet, int h) {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < sheet.Width; ++x) {
                if (sheet.At(x, y + h) != Black) continue;
                const uint32_t p = sheet.At(x, y);
                sum += Channel(p, 16) + Channel(p, 8) + Channel(p, 0);
                ++count;
            }
        }
        return sum / count;
    };
    for (int layer = 1; layer < ViewLayers; ++layer) {
        EXPECT_GT(mean(art_.Walls[static_cast<size_t>(layer)], LayerHeight(layer)),
                  mean(art_.Walls[static_cast<size_t>(layer - 1)], LayerHeight(layer - 1)));
    }
}

TEST_F(Sheets, JpegKeepsMasksWithinAFewLevelsOfPure) {
    std::unique_ptr<ImageCodec> codec = CreateSdlImageCodec();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("kv_gen_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (int layer = 0; layer < ViewLayers; ++layer) {
        const Image& sheet = art_.Doors[static_cast<size_t>(layer)];
        const std::string path = (dir / "d.jpg").string();
        ASSERT_TRUE(SaveJpeg(sheet, path, 100));
        std::optional<Image> back = codec->Load(path);
        ASSERT_TRUE(back.has_value());
        ASSERT_EQ(back->Width, sheet.Width);
        ASSERT_EQ(back->Height, sheet.Height);
        const int h = LayerHeight(layer);
        for (int y = h; y < 2 * h; ++y) {
            for (int x = 0; x < sheet.Width; ++x) {
                ASSERT_LE(Distance(back->At(x, y), sheet.At(x, y)), 16)
                    << "layer " << layer << " mask at " << x << "," << y;
            }
        }
    }
    EXPECT_FALSE(SaveJpeg(Image(), (dir / "empty.jpg").string(), 90));
    std::filesystem::remove_all(dir);
}

TEST_F(Sheets, ComposedViewShowsSpritesWhereWallsAreAndBackgroundElsewhere) {
    ViewCells open;  // nothing at all: only the backgrounds
    const Image bare = ComposeView(art_, open);
    EXPECT_EQ(bare.At(10, 10), art_.Ceiling.At(10, 10));
    EXPECT_EQ(bare.At(10, 200), art_.Floor.At(10, 200 - FloorTop));

    ViewCells near;
    near.ViewWalls[15] = 8;  // only the left wall beside the party
    const Image view = ComposeView(art_, near);
    const Image& sheet = art_.Walls[4];
    for (int y = 0; y < ViewHeight; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool wall = sheet.At(x, 256 + y) == Black;
            const uint32_t expected = wall ? sheet.At(x, y) : bare.At(x, y);
            ASSERT_EQ(view.At(x, y), expected) << x << "," << y;
        }
    }
    // A door bit alone is a hidden door: drawn as plain wall.
    ViewCells hidden;
    hidden.ViewDoors[15] = 8;
    EXPECT_EQ(ComposeView(art_, hidden).Pixels, view.Pixels);
}

TEST(ViewBackgrounds, SizeAndFadeTowardTheHorizon) {
    const Image ceiling = RenderCeiling();
    const Image floor = RenderFloor();
    EXPECT_EQ(ceiling.Width, 640);
    EXPECT_EQ(ceiling.Height, 300);
    EXPECT_EQ(floor.Width, 640);
    EXPECT_EQ(floor.Height, 300);
    auto rowMean = [](const Image& image, int y) {
        double sum = 0;
        for (int x = 0; x < 480; ++x) sum += Channel(image.At(x, y), 8);
        return sum / 480;
    };
    EXPECT_GT(rowMean(ceiling, 20), rowMean(ceiling, 118));  // far ceiling is darker
    EXPECT_GT(rowMean(floor, 110), rowMean(floor, 2));       // far floor is darker
    EXPECT_LT(rowMean(ceiling, 130), 2.0);                   // below the horizon: black
}

}  // namespace
}  // namespace kv::gen
