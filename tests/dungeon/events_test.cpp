// The maze's scripted events: building them from the rows, the triggers and
// the order they run in, and the keys and searches that run them (every
// content kind is in event_kinds_test).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EventFixture.h"
#include "MazeFixture.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "dungeon/Events.h"
#include "dungeon/Movement.h"
#include "dungeon/SearchAndUse.h"
#include "dungeon/TreasureSpots.h"

namespace kv {
namespace {

using testing::ContentOf;
using testing::ContentWith;
using testing::MazeFixture;
using testing::SquareEvent;

EventDef Row(int id, int kind, int dataId = 0) {
    EventDef row;
    row.ID = static_cast<int16_t>(id);
    row.Dungeon = 21;
    row.Floor = 1;
    row.X = 4;
    row.Y = 5;
    row.Dir = 0;
    row.EventCase = 1;
    row.Kind = static_cast<uint8_t>(kind);
    row.DataID = static_cast<int16_t>(dataId);
    return row;
}

TEST(MazeEvents, BuildGroupsRowsOfOneId) {
    std::vector<EventDef> rows(EventRows);
    rows[1] = Row(5, 4);
    rows[1].Message = "ようこそ";
    rows[2] = Row(5, 11, 3);
    rows[3] = Row(0, 4);
    rows[4] = Row(7, 20);
    rows[5] = Row(7, 20);
    rows[6] = Row(7, 14, 9);
    rows[6].JudgeString = "こたえ";
    rows[6].LocFloor = 2;
    rows[6].DA = 3;
    rows[6].TrueID = 2;
    rows[7] = Row(8, 4);    // a new ID starts a new event even right after another
    rows[500] = Row(9, 4);  // the last row cannot start an event
    const std::vector<EventClass> events = BuildEvents(rows);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].ID, 5);
    ASSERT_EQ(events[0].Content.size(), 2u);
    EXPECT_EQ(events[0].Content[0].Message, "ようこそ");
    EXPECT_EQ(events[0].Content[1].DataID, 3);
    ASSERT_EQ(events[1].Content.size(), 3u);
    const Contents& last = events[1].Content[2];
    EXPECT_EQ(last.Kind, 14);
    EXPECT_EQ(last.JudgeString, "こたえ");
    EXPECT_EQ(last.Location.Floor, 2);
    EXPECT_EQ(last.Dice.DA, 3);
    EXPECT_EQ(last.TrueID, 2);
    EXPECT_EQ(events[2].ID, 8);
}

// One content kind at work: what is set up, what the player answers, and
// what must hold afterwards.

TEST(MazeEvents, TriggersMatchSquareFacingAndCaseAndRunInOrder) {
    MazeFixture f;
    f.AddMember(1);
    f.Stand(4, 5, 0);
    f.G().MazeEvents = {SquareEvent({ContentOf(14, 3)}), SquareEvent({ContentOf(11, 1)}, 2),
                        SquareEvent({ContentOf(11, 2)}, 1, 1), SquareEvent({ContentOf(14, 8)}),
                        SquareEvent({ContentOf(11, 3)}, 5)};
    EventRun arrival = RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display);
    EXPECT_EQ(arrival.Result, 8);  // both battles ran; the last one counts
    EXPECT_EQ(f.G().EventFlags[1] + f.G().EventFlags[2] + f.G().EventFlags[3], 0);
    EventRun search = RunEvents(f.G(), f.Player, EventTrigger::Search, f.Display);
    EXPECT_EQ(search.Result, 0);
    EXPECT_EQ(f.G().EventFlags[3], 1);
    EventRun nothing = RunEvents(f.G(), f.Player, EventTrigger::ItemUsed, f.Display);
    EXPECT_FALSE(nothing.Fired);
}

TEST(MazeEvents, StepsAndTurnsFireTheirEvents) {
    // A spinner on (4, 5) facing north only; a barrier before stepping east
    // from (4, 5); an arrival battle on (4, 4) facing north.
    MazeFixture f;
    f.AddMember(1);
    f.Stand(4, 6, 0);
    EventClass barrier = SquareEvent({ContentOf(17)}, 2, 1);
    EventClass spinner =
        SquareEvent({ContentWith(ContentOf(22), [](Contents& c) { c.Location.Direction = 1; })});
    EventClass fight = SquareEvent({ContentOf(14, 12)});
    fight.Y = 4;
    f.G().MazeEvents = {barrier, spinner, fight};

    EXPECT_EQ(TryStep(f.G(), f.Player, false, f.Display).Outcome, MazeOutcome::None);
    EXPECT_EQ(f.G().PartyFacing, 1);  // spun to the east on arrival
    const int luna = f.G().LunaCount;
    EXPECT_EQ(TryStep(f.G(), f.Player, false, f.Display).Outcome, MazeOutcome::None);
    EXPECT_EQ(f.G().PartyX, 4);  // the barrier held
    EXPECT_EQ(f.G().LunaCount, luna);
    MoveParty(f.G(), f.Player, MoveKind::Left, f.Display);
    EXPECT_EQ(f.G().PartyFacing, 1);  // turning north re-arms the spinner
    f.G().MazeEvents = {fight};
    MoveParty(f.G(), f.Player, MoveKind::Left, f.Display);
    const MoveResult r = TryStep(f.G(), f.Player, false, f.Display);
    EXPECT_EQ(r.Outcome, MazeOutcome::EventBattle);
    EXPECT_EQ(r.Encounter, 12);
    EXPECT_EQ(f.G().LastEventResult, 12);
}

