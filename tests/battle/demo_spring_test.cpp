// The demo's springs, walked on a bare game: each heals the party stepping
// into it once and stays still however often the party turns there or steps
// out and back; floor 3's flows again once the party has come down the stairs
// from floor 2, the garden's of place 25 once it has faced the way out.
#include <gtest/gtest.h>

#include "battle/DemoParty.h"
#include "dungeon/Events.h"
#include "dungeon/Movement.h"

namespace kv::testing {
namespace {

constexpr int SpringFlag = 45;
constexpr int GardenFlag = 46;

class DemoSpring : public ::testing::Test {
  protected:
    void SetUp() override {
        game_ = LoadDemo();
        if (!game_) GTEST_SKIP() << "the demo scenario is not built";
        game_->MazeEvents = BuildEvents(game_->Events);
        NewParty(*game_, player_);
        game_->CurrentPlace = 21;
    }

    void Stand(int floor, int x, int y, int facing, int place = 21) {
        Game& g = *game_;
        g.CurrentPlace = place;
        g.CurrentFloor = static_cast<int16_t>(floor);
        LoadFloor(g, display_);
        g.PartyX = g.LastX = static_cast<int16_t>(x);
        g.PartyY = g.LastY = static_cast<int16_t>(y);
        g.PartyFacing = static_cast<int16_t>(facing);
    }

    void Move(MoveKind kind) { MoveParty(*game_, player_, kind, display_); }

    // Everyone down to one hit point; how many of them the spring healed.
    void Wound() {
        for (int i = 1; i <= game_->PartyCount; ++i) game_->Member(i)->HP = 1;
    }
    int Healed() {
        int healed = 0;
        for (int i = 1; i <= game_->PartyCount; ++i) healed += game_->Member(i)->HP > 1 ? 1 : 0;
        return healed;
    }

    std::unique_ptr<Game> game_;
    ScriptedPlayer player_;
    NullGameDisplay display_;
};

// Each spring: where the party steps in, its flag, and the step that lets
// it flow again (floor 2's stairs down onto floor 3, the garden's way out
// faced and declined), then where the party steps in once more.
struct SpringCase {
    int Place, Floor, X, Y, Facing, Flag;
    int RefillFloor, RefillX, RefillY;
    bool RefillAnswer;  // the question the refilling step asks
    int AgainX, AgainY, AgainFacing;
};

TEST_F(DemoSpring, HealsOnceAndFlowsAgainAfterItsRefillingStep) {
    constexpr SpringCase Springs[] = {
        {21, 3, 2, 14, 2, SpringFlag, 2, 1, 2, true, 2, 16, 0},
        {25, 1, 2, 6, 2, GardenFlag, 1, 0, 1, false, 2, 6, 2},
    };
    for (const SpringCase& c : Springs) {
        SCOPED_TRACE(c.Place);
        Game& g = *game_;
        g.EventFlags.fill(0);
        Stand(c.Floor, c.X, c.Y, c.Facing, c.Place);
        Wound();
        Move(MoveKind::Step);  // into the spring
        EXPECT_EQ(Healed(), 6);
        EXPECT_EQ(g.EventFlags[c.Flag], 1);

        Wound();
        for (int turn = 0; turn < 4; ++turn) Move(MoveKind::Right);
        Move(MoveKind::Step);  // out
        Move(MoveKind::About);
        Move(MoveKind::Step);  // and back in
        EXPECT_EQ(Healed(), 0) << "still until the refilling step";

        Stand(c.RefillFloor, c.RefillX, c.RefillY, 0, c.Place);
        if (c.RefillAnswer)
            player_.Yes();
        else
            player_.No();
        Move(MoveKind::Step);
        EXPECT_EQ(g.EventFlags[c.Flag], 0);
        EXPECT_EQ(g.CurrentPlace, c.Place) << "the way out declined keeps the party in";
        Stand(c.Floor, c.AgainX, c.AgainY, c.AgainFacing, c.Place);
        Move(MoveKind::Step);
        EXPECT_EQ(Healed(), 6);
    }
}

}  // namespace
}  // namespace kv::testing
