// The demo scenario's maze walked by its rules: the routes of scenario/README
// lead to the events they name, and the stories there play out (the lever,
// the gate and the wrapping corridor of floor 1; the silver door, the throne
// and the magic circle of floor 3).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "MazeFixture.h"
#include "core/Database.h"
#include "dungeon/Events.h"

namespace kv {
namespace {

using testing::MazeFixture;

constexpr int SilverKey = 181;
constexpr int Crown = 252;

class DemoMaze : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path demo = KORVANE_DEMO_DIR;
        if (!std::filesystem::exists(demo / "KVR4.DAT")) GTEST_SKIP() << "no demo in " << demo;
        ASSERT_TRUE(LoadDatabase(f_.G(), demo, false).Ok());
        f_.G().MazeEvents = BuildEvents(f_.G().Events);
        f_.AddMember(1);
        f_.AddMember(2, "Ｂｏｂ");
    }

    void Face(int facing) {
        const int turn = (facing - f_.G().PartyFacing + 4) % 4;
        if (turn != 0)
            last_ = MoveParty(f_.G(), f_.Player, static_cast<MoveKind>(turn), f_.Display);
    }

    // A route as the README writes it: "S8 W2 E*" faces south and steps 8
    // times, then west twice, then east through a door.
    void Walk(const std::string& route) {
        std::istringstream tokens(route);
        for (std::string token; tokens >> token;) {
            Face(static_cast<int>(std::string("NESW").find(token[0])));
            const bool door = token.back() == '*';
            const std::string digits = token.substr(1, token.size() - 1 - (door ? 1 : 0));
            const int steps = digits.empty() ? 1 : std::stoi(digits);
            for (int i = 0; i < steps; ++i) last_ = TryStep(f_.G(), f_.Player, door, f_.Display);
        }
    }

    bool At(int floor, int x, int y) const {
        const Game& g = *f_.TheGame;
        return g.CurrentFloor == floor && g.PartyX == x && g.PartyY == y;
    }
    int Flag(int n) { return f_.G().EventFlags[static_cast<size_t>(n)]; }

    MazeFixture f_;
    MoveResult last_;
};

TEST_F(DemoMaze, TheLeverRaisesTheGateAndTheCorridorWrapsRoundTheEastEdge) {
    f_.Stand(0, 0, 2, 1);
    Walk("S8 W2");  // west off the edge at (0,8), on at (19,8)
    ASSERT_TRUE(At(1, 18, 8));
    Walk("E");
    EXPECT_TRUE(At(1, 18, 8));  // the gate is down
    EXPECT_TRUE(f_.Player.Saw("鉄格子でふさがれている"));

    f_.Player.Yes();  // pull the lever at the dead end
    Walk("S4");
    EXPECT_EQ(Flag(38), 1);
    EXPECT_TRUE(f_.Player.Saw("鉄格子の上がる音"));
    Walk("N4 E");
    EXPECT_TRUE(At(1, 19, 8));
    EXPECT_EQ(Flag(38), 0);  // it dropped behind the party
    Walk("E");
    EXPECT_TRUE(At(1, 0, 8));

    f_.Player.No();  // the lever left alone does nothing
    Walk("W2 S4");
    EXPECT_EQ(Flag(38), 0);
    EXPECT_EQ(f_.Player.PendingAnswers(), 0u);
}

TEST_F(DemoMaze, TheSilverDoorOpensOnceWithItsKeyAndTheThroneStartsTheFight) {
    Game& g = f_.G();
    f_.Stand(2, 1, 1, 3);
    Walk("E E* E5 S8");
    ASSERT_TRUE(At(3, 9, 9));
    Walk("E*");
    EXPECT_TRUE(At(3, 9, 9));  // no key: the barrier holds
    g.Roster[2].Items[1] = {SilverKey, 0, 1};
    Walk("E*");
    EXPECT_TRUE(At(3, 10, 9));
    EXPECT_EQ(g.Roster[2].Items[1].ItemId, 0);  // the key broke in the lock
    EXPECT_EQ(Flag(41), 1);
    EXPECT_TRUE(CellFlagMap(g, MazeOf(21), 3, 10, 9) & TeleportProofCell);
    EXPECT_TRUE(CellFlagMap(g, MazeOf(21), 3, 15, 9) & TeleportProofCell);

    Walk("E3");
    EXPECT_TRUE(At(3, 13, 9));
    EXPECT_EQ(last_.Outcome, MazeOutcome::EventBattle);
    EXPECT_EQ(last_.Encounter, 40);
    RunEvents(g, f_.Player, EventTrigger::AfterBattle, f_.Display);
    EXPECT_EQ(Flag(40), 1);
    EXPECT_EQ(Flag(23), 1);
    EXPECT_EQ(g.Roster[1].Items[1].ItemId, Crown);
    EXPECT_EQ(g.Items[Crown].Kind, 11 + 256);  // a key item cannot be dropped

    // Back out through the open door, no key needed now.
    Walk("W3 W*");
    ASSERT_TRUE(At(3, 9, 9));
    Walk("E*");
    EXPECT_TRUE(At(3, 10, 9));
}

TEST_F(DemoMaze, TheMagicCircleOfFloor3LeadsToFloor1) {
    f_.Stand(2, 1, 2, 3);
    Walk("S W S* S13 W S");
    EXPECT_TRUE(At(1, 2, 0));
    EXPECT_FALSE(f_.G().PartyCount == 0);
}

}  // namespace
}  // namespace kv