TEST(MazeEvents, AFightBeforeAStepIsFoughtWithThePartyAlreadyAcross) {
    MazeFixture f;
    f.AddMember(1);
    f.Stand(4, 5, 0);
    f.G().MazeEvents = {SquareEvent({ContentOf(14, 12)}, 2)};
    EXPECT_EQ(TryStep(f.G(), f.Player, false, f.Display).Encounter, 12);
    // Across, so the fight is behind it; a flight leads back to (4, 5).
    EXPECT_EQ((std::vector<int>{f.G().PartyY, f.G().LastY}), (std::vector<int>{4, 5}));
}

TEST(MazeEvents, ASearchFindsAHiddenChestWhenNothingElseFires) {
    MazeFixture f;
    f.AddMember(1);
    f.Stand(4, 5, 0, 2);
    TreasureSpot(f.G(), SpotPlace, 3) = 21;
    TreasureSpot(f.G(), SpotFloor, 3) = 2;
    TreasureSpot(f.G(), SpotX, 3) = 4;
    TreasureSpot(f.G(), SpotY, 3) = 5;
    TreasureSpot(f.G(), SpotActive, 3) = 1;
    const EventRun run = RunEvents(f.G(), f.Player, EventTrigger::Search, f.Display);
    EXPECT_TRUE(run.Fired);
    EXPECT_EQ(run.ChestLevel, 2);
    EXPECT_EQ(TreasureSpot(f.G(), SpotActive, 3), 0);
    EXPECT_TRUE(f.Player.Saw("宝箱を発見した！"));
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(MazeKeys, UsingAnItemAndSearchingRunTheirEvents) {
    struct Case {
        const char* What;
        bool Search, Choose, Told;
        int Trigger;
        MazeOutcome Want;
    };
    const Case cases[] = {
        {"an item used where a fight waits", false, true, true, 3, MazeOutcome::EventBattle},
        {"the choice cancelled", false, false, true, 3, MazeOutcome::None},
        {"a search where a fight waits", true, true, true, 5, MazeOutcome::EventBattle},
        {"a search of an empty square, told", true, true, true, 1, MazeOutcome::None},
        {"a search of an empty square, untold", true, true, false, 1, MazeOutcome::None},
    };
    for (const Case& c : cases) {
        testing::MazeFixture f;
        f.AddMember(1);
        f.Stand(4, 5, 0);
        f.G().Config.ShowSearchFailure = c.Told ? 1 : 0;
        f.G().MazeEvents = {SquareEvent({ContentOf(14, 77)}, c.Trigger)};
        if (c.Choose) f.Player.Pick(1).Pick(2);
        int chest = -1;
        const MoveResult r = c.Search ? SearchHere(f.G(), f.Player, f.Display, chest)
                                      : UseItemHere(f.G(), f.Player, f.Display);
        EXPECT_EQ(r.Outcome, c.Want) << c.What;
        EXPECT_EQ(r.Encounter, c.Want == MazeOutcome::EventBattle ? 77 : 0) << c.What;
        const bool toldNothing = c.Search && c.Trigger != 5 && c.Told;
        EXPECT_EQ(f.Player.Saw("何も見つからなかった"), toldNothing) << c.What;
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// The special encounter of the two last mazes: once its rolls land on the
// party and it stays, the battle it asks for plays the scene it chose.
TEST(MazeEvents, TheSpecialEncounterChoosesItsBattleMusic) {
    struct Case {
        bool SkilledMember;  // a member with skill 95 meets the boss
        int FirstEncounter, LastEncounter, Scene;
    };
    const Case cases[] = {{false, 495, 498, SceneBattle2}, {true, 512, 513, SceneBoss1}};
    for (const Case& c : cases) {
        MazeFixture f;
        f.AddMember(1).Skills[95] = c.SkilledMember ? 1 : 0;
        f.AddMember(2, "Ｂｏｂ");
        // A seed whose fourth roll (1d2) is 1; the party stands where the
        // first three put it.
        int y = 0, x = 0, facing = 0;
        for (uint64_t seed = 1;; ++seed) {
            Random probe(seed);
            y = Dice(probe, 1, 20, -1);
            x = Dice(probe, 1, 20, -1);
            facing = Dice(probe, 1, 4, -1);
            if (Dice(probe, 1, 2, 0) == 1) {
                f.G().Rng.Seed(seed);
                break;
            }
        }
        f.Stand(x, y, facing, 1, 24);
        const Random rolls = f.G().Rng;
        f.Display.Seconds = 1000;  // not yet: more than 1000 seconds must have passed
        EXPECT_EQ(RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display).Result, 0);
        EXPECT_FALSE(f.G().SpecialEncounterUsed);

        f.G().Rng = rolls;
        f.Display.Seconds = 1000.5;
        f.Player.Yes();
        const int encounter = RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display).Result;
        EXPECT_GE(encounter, c.FirstEncounter) << c.SkilledMember;
        EXPECT_LE(encounter, c.LastEncounter) << c.SkilledMember;
        EXPECT_EQ(f.G().Config.BattleScene, c.Scene) << c.SkilledMember;
        // Chosen for the battle, not played yet: the maze's music goes on.
        EXPECT_EQ(f.Display.Scene(), SceneMaze1);
    }
}

}  // namespace
}  // namespace kv
