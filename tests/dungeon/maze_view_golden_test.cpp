// The first-person view drawn pixel for pixel as the player sees it: one spot
// of a small maze in the three styles, and a dark cell. The pictures live in
// tests/dungeon/golden; run with KORVANE_UPDATE_GOLDEN=1 to write them anew
// after a change that is meant to alter them (then look at them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "dungeon/MazeFixture.h"
#include "dungeon/MazeView.h"
#include "platform/null/NullPlatform.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const fs::path GoldenFolder = fs::path(KORVANE_TEST_SOURCE) / "dungeon" / "golden";

class MazeViewGolden : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        platform_ = CreateNullPlatform({}, error);
        ASSERT_TRUE(platform_) << error;
        glyphs_ = std::make_unique<GlyphCache>(platform_->Fonts());
        art_ = LoadMazeArt(platform_->Images(), KORVANE_DEMO_FOLDER);
        ASSERT_FALSE(art_.PicturesMissing) << "the demo's wall pictures are not built";
        BuildSpot();
    }

    // A corridor north from (5, 10) with a door ahead two cells on, a side
    // passage to the east one cell on, a hidden door in the west wall, and
    // a dark cell beside the corridor.
    void BuildSpot() {
        testing::MazeFixture& m = maze_;
        m.AddMember(1);
        for (int y = 6; y <= 10; ++y) m.Walls(5, y, EdgeEast | EdgeWest);
        m.Walls(5, 9, EdgeWest);             // opening to the east
        m.Walls(5, 10, EdgeEast, EdgeWest);  // a hidden door on the left: drawn as a wall
        m.Walls(5, 8, EdgeNorth | EdgeEast | EdgeWest, EdgeNorth);  // a door ahead
        m.Walls(6, 9, EdgeNorth | EdgeSouth);
        m.Walls(7, 9, AllEdges);
        m.Walls(4, 8, AllEdges);
        m.Walls(4, 9, AllEdges);  // dark: filled, never outlined
        SetCellFlagMap(m.G(), MazeOf(21), 1, 4, 9, DarkCell);
        SetCellFlagMap(m.G(), MazeOf(21), 1, 2, 2, DarkCell);
        m.G().LunaCount = 250;     // the ninth phase: full
        m.G().ArtemisCount = 130;  // the fourth
        m.Stand(5, 10, 0);
    }

    Image Draw(ViewStyle style) {
        Image target(640, 480, 0);
        DrawMazeView(target, *glyphs_, maze_.G(), art_, style, true);
        return target;
    }

    void ExpectGolden(const Image& picture, const std::string& name) {
        const fs::path path = GoldenFolder / name;
        if (std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr) {
            fs::create_directories(GoldenFolder);
            ASSERT_TRUE(platform_->Images().SavePng(picture, path.string()));
            return;
        }
        std::optional<Image> golden = platform_->Images().Load(path.string());
        ASSERT_TRUE(golden) << path << " is missing; make it with KORVANE_UPDATE_GOLDEN=1";
        ASSERT_EQ(golden->Width, picture.Width);
        ASSERT_EQ(golden->Height, picture.Height);
        int differing = 0;
        for (size_t i = 0; i < picture.Pixels.size(); ++i) {
            if ((golden->Pixels[i] & 0xFFFFFF) != (picture.Pixels[i] & 0xFFFFFF)) ++differing;
        }
        EXPECT_EQ(differing, 0) << name << " differs from its golden picture";
    }

    testing::MazeFixture maze_;
    std::unique_ptr<NullPlatform> platform_;
    std::unique_ptr<GlyphCache> glyphs_;
    MazeArt art_;
};

TEST_F(MazeViewGolden, TheSameSpotInEachStyle) {
    ExpectGolden(Draw(ViewStyle::Lines), "maze_lines.png");
    ExpectGolden(Draw(ViewStyle::Polygons), "maze_polygons.png");
    ExpectGolden(Draw(ViewStyle::Pictures), "maze_pictures.png");
}

TEST_F(MazeViewGolden, ADarkCellShowsOnlyTheDarknessWhateverTheStyle) {
    maze_.Stand(2, 2, 1);
    const Image dark = Draw(ViewStyle::Pictures);
    ExpectGolden(dark, "maze_dark.png");
    EXPECT_EQ(Draw(ViewStyle::Lines).Pixels, dark.Pixels);
}

TEST_F(MazeViewGolden, TheCompassLineFollowsTheSkillAndTheHelpTheWindow) {
    const Image plain = Draw(ViewStyle::Lines);
    maze_.G().Roster[1].Skills[92] = 1;
    ApplyEffectSkills(maze_.G());
    EXPECT_NE(maze_.G().PartyEffects & PartyEffectCompass, 0);
    const Image compass = Draw(ViewStyle::Lines);
    // Only the band of the fifth line changes.
    for (int y = 0; y < 480; ++y) {
        bool same = true;
        for (int x = 0; x < 640; ++x) same = same && plain.At(x, y) == compass.At(x, y);
        if (y < 64 || y >= 80) {
            EXPECT_TRUE(same) << "row " << y;
        }
    }
    EXPECT_NE(plain.Pixels, compass.Pixels);
    Image hidden(640, 480, 0);
    DrawMazeView(hidden, *glyphs_, maze_.G(), art_, ViewStyle::Lines, false);
    // Without the party window the lines are gone and nothing else changes.
    EXPECT_NE(hidden.Pixels, compass.Pixels);
    for (int y = 80; y < 480; ++y) {
        for (int x = 0; x < 640; x += 7) ASSERT_EQ(hidden.At(x, y), compass.At(x, y));
    }
}

}  // namespace
}  // namespace kv
