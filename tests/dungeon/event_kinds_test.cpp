// Every content kind of a maze event, one table: what each does to the
// party, the flags and the run's result.
#include <gtest/gtest.h>

#include <functional>

#include "EventFixture.h"
#include "MazeFixture.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "dungeon/Events.h"

namespace kv {
namespace {

using testing::ContentOf;
using testing::ContentWith;
using testing::MazeFixture;
using testing::SquareEvent;

constexpr int Sword = 7;
constexpr int Potion = 8;  // a stackable kind

struct KindCase {
    const char* What;
    std::vector<Contents> Steps;
    std::function<void(MazeFixture&)> Setup;
    std::function<void(MazeFixture&, const EventRun&)> Check;
};

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
         {ContentWith(ContentOf(1, Sword),
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
         {ContentWith(ContentOf(1, Sword),
                      [](Contents& c) {
                          c.Target = 2;
                          c.Dice = {1, 0, 0};
                      })},
         [](MazeFixture& f) {
             f.G().Roster[2].Items[3] = {Sword, 0, 1};
         },
         [=](MazeFixture& f, const EventRun&) { EXPECT_FALSE(holds(f, 1, Sword)); }},
        {"gift with State 1 always gives",
         {ContentWith(ContentOf(1, Sword),
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
         {ContentWith(ContentOf(2, Sword),
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
         {ContentWith(ContentOf(2, Sword),
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
         {ContentWith(ContentOf(1, Potion),
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
         {ContentWith(ContentOf(1, Sword),
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
         {ContentWith(ContentOf(1, Sword),
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
         {ContentWith(ContentOf(2, Potion),
                      [](Contents& c) {
                          c.Target = 1;
                          c.Dice = {2, 0, 0};
                      })},
         [](MazeFixture& f) {
             f.G().Roster[9].Items[4] = {Potion, 0, 3};
         },
         [](MazeFixture& f, const EventRun&) { EXPECT_EQ(f.G().Roster[9].Items[4].ItemCount, 1); }},
        {"stairs down, taken",
         {ContentWith(ContentOf(3),
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
         {ContentWith(ContentOf(3),
                      [](Contents& c) {
                          c.Location = {8, 9, 2, 0, 0};
                      })},
         [](MazeFixture& f) { f.Player.No(); },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.G().CurrentFloor, 1);
             EXPECT_EQ(f.Player.Log()[0].Text, "上る階段がある\r上がりますか？");
         }},
        {"stairs to floor 0 bring death in town",
         {ContentWith(ContentOf(3),
                      [](Contents& c) {
                          c.Location = {0, 0, 0, 0, 0};
                      }),
          ContentOf(11, 5)},
         [](MazeFixture& f) { f.Player.Yes(); },
         [=](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.PartyGone);
             EXPECT_EQ(f.G().PartyCount, 0);
             EXPECT_EQ(flag(f, 5), 0);  // nothing after the fall runs
         }},
        {"message",
         {ContentWith(ContentOf(4), [](Contents& c) { c.Message = "壁に文字がある"; })},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Fired);
             EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"壁に文字がある"});
         }},
        {"riddle answered right",
         {ContentWith(ContentOf(5),
                      [](Contents& c) {
                          c.JudgeString = "かぎ";
                          c.TrueID = 3;
                          c.FalseID = 2;
                      }),
          ContentOf(11, 1), ContentOf(11, 2)},
         [](MazeFixture& f) { f.Player.Type("かぎ"); },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 0);
             EXPECT_EQ(flag(f, 2), 1);
         }},
        {"riddle answered in the wrong width",
         {ContentWith(ContentOf(5),
                      [](Contents& c) {
                          c.JudgeString = "KEY";
                          c.TrueID = 3;
                          c.FalseID = 2;
                      }),
          ContentOf(11, 1), ContentOf(20)},
         [](MazeFixture& f) { f.Player.Type("ＫＥＹ"); },
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 1); }},
        {"question answered yes and no",
         {ContentWith(ContentOf(6),
                      [](Contents& c) {
                          c.TrueID = 2;
                          c.FalseID = 3;
                      }),
          ContentOf(11, 1),
          ContentWith(ContentOf(6),
                      [](Contents& c) {
                          c.TrueID = 4;
                          c.FalseID = 5;
                      }),
          ContentOf(11, 2), ContentOf(11, 3)},
         [](MazeFixture& f) { f.Player.Yes().No(); },
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 1);
             EXPECT_EQ(flag(f, 2), 0);
             EXPECT_EQ(flag(f, 3), 1);
         }},
        {"teleport without a word",
         {ContentWith(ContentOf(7),
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
         {ContentWith(ContentOf(8),
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
         {ContentWith(ContentOf(8),
                      [](Contents& c) {
                          c.Dice = {9, 0, 0};
                      })},
         [](MazeFixture& f) { f.G().PartyEffects = 4; },
         [](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"トラップの上に浮かんでいる"});
             EXPECT_EQ(f.G().Roster[1].HP, 50);
         }},
        {"item tests: anyone in the roster, the party, a chosen member",
         {ContentWith(ContentOf(9, Sword),
                      [](Contents& c) {
                          c.Target = 1;
                          c.TrueID = 2;
                          c.FalseID = 3;
                      }),
          ContentOf(11, 1),
          ContentWith(ContentOf(9, Sword),
                      [](Contents& c) {
                          c.Target = 2;
                          c.TrueID = 4;
                          c.FalseID = 5;
                      }),
          ContentOf(11, 2),
          ContentWith(ContentOf(9, Sword),
                      [](Contents& c) {
                          c.Target = 4;
                          c.TrueID = 6;
                          c.FalseID = 7;
                      }),
          ContentOf(11, 3), ContentOf(20)},
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
         {ContentOf(11, 40), ContentOf(12, 41), ContentOf(13, 42), ContentOf(13, 43),
          ContentWith(ContentOf(10, 40),
                      [](Contents& c) {
                          c.TrueID = 6;
                          c.FalseID = 7;
                      }),
          ContentOf(11, 44), ContentOf(20)},
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
         {ContentOf(11, 500), ContentOf(13, -3)},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Fired);
             for (int32_t v : f.G().EventFlags) EXPECT_EQ(v, 0);
         }},
        {"battle",
         {ContentOf(14, 31), ContentOf(4)},
         {},
         [](MazeFixture&, const EventRun& r) { EXPECT_EQ(r.Result, 31); }},
        {"a person greets",
         {ContentWith(ContentOf(15, 6), [](Contents& c) { c.Message = "やあ"; })},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_EQ(r.Result, -1);
             EXPECT_EQ(f.G().CurrentPerson, 6);
             EXPECT_EQ(f.Display.Greetings, std::vector<std::string>{"やあ"});
             EXPECT_TRUE(f.Player.Messages().empty());
         }},
        {"a person whose event goes on to a battle attacks",
         {ContentWith(ContentOf(15, 3), [](Contents& c) { c.Message = "覚悟しろ"; }),
          ContentOf(14, 31)},
         {},
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_EQ(r.Result, 31);
             EXPECT_EQ(f.G().CurrentPerson, 3);
             EXPECT_EQ(f.Display.Greetings, std::vector<std::string>{"覚悟しろ"});
         }},
        {"return to the castle",
         {ContentOf(16), ContentOf(11, 1)},
         [](MazeFixture& f) { f.Player.Yes(); },
         [=](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.WentHome);
             EXPECT_EQ(f.G().CurrentFloor, 0);
             EXPECT_EQ(f.G().Roster[1].Place, 1);
             EXPECT_EQ(flag(f, 1), 0);
         }},
        {"barrier",
         {ContentOf(17)},
         {},
         [](MazeFixture&, const EventRun& r) { EXPECT_TRUE(r.Blocked); }},
        {"hit points for the party, the diseased left out",
         {ContentWith(ContentOf(18),
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
         {ContentWith(ContentOf(18),
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
         {ContentWith(ContentOf(19),
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
         {ContentOf(21, 3), ContentOf(11, 1), ContentOf(11, 2), ContentOf(21, 9), ContentOf(11, 3)},
         {},
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 1), 0);
             EXPECT_EQ(flag(f, 2), 1);
             EXPECT_EQ(flag(f, 3), 0);
         }},
        {"a jump to 0 ends the event",
         {ContentOf(21, 0), ContentOf(11, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 0); }},
        {"a jump that loops for ever ends after a thousand contents",
         {ContentOf(13, 4), ContentOf(21, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) {
             EXPECT_EQ(flag(f, 4), 0);  // toggled 500 times
         }},
        {"a teleport off the grid wraps onto it",
         {ContentWith(ContentOf(7),
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
         {ContentOf(99), ContentOf(11, 1)},
         {},
         [=](MazeFixture& f, const EventRun&) { EXPECT_EQ(flag(f, 1), 0); }},
        {"spinner to a facing",
         {ContentWith(ContentOf(22), [](Contents& c) { c.Location.Direction = 3; })},
         {},
         [](MazeFixture& f, const EventRun&) { EXPECT_EQ(f.G().PartyFacing, 3); }},
        {"lock opened by a member with skill 3",
         {ContentOf(23, 0)},
         [](MazeFixture& f) {
             f.G().Roster[2].Skills[3] = 1;
             f.Player.Pick(2);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_FALSE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("鍵を開けた"));
         }},
        {"lock too hard for skill 3",
         {ContentOf(23, 1000)},
         [](MazeFixture& f) {
             f.G().Roster[2].Skills[3] = 1;
             f.Player.Pick(2);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("鍵は開かなかった"));
         }},
        {"lock and a sleeping member without the skill",
         {ContentOf(23, 0)},
         [](MazeFixture& f) {
             f.G().Roster[1].Status = StatusSleep;
             f.Player.Pick(1);
         },
         [](MazeFixture& f, const EventRun& r) {
             EXPECT_TRUE(r.Blocked);
             EXPECT_TRUE(f.Player.Saw("無理だ"));
         }},
        {"lock with nobody chosen",
         {ContentOf(23, 0)},
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
        f.G().MazeEvents = {SquareEvent(k.Steps)};
        if (k.Setup) k.Setup(f);
        SCOPED_TRACE(k.What);
        const EventRun run = RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display);
        EXPECT_TRUE(run.Fired);
        k.Check(f, run);
        EXPECT_EQ(f.Player.PendingAnswers(), 0u);
    }
}

}  // namespace
}  // namespace kv
