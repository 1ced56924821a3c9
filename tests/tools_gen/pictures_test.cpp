#include <gtest/gtest.h>

#include "Monsters.h"
#include "Moons.h"
#include "Panels.h"
#include "Town.h"

namespace kv::gen {
namespace {

double Brightness(uint32_t p) {
    return (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3.0;
}

double MeanBrightness(const Image& image, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) sum += Brightness(image.At(x, y));
    }
    return sum / (w * h);
}

TEST(MoonSheets, SixteenPhasesFromNewToFullAndBack) {
    for (Moon moon : {Moon::Luna, Moon::Artemis}) {
        const Image sheet = RenderMoonSheet(moon);
        ASSERT_EQ(sheet.Width, 288);
        ASSERT_EQ(sheet.Height, 64);
        EXPECT_EQ(PhaseX(0), 0);
        EXPECT_EQ(PhaseX(8), 256);
        EXPECT_EQ(PhaseY(8), 0);
        EXPECT_EQ(PhaseX(9), 32);
        EXPECT_EQ(PhaseY(9), 32);
        EXPECT_EQ(PhaseX(15), 224);
        // The tile no phase uses stays black.
        EXPECT_EQ(MeanBrightness(sheet, 0, 32, 32, 32), 0.0);
        auto light = [&](int phase, int dx, int w) {
            return MeanBrightness(sheet, PhaseX(phase) + dx, PhaseY(phase), w, 32);
        };
        EXPECT_GT(light(8, 0, 32), 3 * light(0, 0, 32));
        for (int phase = 1; phase <= 8; ++phase)
            EXPECT_GT(light(phase, 0, 32), light(phase - 1, 0, 32));
        // Waxing lights the right-hand side, waning the left.
        EXPECT_GT(light(4, 16, 16), 3 * light(4, 0, 16));
        EXPECT_GT(light(12, 0, 16), 3 * light(12, 16, 16));
        // Tile corners are black: the tiles are copied straight onto the view.
        for (int phase = 0; phase < MoonPhases; ++phase) {
            EXPECT_EQ(sheet.At(PhaseX(phase), PhaseY(phase)), 0u);
        }
    }
}

TEST(PanelPictures, DarkeningTilesArePureMasksGettingDarker) {
    const Image strip = RenderDarkStrip();
    ASSERT_EQ(strip.Width, 160);
    ASSERT_EQ(strip.Height, 32);
    int previous = 0;
    for (int tile = 0; tile < DarkTiles; ++tile) {
        int black = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const uint32_t p = strip.At(tile * 32 + x, y);
                ASSERT_TRUE(p == 0x000000 || p == 0xFFFFFF);
                black += p == 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(black, DarkTileCoverage(tile));
        EXPECT_GT(black, previous);
        EXPECT_LT(black, 1024) << "a darkening tile never blacks out everything";
        // Even spread: every 4x4 block holds the same share of black.
        const int perBlock = black / 64;
        for (int by = 0; by < 32; by += 4) {
            int count = 0;
            for (int y = by; y < by + 4; ++y) {
                for (int x = 0; x < 4; ++x) count += strip.At(tile * 32 + x, y) == 0 ? 1 : 0;
            }
            EXPECT_EQ(count, perBlock);
        }
        previous = black;
    }
}

TEST(PanelPictures, FramePiecesMeetAtTheirOuterEdges) {
    const Image top = RenderFramePiece(FramePiece::Top);
    const Image left = RenderFramePiece(FramePiece::Left);
    const Image corner = RenderFramePiece(FramePiece::TopLeft);
    const Image bottom = RenderFramePiece(FramePiece::Bottom);
    ASSERT_EQ(top.Width, FramePieceSize);
    ASSERT_EQ(top.Height, FramePieceSize);
    for (int i = 0; i < FramePieceSize; ++i) {
        // The band profile runs the same way into the panel on every side.
        EXPECT_EQ(top.At(0, i), left.At(i, 0));
        EXPECT_EQ(top.At(0, i), bottom.At(0, FramePieceSize - 1 - i));
        // The corner's outer rows continue the edges beside it.
        EXPECT_EQ(corner.At(FramePieceSize - 1, 1), top.At(0, 1));
        EXPECT_EQ(corner.At(1, FramePieceSize - 1), left.At(1, 0));
    }
}

TEST(TownPicture, InterestAboveTheMenusPlainGroundBeneath) {
    const Image town = RenderTown();
    ASSERT_EQ(town.Width, TownWidth);
    ASSERT_EQ(town.Height, TownHeight);
    // Under the command menu and party panel: one flat dark colour (the
    // panels are see-through there, so nothing may show through).
    const uint32_t ground = town.At(0, TownHeight - 1);
    EXPECT_LT(Brightness(ground), 16.0);
    for (int y = TownPanelTop + 20; y < TownHeight; ++y) {
        for (int x = 0; x < TownWidth; ++x) ASSERT_EQ(town.At(x, y), ground) << x << "," << y;
    }
    // Above them: a lit town, warm windows and lamps against the dusk.
    int warm = 0;
    for (int y = 0; y < TownPanelTop; ++y) {
        for (int x = 0; x < TownWidth; ++x) {
            const uint32_t p = town.At(x, y);
            const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            warm += (r > 200 && g > 140 && b < 160) ? 1 : 0;
        }
    }
    EXPECT_GT(warm, 3000) << "lit windows and lamps";
    EXPECT_GT(MeanBrightness(town, 0, 0, TownWidth, TownPanelTop), 40.0);
    // Night still holds the top of the sky above the castle.
    EXPECT_LT(MeanBrightness(town, 280, 0, 80, 12), 40.0);
}

TEST(MonsterPictures, DrawnOnBlackAtTheirListedSizes) {
    for (const MonsterArt& art : MonsterArts) {
        SCOPED_TRACE(std::string(art.File));
        const Image image = art.Render();
        ASSERT_EQ(image.Width, art.Width);
        ASSERT_EQ(image.Height, art.Height);
        // A battle stands it on the party panel, below the monster list.
        EXPECT_LE(art.Height, 280);
        for (const auto& [x, y] : {std::pair{0, 0},
                                   {art.Width - 1, 0},
                                   {0, art.Height - 1},
                                   {art.Width - 1, art.Height - 1}}) {
            EXPECT_LT(Brightness(image.At(x, y)), 4.0) << "corner " << x << "," << y;
        }
        int lit = 0;
        for (uint32_t p : image.Pixels) lit += Brightness(p) > 40 ? 1 : 0;
        EXPECT_GT(lit, static_cast<int>(image.Pixels.size()) / 8) << "the monster fills its frame";
        EXPECT_EQ(art.File.substr(art.File.size() - 4), ".jpg");
    }
}

}  // namespace
}  // namespace kv::gen
