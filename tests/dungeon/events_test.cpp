// The maze's scripted events: building them from the rows, the triggers and
// the order they run in, every content kind with its jumps, and the flags
// and result a run hands back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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

using testing::MazeFixture;

constexpr int Sword = 7;
constexpr int Potion = 8;  // a stackable kind

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

Contents Content(int kind, int dataId = 0) {
    Contents c;
    c.Kind = kind;
    c.DataID = dataId;
    return c;
}

// One event on (4, 5) of floor 1 of place 21, facing north, for the trigger.
EventClass Event(std::vector<Contents> contents, int trigger = 1, int dir = 0) {
    return EventClass{1, 21, 1, 4, 5, dir, trigger, std::move(contents)};
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
struct KindCase {
    const char* What;
    std::vector<Contents> Steps;
    std::function<void(MazeFixture&)> Setup;
    std::function<void(MazeFixture&, const EventRun&)> Check;
};

Contents With(Contents c, std::function<void(Contents&)> fill) {
    fill(c);
    return c;
}

std::vector<KindCase> KindCases() {
    auto flag = [](MazeFixture& f, int n) { return f.G().EventFlags[static_cast<size_t>(n)]; };
    auto holds = [](MazeFixture& f, int slot, int item) {
        for (const InventorySlot& s : f.G().Roster[static_cast<size_t>(slot)].Items) {
            if (s.ItemId == item) return true;
        }
        return false;
    };
    return {
        {"gift while nobody holds it, found and named",
         {With(Content(1, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {1, 0, 1};
                   c.Message = "ab";
               })},
         {},
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_TRUE(holds(f, 1, Sword));
             EXPECT_EQ(f.G().ItemFound[Sword], 1);
             EXPECT_TRUE(f.Player.Saw("ソードを手に入れた"));
         }},
        {"gift with State 0 gives nothing to a party holding it",
         {With(Content(1, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {1, 0, 0};
               })},
         [](MazeFixture& f) {
             f.G().Roster[2].Items[3] = {Sword, 0, 1};
         },
         [=](MazeFixture& f, const EventRun&) { EXPECT_FALSE(holds(f, 1, Sword)); }},
        {"gift with State 1 always gives",
         {With(Content(1, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {2, 1, 0};
                   c.State = 1;
               })},
         [](MazeFixture& f) {
             f.G().Roster[2].Items[3] = {Sword, 0, 1};
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().Roster[1].Items[2].ItemId, Sword);
             EXPECT_EQ(f.G().Roster[1].Items[2].ItemFlags & Unidentified, Unidentified);
         }},
        {"take from the first member holding it",
         {With(Content(2, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {1, 0, 0};
               })},
         [](MazeFixture& f) {
             f.G().Roster[2].Items[1] = {Sword, 0, 1};
             f.G().Roster[3].Items[1] = {Sword, 0, 1};
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_FALSE(holds(f, 2, Sword));
             EXPECT_TRUE(holds(f, 3, Sword));
         }},
        {"take from a chosen member",
         {With(Content(2, Sword),
               [](Contents& c) {
                   c.Target = 4;
                   c.Dice = {1, 0, 0};
               })},
         [](MazeFixture& f) {
             f.G().Roster[2].Items[1] = {Sword, 0, 1};
             f.G().Roster[3].Items[1] = {Sword, 0, 1};
             f.Player.Pick(3);
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_TRUE(holds(f, 2, Sword));
             EXPECT_FALSE(holds(f, 3, Sword));
         }},
        {"a stackable gift tops up a stack, then starts another",
         {With(Content(1, Potion),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {2, 0, 0};
                   c.State = 1;
                   c.Message = "a";
               })},
         [](MazeFixture& f) {
             f.G().Roster[1].Items[1] = {Potion, 0, 8};
         },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().Roster[1].Items[1].ItemCount, 9);
             EXPECT_EQ(f.G().Roster[1].Items[2].ItemId, Potion);
             EXPECT_EQ(f.G().Roster[1].Items[2].ItemCount, 1);
             EXPECT_TRUE(f.Player.Saw(ResStringNumber(1080)));
         }},
        {"a gift to a party with no free slot is told and lost",
         {With(Content(1, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {1, 0, 1};
                   c.State = 1;
                   c.Message = "a";
               })},
         [](MazeFixture& f) {
             for (size_t m = 1; m <= 3; ++m) {
                 for (size_t s = 1; s <= 15; ++s) f.G().Roster[m].Items[s] = {Potion, 0, 9};
             }
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_FALSE(holds(f, 1, Sword));
             EXPECT_EQ(f.G().ItemFound[Sword], 0);
             EXPECT_TRUE(f.Player.Saw(ResStringNumber(1053)));
         }},
        {"a gift repeated a thousand million times fills the party, unannounced, and is told "
         "once",
         {With(Content(1, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {1000000000, 0, 0};
                   c.State = 1;
                   c.Message = "abc";  // three letters or more: no word of each piece
               })},
         {},
         [](MazeFixture& f, const EventRun&) {
             for (size_t m = 1; m <= 3; ++m) EXPECT_EQ(f.G().Roster[m].Items[15].ItemId, Sword);
             EXPECT_EQ(f.Player.Messages(),
                       std::vector<std::string>{std::string(ResStringNumber(1053))});
         }},
        {"take twice from anyone in the roster, a stack one piece at a time",
         {With(Content(2, Potion),
               [](Contents& c) {
                   c.Target = 1;
                   c.Dice = {2, 0, 0};
               })},
         [](MazeFixture& f) {
             f.G().Roster[9].Items[4] = {Potion, 0, 3};
         },
         [](MazeFixture& f, const EventRun&) { EXPECT_EQ(f.G().Roster[9].Items[4].ItemCount, 1); }},
        {"stairs down, taken",
         {With(Content(3),
               [](Contents& c) {
                   c.State = 1;
                   c.Location = {8, 9, 2, 0, 0};
               })},
         [](MazeFixture& f) { f.Player.Yes(); },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_FALSE(r.PartyGone);
             EXPECT_EQ(f.G().CurrentFloor, 2);
             EXPECT_EQ(f.G().PartyX, 8);
             EXPECT_EQ(f.G().PartyY, 9);
             EXPECT_EQ(f.G().Roster[1].Floor, 2);
             EXPECT_EQ(f.Player.Log()[0].Text, "下る階段がある\r下がりますか？");
         }},
        {"stairs up, declined",
         {With(Content(3),
               [](Contents& c) {
                   c.Location = {8, 9, 2, 0, 0};
               })},
         [](MazeFixture& f) { f.Player.No(); },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().CurrentFloor, 1);
             EXPECT_EQ(f.Player.Log()[0].Text, "上る階段がある\r上がりますか？");
         }},
        {"stairs to floor 0 bring death in town",
         {With(Content(3),
               [](Contents& c) {
                   c.Location = {0, 0, 0, 0, 0};
               }),
          Content(11, 5)},
         [](MazeFixture& f) { f.Player.Yes(); },
         [=](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.PartyGone);
             EXPECT_EQ(f.G().PartyCount, 0);
             EXPECT_EQ(flag(f, 5), 0);  // nothing after the fall runs
         }},
        {"message",
         {With(Content(4), [](Contents& c) { c.Message = "壁に文字がある"; })},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Fired);
             EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"壁に文字がある"});
         }},
        {"riddle answered right",
         {With(Content(5),
               [](Contents& c) {
                   c.JudgeString = "かぎ";
                   c.TrueID = 3;
                   c.FalseID = 2;
               }),
          Content(11, 1), Content(11, 2)},
         [](MazeFixture& f) { f.Player.Type("かぎ"); },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 0);
             EXPECT_EQ(flag(f, 2), 1);
         }},
        {"riddle answered in the wrong width",
         {With(Content(5),
               [](Contents& c) {
                   c.JudgeString = "KEY";
                   c.TrueID = 3;
                   c.FalseID = 2;
               }),
          Content(11, 1), Content(20)},
         [](MazeFixture& f) { f.Player.Type("ＫＥＹ"); },
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 1); }},
        {"question answered yes and no",
         {With(Content(6),
               [](Contents& c) {
                   c.TrueID = 2;
                   c.FalseID = 3;
               }),
          Content(11, 1),
          With(Content(6),
               [](Contents& c) {
                   c.TrueID = 4;
                   c.FalseID = 5;
               }),
          Content(11, 2), Content(11, 3)},
         [](MazeFixture& f) { f.Player.Yes().No(); },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 1);
             EXPECT_EQ(flag(f, 2), 0);
             EXPECT_EQ(flag(f, 3), 1);
         }},
        {"teleport without a word",
         {With(Content(7),
               [](Contents& c) {
                   c.Location = {15, 16, 1, 0, 0};
               })},
         {},
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().PartyX, 15);
             EXPECT_EQ(f.G().LastY, 16);
             EXPECT_TRUE(f.Player.Log().empty());
         }},
        {"floor trap: luck 1 is never hurt, luck 21 always, even to death",
         {With(Content(8),
               [](Contents& c) {
                   c.Dice = {2, 0, 0};
                   c.State = 22;
               })},
         [](MazeFixture& f) {
             f.G().Roster[1].Luck = 1;
             f.G().Roster[2].Luck = 21;
             f.G().Roster[2].HP = 2;
             f.G().Roster[3].Luck = 21;
             f.G().Roster[3].Resist[22] = 200;
         },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.Player.Messages()[0], "トラップだ！");
             EXPECT_EQ(f.G().Roster[1].HP, 50);
             EXPECT_TRUE(f.Player.Saw("Ａは\n効果がなかった"));
             // The member the damage killed is poisoned all the same.
             EXPECT_EQ(f.G().Roster[2].Status, StatusDead | StatusPoison);
             EXPECT_EQ(f.G().Roster[3].Status & StatusPoison, 0);  // absorbs the poison
         }},
        {"floor trap under levitation",
         {With(Content(8),
               [](Contents& c) {
                   c.Dice = {9, 0, 0};
               })},
         [](MazeFixture& f) { f.G().PartyEffects = 4; },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"トラップの上に浮かんでいる"});
             EXPECT_EQ(f.G().Roster[1].HP, 50);
         }},
        {"item tests: anyone in the roster, the party, a chosen member",
         {With(Content(9, Sword),
               [](Contents& c) {
                   c.Target = 1;
                   c.TrueID = 2;
                   c.FalseID = 3;
               }),
          Content(11, 1),
          With(Content(9, Sword),
               [](Contents& c) {
                   c.Target = 2;
                   c.TrueID = 4;
                   c.FalseID = 5;
               }),
          Content(11, 2),
          With(Content(9, Sword),
               [](Contents& c) {
                   c.Target = 4;
                   c.TrueID = 6;
                   c.FalseID = 7;
               }),
          Content(11, 3), Content(20)},
         [](MazeFixture& f) {
             f.G().Roster[10].Id = 10;
             f.G().Roster[10].Items[1] = {Sword, 0, 1};
             f.Player.Pick(2);
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 1);
             EXPECT_EQ(flag(f, 2), 0);
             EXPECT_EQ(flag(f, 3), 0);
         }},
        {"flags set, cleared, toggled and tested",
         {Content(11, 40), Content(12, 41), Content(13, 42), Content(13, 43),
          With(Content(10, 40),
               [](Contents& c) {
                   c.TrueID = 6;
                   c.FalseID = 7;
               }),
          Content(11, 44), Content(20)},
         [](MazeFixture& f) {
             f.G().EventFlags[41] = 1;
             f.G().EventFlags[43] = 5;
         },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 40), 1);
             EXPECT_EQ(flag(f, 41), 0);
             EXPECT_EQ(flag(f, 42), 1);
             EXPECT_EQ(flag(f, 43), 0);
             EXPECT_EQ(flag(f, 44), 1);
         }},
        {"a flag number out of range changes nothing",
         {Content(11, 500), Content(13, -3)},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Fired);
             for (int32_t v : f.G().EventFlags) EXPECT_EQ(v, 0);
         }},
        {"battle",
         {Content(14, 31), Content(4)},
         {},
         [](MazeFixture&, const EventRun& r) { EXPECT_EQ(r.Result, 31); }},
        {"a person greets",
         {With(Content(15, 6), [](Contents& c) { c.Message = "やあ"; })},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_EQ(r.Result, -1);
             EXPECT_EQ(f.G().CurrentPerson, 6);
             EXPECT_EQ(f.Display.Greetings, std::vector<std::string>{"やあ"});
             EXPECT_TRUE(f.Player.Messages().empty());
         }},
        {"a person whose event goes on to a battle attacks",
         {With(Content(15, 3), [](Contents& c) { c.Message = "覚悟しろ"; }), Content(14, 31)},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_EQ(r.Result, 31);
             EXPECT_EQ(f.G().CurrentPerson, 3);
             EXPECT_EQ(f.Display.Greetings, std::vector<std::string>{"覚悟しろ"});
         }},
        {"return to the castle",
         {Content(16), Content(11, 1)},
         [](MazeFixture& f) { f.Player.Yes(); },
         [=](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.WentHome);
             EXPECT_EQ(f.G().CurrentFloor, 0);
             EXPECT_EQ(f.G().Roster[1].Place, 1);
             EXPECT_EQ(flag(f, 1), 0);
         }},
        {"barrier",
         {Content(17)},
         {},
         [](MazeFixture&, const EventRun& r) { EXPECT_TRUE(r.Blocked); }},
        {"hit points for the party, the diseased left out",
         {With(Content(18),
               [](Contents& c) {
                   c.Target = 2;
                   c.Dice = {0, 0, 7};
                   c.Message = "x";
               })},
         [](MazeFixture& f) {
             f.G().Roster[1].HP = 10;
             f.G().Roster[2].HP = 10;
             f.G().Roster[2].Status = StatusDisease;
         },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().Roster[1].HP, 17);
             EXPECT_EQ(f.G().Roster[2].HP, 10);
             // The healed and the already whole are told; the diseased are not.
             EXPECT_EQ(f.Player.Messages().size(), 2u);
         }},
        {"hit points for a chosen member, silently",
         {With(Content(18),
               [](Contents& c) {
                   c.Target = 4;
                   c.Dice = {0, 0, 100};
               })},
         [](MazeFixture& f) {
             f.G().Roster[3].HP = 1;
             f.Player.Pick(3);
         },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().Roster[3].HP, 50);
             EXPECT_TRUE(f.Player.Messages().empty());
         }},
        {"cure the party",
         {With(Content(19),
               [](Contents& c) {
                   c.Target = 2;
                   c.State = StatusPoison | StatusSleep;
               })},
         [](MazeFixture& f) {
             f.G().Roster[1].Status = StatusPoison | StatusBlind;
             f.G().Roster[2].Status = StatusSleep;
         },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().Roster[1].Status, StatusBlind);
             EXPECT_EQ(f.G().Roster[2].Status, 0);
         }},
        {"jump forward, and past the end",
         {Content(21, 3), Content(11, 1), Content(11, 2), Content(21, 9), Content(11, 3)},
         {},
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 0);
             EXPECT_EQ(flag(f, 2), 1);
             EXPECT_EQ(flag(f, 3), 0);
         }},
        {"a jump to 0 ends the event",
         {Content(21, 0), Content(11, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 0); }},
        {"a jump that loops for ever ends after a thousand contents",
         {Content(13, 4), Content(21, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 4), 0);  // toggled 500 times
         }},
        {"a teleport off the grid wraps onto it",
         {With(Content(7),
               [](Contents& c) {
                   c.Location = {23, 41, 1, 0, 0};
               })},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_FALSE(r.PartyGone);
             EXPECT_EQ(f.G().PartyX, 3);
             EXPECT_EQ(f.G().PartyY, 1);
         }},
        {"an unknown kind ends the event",
         {Content(99), Content(11, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 0); }},
        {"spinner to a facing",
         {With(Content(22), [](Contents& c) { c.Location.Direction = 3; })},
         {},
         [](MazeFixture& f, const EventRun&) { EXPECT_EQ(f.G().PartyFacing, 3); }},
        {"lock opened by a member with skill 3",
         {Content(23, 0)},
         [](MazeFixture& f) {
             f.G().Roster[2].Skills[3] = 1;
             f.Player.Pick(2);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_FALSE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("鍵を開けた"));
         }},
        {"lock too hard for skill 3",
         {Content(23, 1000)},
         [](MazeFixture& f) {
             f.G().Roster[2].Skills[3] = 1;
             f.Player.Pick(2);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("鍵は開かなかった"));
         }},
        {"lock and a sleeping member without the skill",
         {Content(23, 0)},
         [](MazeFixture& f) {
             f.G().Roster[1].Status = StatusSleep;
             f.Player.Pick(1);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("無理だ"));
         }},
        {"lock with nobody chosen",
         {Content(23, 0)},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Blocked);
             EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"鍵がかかっている"});
         }},
    };
}

