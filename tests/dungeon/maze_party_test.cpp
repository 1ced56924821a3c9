// Entering the maze, suspending and resuming a trip, and finding those left
// behind: the party's place and number, and every member's own copy of it.
#include <gtest/gtest.h>

#include "MazeFixture.h"
#include "dungeon/MazeParty.h"

namespace kv {
namespace {

using testing::MazeFixture;

TEST(MazePlaces, TheMenuGrowsWithTheUnlockFlags) {
    struct Case {
        int Flag21, Flag22;
        std::vector<int> Places;
    };
    const Case cases[] = {
        {0, 0, {21, 22, 23, 0}},
        {1, 0, {24, 21, 22, 23, 0}},
        {1, 1, {25, 24, 21, 22, 23, 0}},
        {0, 1, {25, 21, 22, 23, 0}},
    };
    for (const Case& c : cases) {
        Game game;
        game.EventFlags[21] = c.Flag21;
        game.EventFlags[22] = c.Flag22;
        std::vector<int> places;
        for (const PlaceRow& row : MazeEntryRows(game)) places.push_back(row.Place);
        EXPECT_EQ(places, c.Places);
        // The row shown is the row entered.
        std::vector<std::string> texts;
        for (const PlaceRow& row : MazeEntryRows(game)) texts.push_back(row.Text);
        EXPECT_EQ(texts, CommandMenuFor(MenuStates::MazeChoice, game).Rows);
        EXPECT_EQ(texts.back(), "L)町外れ");
        if (c.Flag21 == 1) {
            EXPECT_EQ(texts[c.Flag22 == 1 ? 1 : 0], "A)コルヴァーネの中心");
        }
    }
}

TEST(MazeEntry, ThePartyStartsAtTheCornerFacingSouth) {
    MazeFixture f;
    f.AddMember(1);
    f.AddMember(4);
    f.G().Roster[9].Id = 9;
    f.G().Roster[9].PartyNo = 1;  // a party left in the maze holds number 1
    f.G().Roster[1].PartyNo = f.G().Roster[4].PartyNo = 0;
    ASSERT_TRUE(EnterMaze(f.G(), f.Player, 23, f.Display));
    EXPECT_EQ(f.G().CurrentPartyNo, 2);
    EXPECT_EQ(f.G().CurrentPlace, 23);
    EXPECT_EQ(f.G().CurrentFloor, 1);
    EXPECT_EQ(f.G().PartyX + f.G().PartyY, 0);
    EXPECT_EQ(f.G().PartyFacing, 2);
    EXPECT_EQ(f.Display.Saves, 1);
    EXPECT_EQ(f.Display.Scene(), SceneMaze1);
    const Creature& second = f.G().Roster[4];
    EXPECT_EQ(second.Place, 23);
    EXPECT_EQ(second.Floor, 1);
    EXPECT_EQ(second.PartyNo, 2);
    EXPECT_EQ(second.PartyPos, 2);
}

TEST(MazeEntry, NoPartyOrAFallenPartyStaysInTown) {
    MazeFixture empty;
    EXPECT_FALSE(EnterMaze(empty.G(), empty.Player, 21, empty.Display));
    EXPECT_TRUE(empty.Player.Saw("パーティーを組んでいません"));

    MazeFixture fallen;
    fallen.AddMember(1).Status = StatusStone;
    EXPECT_FALSE(EnterMaze(fallen.G(), fallen.Player, 21, fallen.Display));
    EXPECT_TRUE(fallen.Player.Saw("そのパーティーは全滅しています"));
    EXPECT_EQ(fallen.G().CurrentFloor, 0);
}

TEST(MazeSuspend, AResumedPartyStandsWhereItStoppedFacingNorth) {
    MazeFixture f;
    f.AddMember(2, "Ａ");
    f.AddMember(5, "Ｂ").Status = StatusLost;
    f.AddMember(3, "Ｃ").BaseAC = 6;
    f.Stand(11, 12, 1, 4, 22);
    SuspendAdventure(f.G(), f.Player, f.Display);
    EXPECT_EQ(f.G().PartyCount, 0);
    EXPECT_EQ(f.G().CurrentFloor, 0);
    EXPECT_EQ(f.G().Roster[5].Id, 0);  // the lost are gone for good
    EXPECT_EQ(f.G().Roster[3].AC, 6);
    EXPECT_EQ(f.G().Roster[3].PosX, 11);

    f.Display.Saves = 0;
    ASSERT_TRUE(ResumeAdventure(f.G(), f.Player, 3, f.Display));
    EXPECT_EQ(f.G().PartyCount, 2);
    EXPECT_EQ(f.G().PartyList[1], 2);
    EXPECT_EQ(f.G().PartyList[2], 3);
    EXPECT_EQ(f.G().CurrentPlace, 22);
    EXPECT_EQ(f.G().CurrentFloor, 4);
    EXPECT_EQ(f.G().PartyX, 11);
    EXPECT_EQ(f.G().PartyY, 12);
    EXPECT_EQ(f.G().PartyFacing, 0);
    EXPECT_EQ(f.G().Roster[3].PartyPos, 2);
    EXPECT_EQ(f.Display.Saves, 1);
}

TEST(MazeSuspend, ResumingIntoRockIsTheEnd) {
    MazeFixture f;
    f.AddMember(2);
    f.Walls(7, 7, AllEdges, 0, 3);
    f.Stand(7, 7, 0, 3);
    SuspendAdventure(f.G(), f.Player, f.Display);
    EXPECT_FALSE(ResumeAdventure(f.G(), f.Player, 2, f.Display));
    EXPECT_EQ(f.G().Roster[2].Id, 0);
    EXPECT_TRUE(f.Player.Saw("石の中にいる"));
    EXPECT_TRUE(f.Player.Saw("パーティーは全滅した"));
    EXPECT_FALSE(ResumeAdventure(f.G(), f.Player, 2, f.Display));  // nobody out there now
}

TEST(MazeCompanions, AnotherPartyFindsTheFallenAtTheirCell) {
    MazeFixture f;
    f.AddMember(1, "Ａ").Status = StatusDead;
    f.Stand(3, 4, 0, 2);
    HandleWipeOut(f.G(), f.Player, f.Display);

    MazeFixture& g = f;  // the same roster; a second party walks in
    g.Player.Clear();
    g.AddMember(7, "Ｇ");
    g.G().Roster[7].PartyNo = 2;
    g.Stand(3, 4, 0, 2);
    g.G().CurrentPartyNo = 2;
    g.Player.Pick(1);
    FindCompanions(g.G(), g.Player, g.Display);
    ASSERT_EQ(g.G().PartyCount, 2);
    EXPECT_EQ(g.G().PartyList[2], 1);
    EXPECT_EQ(g.G().Roster[1].PartyNo, 2);
    EXPECT_EQ(g.G().Roster[1].PartyPos, 2);

    // Elsewhere there is nobody; a full party takes nobody more.
    g.Stand(9, 9, 0, 2);
    FindCompanions(g.G(), g.Player, g.Display);
    EXPECT_TRUE(g.Player.Saw("誰もいない"));
    for (int slot = 20; slot < 24; ++slot) g.AddMember(slot);
    FindCompanions(g.G(), g.Player, g.Display);
    EXPECT_TRUE(g.Player.Saw("これ以上パーティーを増やせません"));
}

}  // namespace
}  // namespace kv
