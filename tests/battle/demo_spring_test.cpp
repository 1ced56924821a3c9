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

TEST_F(DemoSpring, HealsOnceAndFlowsAgainAfterTheStairsDown) {
    Game& g = *game_;
    Stand(3, 2, 14, 2);
    Wound();
    Move(MoveKind::Step);  // into the spring from the north
    EXPECT_EQ(Healed(), 6);
    EXPECT_EQ(g.EventFlags[SpringFlag], 1);

    Wound();
    for (int turn = 0; turn < 4; ++turn) Move(MoveKind::Right);
    Move(MoveKind::Step);  // out to the south
    Move(MoveKind::About);
    Move(MoveKind::Step);  // and back in, facing north
    EXPECT_EQ(Healed(), 0) << "still until the party comes down again";

    // Down the stairs of floor 2 onto floor 3's landing, and to the spring.
    Stand(2, 1, 2, 0);
    player_.Yes();
    Move(MoveKind::Step);
    EXPECT_EQ(g.CurrentFloor, 3);
    EXPECT_EQ(g.EventFlags[SpringFlag], 0);
    Stand(3, 2, 16, 0);
    Move(MoveKind::Step);  // in from the south this time
    EXPECT_EQ(Healed(), 6);
}

TEST_F(DemoSpring, TheGardenSpringFlowsAgainOnceThePartyFacedTheWayOut) {
    Game& g = *game_;
    Stand(1, 2, 6, 2, 25);
    Wound();
    Move(MoveKind::Step);  // into the garden's spring from the north
    EXPECT_EQ(Healed(), 6);
    Wound();
    for (int turn = 0; turn < 4; ++turn) Move(MoveKind::Right);
    EXPECT_EQ(Healed(), 0);
    EXPECT_EQ(g.EventFlags[GardenFlag], 1);

    Stand(1, 0, 1, 0, 25);
    player_.No();
    Move(MoveKind::Step);  // onto the entrance facing out: not home yet
    EXPECT_EQ(g.CurrentPlace, 25);
    EXPECT_EQ(g.EventFlags[GardenFlag], 0);
    Stand(1, 2, 6, 2, 25);
    Move(MoveKind::Step);
    EXPECT_EQ(Healed(), 6);
}

}  // namespace
}  // namespace kv::testing