TEST(MazeEvents, EachContentKind) {
    for (const KindCase& k : KindCases()) {
        MazeFixture f;
        f.G().Items[Sword].Name = "ソード";
        f.G().Items[Sword].UnidentifiedName = "かたな";
        f.G().Items[Potion].Name = "くすり";
        f.G().Items[Potion].Kind = static_cast<int16_t>(ItemKind::Item);
        f.AddMember(1, "Ａ");
        f.AddMember(2, "Ｂ");
        f.AddMember(3, "Ｃ");
        f.Stand(4, 5, 0);
        f.G().MazeEvents = {Event(k.Steps)};
        if (k.Setup) k.Setup(f);
        SCOPED_TRACE(k.What);
        const EventRun run = RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display);
        EXPECT_TRUE(run.Fired);
        k.Check(f, run);
        EXPECT_EQ(f.Player.PendingAnswers(), 0u);
    }
}

TEST(MazeEvents, TriggersMatchSquareFacingAndCaseAndRunInOrder) {
    MazeFixture f;
    f.AddMember(1);
    f.Stand(4, 5, 0);
    f.G().MazeEvents = {Event({Content(14, 3)}), Event({Content(11, 1)}, 2),
                        Event({Content(11, 2)}, 1, 1), Event({Content(14, 8)}),
                        Event({Content(11, 3)}, 5)};
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
    EventClass barrier = Event({Content(17)}, 2, 1);
    EventClass spinner = Event({With(Content(22), [](Contents& c) { c.Location.Direction = 1; })});
    EventClass fight = Event({Content(14, 12)});
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
    f.G().MazeEvents = {Event({Content(14, 12)}, 2)};
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
        f.G().MazeEvents = {Event({Content(14, 77)}, c.Trigger)};
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
