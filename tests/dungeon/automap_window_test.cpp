// The automap: steps and turns fill it, a transfer does not until the next
// move, only the current floor is drawn, and frmAutoMap lays it out with the
// position line and closes on Enter, Esc or Backspace.
#include <gtest/gtest.h>

#include "MazeFixture.h"
#include "common/Golden.h"
#include "dungeon/AutoMapWindow.h"
#include "dungeon/Automap.h"
#include "ui/UiFixture.h"

namespace kv {
namespace {

using testing::MazeFixture;

class AutoMapWindowTest : public test::UiTest {
  protected:
    // A walled corridor on floor 2 of place 21: (2..6, 3) with a door east of
    // (4,3), a hidden door south of (6,3), and (6,4) dark below it.
    void BuildFloor() {
        Game& g = maze_.G();
        g.SeenWalls.assign(g.SeenWalls.size(), Unseen);
        g.SeenDoors.assign(g.SeenDoors.size(), Unseen);
        for (int x = 2; x <= 6; ++x) {
            int16_t walls = EdgeNorth | EdgeSouth;
            if (x == 2) walls |= EdgeWest;
            if (x == 6) walls = EdgeNorth | EdgeEast | EdgeSouth;
            maze_.Walls(x, 3, walls, 0, 2);
        }
        maze_.Walls(4, 3, EdgeNorth | EdgeSouth | EdgeEast, EdgeEast, 2);
        maze_.Walls(5, 3, EdgeNorth | EdgeSouth | EdgeWest, EdgeWest, 2);
        maze_.Walls(6, 3, EdgeNorth | EdgeEast | EdgeSouth, EdgeSouth, 2);
        maze_.Walls(6, 4, EdgeEast | EdgeSouth | EdgeWest, EdgeNorth, 2);
        SetCellFlagMap(g, MazeOf(21), 2, 6, 4, DarkCell);
        maze_.AddMember(1);
    }

    MazeFixture maze_;
};

TEST_F(AutoMapWindowTest, WalkingFillsTheMapOfThisFloorOnly) {
    ASSERT_NO_FATAL_FAILURE(Start());
    BuildFloor();
    Game& g = maze_.G();
    // A cell on floor 1 known from an earlier trip stays off this map.
    SetSeenWalls(g, MazeOf(21), 1, 9, 9, 0);
    SetSeenDoors(g, MazeOf(21), 1, 9, 9, 0);
    maze_.Stand(2, 3, 1, 2);
    RecordVisit(g);  // where the party came in
    TryStep(g, maze_.Player, false, maze_.Display);
    TryStep(g, maze_.Player, false, maze_.Display);
    TryStep(g, maze_.Player, false, maze_.Display);  // bumps into the door
    TryStep(g, maze_.Player, true, maze_.Display);   // and opens it
    TryStep(g, maze_.Player, false, maze_.Display);
    MoveParty(g, maze_.Player, MoveKind::Right, maze_.Display);
    ASSERT_EQ(g.PartyX, 6);
    ASSERT_EQ(g.PartyFacing, 2);
    TransferParty(g, 2, 6, 4, maze_.Display);
    EXPECT_EQ(AutomapCellAt(g, 6, 4).State, AutomapCellState::Unseen);  // not until it moves
    MoveParty(g, maze_.Player, MoveKind::Left, maze_.Display);
    EXPECT_EQ(g.PartyFacing, 1);

    AutoMapWindow window(Manager(), g);
    const std::vector<std::string> rows = window.Rows();
    EXPECT_EQ(rows[3], "??.....?????????????");
    EXPECT_EQ(rows[4], "??????@?????????????");
    EXPECT_EQ(rows[9], "????????????????????");
    EXPECT_EQ(AutomapCellAt(g, 6, 4).State, AutomapCellState::Dark);
    EXPECT_EQ(AutomapCellAt(g, 4, 3).Doors, EdgeEast);
    EXPECT_EQ(AutomapPositionLine(g), "現在地　２階（６，４）東を向いています");

    window.Open();
    Manager().Redraw();
    const Rect bounds = window.CanvasBounds();
    EXPECT_TRUE(
        test::MatchesGolden(Host().Images(), test::Crop(Manager().Frame(), bounds), "automap"));
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find(R"("t":"automap","text":"現在地　２階（６，４）東を向いています")"),
              std::string::npos)
        << lines.back();
}

TEST_F(AutoMapWindowTest, EnterEscAndBackspaceCloseIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    BuildFloor();
    maze_.Stand(2, 3, 1, 2);
    for (const int key : {Key::Return, Key::Escape, Key::Back}) {
        AutoMapWindow window(Manager(), maze_.G());
        window.Open();
        Tap(Key::Down);
        EXPECT_TRUE(window.IsOpen());
        Tap(key);
        EXPECT_FALSE(window.IsOpen()) << key;
    }
}

// A damaged save holding other values than 0..15 shows the cell as unseen
// rather than as a room with doors on every side.
TEST(Automap, RememberedValuesOutOfRangeReadAsUnseen) {
    MazeFixture f;
    f.Stand(0, 0, 0, 1);
    for (const auto& [walls, doors] : {std::pair<int16_t, int16_t>{0, -1}, {16, 0}, {3, 99}}) {
        SetSeenWalls(f.G(), MazeOf(21), 1, 1, 1, walls);
        SetSeenDoors(f.G(), MazeOf(21), 1, 1, 1, doors);
        EXPECT_EQ(AutomapCellAt(f.G(), 1, 1).State, AutomapCellState::Unseen) << walls << doors;
    }
}

}  // namespace
}  // namespace kv
