// Walking the maze: steps and their wrap-around, walls and doors, what a step
// does to the members, the encounter odds and roll, and where a transfer lands.
#include <gtest/gtest.h>

#include "MazeFixture.h"
#include "core/MazeMap.h"
#include "dungeon/Encounters.h"
#include "dungeon/Movement.h"
#include "dungeon/StepEffects.h"
#include "dungeon/TreasureSpots.h"

namespace kv {
namespace {

using testing::MazeFixture;

TEST(MazeStep, MovesOneCellAndWrapsAtTheEdges) {
    struct Case {
        int X, Y, Facing, WantX, WantY;
    };
    const Case cases[] = {
        {5, 0, 0, 5, 19}, {19, 3, 1, 0, 3}, {3, 19, 2, 3, 0},
        {0, 7, 3, 19, 7}, {4, 4, 0, 4, 3},  {4, 4, 1, 5, 4},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        f.AddMember(1);
        f.Stand(c.X, c.Y, c.Facing);
        const MoveResult r = TryStep(f.G(), f.Player, false, f.Display);
        EXPECT_EQ(r.Outcome, MazeOutcome::None);
        EXPECT_EQ(f.G().PartyX, c.WantX) << c.X << "," << c.Y << " facing " << c.Facing;
        EXPECT_EQ(f.G().PartyY, c.WantY) << c.X << "," << c.Y << " facing " << c.Facing;
        EXPECT_EQ(f.G().LastX, c.X);
        EXPECT_EQ(f.G().LastY, c.Y);
        // The new cell is in the automap now.
        EXPECT_EQ(SeenDoors(f.G(), 1, 1, c.WantX, c.WantY), 0);
    }
}

TEST(MazeStep, WallsBumpAndDoorsOpenOnlyToTheOpenDoorKey) {
    struct Case {
        const char* What;
        int16_t Walls, Doors;
        bool OpenDoorKey, Passes;
    };
    const Case cases[] = {
        {"open, Up", 0, 0, false, true},
        {"open, Space", 0, 0, true, true},
        {"wall, Up", EdgeNorth, 0, false, false},
        {"wall, Space", EdgeNorth, 0, true, false},
        {"door, Up", EdgeNorth, EdgeNorth, false, false},
        {"door, Space", EdgeNorth, EdgeNorth, true, true},
        {"hidden door, Up", 0, EdgeNorth, false, false},
        {"hidden door, Space", 0, EdgeNorth, true, true},
        {"hidden door behind a wall, Space", EdgeNorth | EdgeEast, EdgeNorth, true, true},
        {"wall on another side, Up", EdgeSouth | EdgeEast, 0, false, true},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        f.AddMember(1);
        f.Walls(6, 6, c.Walls, c.Doors);
        f.Stand(6, 6, 0);
        const MoveResult r = TryStep(f.G(), f.Player, c.OpenDoorKey, f.Display);
        EXPECT_EQ(f.G().PartyY, c.Passes ? 5 : 6) << c.What;
        EXPECT_EQ(r.Outcome, c.Passes ? MazeOutcome::None : MazeOutcome::Bumped) << c.What;
        EXPECT_EQ(f.Player.Saw("いてっ！"), !c.Passes) << c.What;
        // A bump changes nothing: no moons, no steps walked.
        EXPECT_EQ(f.G().LunaCount, c.Passes ? 1 : 0) << c.What;
    }
}

TEST(MazeStep, PoisonAndRegenerationPerStep) {
    struct Case {
        const char* What;
        int32_t Status;
        int32_t MaxHP, HP;
        int16_t Regen;
        bool Skill89, Skill66;
        double Gold;
        int32_t WantHP;
        double WantGold;
    };
    const Case cases[] = {
        {"poison takes a die of MaxHP\\128", StatusPoison, 100, 100, 0, false, false, 0, 99, 0},
        {"poison beats regeneration", StatusPoison, 100, 50, 5, true, false, 5, 49, 5},
        {"deadly poison, die of 1", StatusDeadlyPoison, 40, 40, 0, false, false, 0, 39, 0},
        {"deadly poison, die of 0 still takes 1", StatusDeadlyPoison, 20, 20, 3, false, false, 0,
         19, 0},
        {"regeneration 3, skills 89 and 66, 10 gold", 0, 50, 45, 3, true, true, 10, 50, 9},
        {"regeneration 3 with skill 89, far below", 0, 50, 30, 3, true, false, 10, 34, 9},
        {"regeneration 3 doubled", 0, 50, 30, 3, false, true, 10, 36, 10},
        {"skill 89 without gold", 0, 50, 30, 0, true, false, 0, 30, 0},
        {"skill 89, one gold piece", 0, 50, 30, 0, true, false, 1, 31, 0},
        {"full hit points pay nothing", 0, 50, 50, 3, true, true, 10, 50, 10},
        {"the dead are left alone", StatusDead, 50, 0, 3, true, false, 10, 0, 10},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        Creature& m = f.AddMember(1);
        f.AddMember(2);  // a healthy member keeps the party standing
        m.Status = c.Status;
        m.MaxHP = c.MaxHP;
        m.HP = c.HP;
        m.Regen = c.Regen;
        m.Skills[SkillIndex(Skill::Regeneration)] = c.Skill89 ? 1 : 0;
        m.Skills[SkillIndex(Skill::DoubleRegeneration)] = c.Skill66 ? 1 : 0;
        m.Gold = c.Gold;
        f.Stand(3, 3, 2);
        TryStep(f.G(), f.Player, false, f.Display);
        EXPECT_EQ(m.HP, c.WantHP) << c.What;
        EXPECT_EQ(m.Gold, c.WantGold) << c.What;
        EXPECT_EQ(m.Walk, (c.Status & StatusDead) != 0 ? 0 : 1) << c.What;
    }
}

TEST(MazeStep, PoisonKillsAndALastDeathWipesThePartyOut) {
    MazeFixture f;
    Creature& a = f.AddMember(1, "Ａ");
    Creature& b = f.AddMember(2, "Ｂ");
    a.Status = b.Status = StatusPoison;
    a.HP = b.HP = 1;
    f.Stand(7, 8, 1, 2);
    const MoveResult r = TryStep(f.G(), f.Player, false, f.Display);
    EXPECT_EQ(r.Outcome, MazeOutcome::WipedOut);
    EXPECT_TRUE(f.Player.Saw("Ａは\n死んだ・・・"));
    EXPECT_TRUE(f.Player.Saw("Ｂは\n死んだ・・・"));
    EXPECT_TRUE(f.Player.Saw("パーティーは全滅した"));
    EXPECT_EQ(f.Display.Scene(), SceneWipeOut);
    EXPECT_EQ(f.G().PartyCount, 0);
    EXPECT_EQ(f.G().CurrentFloor, 0);
    // The bodies lie where the party fell.
    for (const Creature* c : {&a, &b}) {
        EXPECT_TRUE((c->Status & StatusDead) != 0);
        EXPECT_EQ(c->Place, 21);
        EXPECT_EQ(c->Floor, 2);
        EXPECT_EQ(c->PosX, 8);
        EXPECT_EQ(c->PosY, 8);
        EXPECT_EQ(c->PartyNo, 1);
    }
    EXPECT_GE(f.Display.Saves, 1);
}

TEST(MazeStep, BothMoonsNewMoveTheTreasureAndCountACycle) {
    MazeFixture f;
    Creature& m = f.AddMember(1);
    f.Stand(0, 0, 2);
    f.G().LunaCount = 479;
    f.G().ArtemisCount = 638;
    TryStep(f.G(), f.Player, false, f.Display);
    EXPECT_EQ(f.G().LunaCount, 0);
    EXPECT_EQ(f.G().ArtemisCount, 639);
    EXPECT_EQ(m.StepCycles, 0);
    f.G().LunaCount = 479;
    TryStep(f.G(), f.Player, false, f.Display);
    EXPECT_EQ(f.G().LunaCount, 0);
    EXPECT_EQ(f.G().ArtemisCount, 0);
    EXPECT_EQ(m.StepCycles, 1);
    int active = 0;
    for (int row = 1; row <= TreasureSpotRows; ++row)
        active += TreasureSpot(f.G(), SpotActive, row);
    EXPECT_EQ(active, TreasureSpotRows);
}

TEST(MazeTurn, TurnsAndRecordsTheCell) {
    struct Case {
        MoveKind Kind;
        int From, Want;
    };
    const Case cases[] = {{MoveKind::Right, 0, 1},
                          {MoveKind::Right, 3, 0},
                          {MoveKind::About, 1, 3},
                          {MoveKind::Left, 0, 3},
                          {MoveKind::Left, 2, 1}};
    for (const Case& c : cases) {
        MazeFixture f;
        f.AddMember(1);
        f.Walls(2, 2, EdgeNorth | EdgeWest, EdgeWest);
        f.Stand(2, 2, c.From);
        MoveParty(f.G(), f.Player, c.Kind, f.Display);
        EXPECT_EQ(f.G().PartyFacing, c.Want);
        EXPECT_EQ(f.G().PartyX, 2);
        EXPECT_EQ(SeenWalls(f.G(), 1, 1, 2, 2), EdgeNorth | EdgeWest);
        EXPECT_EQ(SeenDoors(f.G(), 1, 1, 2, 2), EdgeWest);
        EXPECT_EQ(f.G().LunaCount, 0);
    }
}

TEST(MazeEncounters, OddsByFloorAndSkills) {
    struct Case {
        int Floor;
        int Skill;
        int16_t Rate, Base;
    };
    const Case cases[] = {
        {1, 0, 2, 50},    {8, 0, 1, 30},  {13, 0, 4, 50}, {18, 0, 5, 0},  {20, 0, 2, 80},
        {21, 0, 2, 100},  {5, 0, 2, 0},   {1, 14, 1, 0},  {21, 14, 1, 0}, {1, 59, 2, 100},
        {20, 43, 2, 240}, {9, 59, 1, 60}, {2, 43, 2, 0},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        Creature& m = f.AddMember(1);
        f.AddMember(2).Skills[static_cast<size_t>(c.Skill)] = c.Skill != 0 ? 1 : 0;
        (void)m;
        const EncounterOdds odds = PartyEncounterOdds(f.G(), c.Floor);
        EXPECT_EQ(odds.Rate, c.Rate) << "floor " << c.Floor << " skill " << c.Skill;
        EXPECT_EQ(odds.Base, c.Base) << "floor " << c.Floor << " skill " << c.Skill;
    }
}

TEST(MazeEncounters, TheRollAgainstTheStepsSinceTheLastFight) {
    struct Case {
        const char* What;
        int16_t Rate, Base;
        int32_t Steps, Blessings;
        int MinMeetings, MaxMeetings;  // out of 400 rolls at that counter
    };
    const Case cases[] = {
        {"floor 18, first step: never", 5, 0, 0, 0, 0, 0},
        {"floor 18, second step: 4 in 2000", 5, 0, 1, 0, 0, 8},
        {"floor 1, first step: 49 in 2000", 2, 50, 0, 0, 1, 30},
        {"far from the last fight: always", 2, 50, 1000, 0, 400, 400},
        {"the blessing's bigger die", 2, 50, 1000, 4, 50, 130},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        f.G().Rng.Seed(7);
        f.G().EncounterRate = c.Rate;
        f.G().EncounterBase = c.Base;
        f.G().PartyBlessings = c.Blessings;
        int meetings = 0;
        for (int i = 0; i < 400; ++i) {
            f.G().StepCounter = c.Steps;
            if (CheckEncounter(f.G())) {
                ++meetings;
                EXPECT_EQ(f.G().StepCounter, 0);
            } else {
                EXPECT_EQ(f.G().StepCounter, c.Steps + 1);
            }
        }
        EXPECT_GE(meetings, c.MinMeetings) << c.What;
        EXPECT_LE(meetings, c.MaxMeetings) << c.What;
    }
}

TEST(MazeEncounters, AStepMeetsMonstersAndTheFloorListsItsEncounters) {
    MazeFixture f;
    f.AddMember(1);
    // Encounter rows: (number, maze, floor) in columns 0, 1, 2 of 2001 rows.
    auto row = [&](int r, int number, int maze, int floor) {
        f.G().EncounterTable[static_cast<size_t>(r)] = static_cast<int16_t>(number);
        f.G().EncounterTable[static_cast<size_t>(2001 + r)] = static_cast<int16_t>(maze);
        f.G().EncounterTable[static_cast<size_t>(2 * 2001 + r)] = static_cast<int16_t>(floor);
    };
    row(1, 11, 1, 1);
    row(2, 12, 1, 2);
    row(3, 13, 2, 1);
    row(4, 14, 1, 1);
    f.Stand(0, 0, 2);
    EXPECT_EQ(f.G().FloorMonsters, (std::vector<int16_t>{11, 14}));
    EXPECT_EQ(f.Display.Scene(), SceneMaze1);
    f.G().EncounterRate = 2;
    f.G().EncounterBase = 5000;
    const MoveResult r = TryStep(f.G(), f.Player, false, f.Display);
    EXPECT_EQ(r.Outcome, MazeOutcome::RandomBattle);
    // The battle music is chosen, not played: the maze's plays on until
    // monsters appear.
    EXPECT_EQ(f.G().Config.BattleScene, SceneBattle1);
    EXPECT_EQ(f.Display.Scene(), SceneMaze1);
}

TEST(MazeLanding, RockAndTheDeepErasePastTheTopKills) {
    struct Case {
        const char* What;
        int Floor;
        bool Rock;
        int Want;
        const char* Text;
        bool Erased, Dead;
    };
    const Case cases[] = {
        {"open cell", 3, false, 0, "", false, false},
        {"solid rock", 3, true, -1, "\r石の中にいる", true, false},
        {"below the deepest floor", 22, false, -1, "\r石の中にいる", true, false},
        {"floor 0", 0, false, -1, "", false, true},
        {"above the first floor", -1, false, -1, "", false, true},
    };
    for (const Case& c : cases) {
        MazeFixture f;
        f.AddMember(1).BaseAC = 4;
        f.AddMember(2);
        if (c.Rock) f.Walls(9, 9, AllEdges, 0, c.Floor);
        f.Stand(1, 1, 0);
        TransferParty(f.G(), c.Floor, 9, 9, f.Display);
        EXPECT_EQ(CheckLanding(f.G(), f.Player, f.Display), c.Want) << c.What;
        if (c.Want == 0) {
            EXPECT_EQ(f.G().PartyCount, 2) << c.What;
            EXPECT_EQ(f.G().Roster[1].PosX, 9) << c.What;
            EXPECT_EQ(f.G().Roster[1].Floor, c.Floor) << c.What;
            continue;
        }
        EXPECT_EQ(f.G().PartyCount, 0) << c.What;
        EXPECT_EQ(f.Display.Saves, 1) << c.What;
        if (*c.Text != 0) {
            EXPECT_EQ(f.Player.Messages().back(), c.Text) << c.What;
        }
        const Creature& m = f.G().Roster[1];
        EXPECT_EQ(m.Id == 0, c.Erased) << c.What;
        EXPECT_EQ((m.Status & StatusDead) != 0, c.Dead) << c.What;
        if (c.Dead) {
            EXPECT_EQ(m.Floor, 0) << c.What;
            EXPECT_EQ(m.AC, 4) << c.What;
        }
    }
}

}  // namespace
}  // namespace kv
