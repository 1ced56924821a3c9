// The tavern's quests: the forty completion rules (each at its edge and one
// short of it), what a fulfilled quest takes, the lists and their limit of
// five, and the round of accepting, reporting and declining.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "character/Inventory.h"
#include "common/TestCharacter.h"
#include "core/ScriptedPlayer.h"
#include "town/QuestConditions.h"
#include "town/Quests.h"

namespace kv {
namespace {

using testing::TestCharacter;

struct QuestFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;
    Game& G() { return *TheGame; }

    QuestFixture() {
        TestCharacter first;
        first.Level = 3;
        first.Age = 30;
        first.Joins(G(), 1);
        TestCharacter second;
        second.Name = "Ｂｏｂ";
        second.Class = 4;
        second.Race = 4;
        second.Level = 4;
        second.Age = 40;
        second.Joins(G(), 2);
        for (int q = 1; q <= 45; ++q) {
            G().Quests[static_cast<size_t>(q)].QuestTitle = "依頼" + std::to_string(q);
            G().Quests[static_cast<size_t>(q)].QuestTextCodes[201] = 300;
        }
        G().Items[300].Name = "ほうび";
        G().Items[450].Name = "証";
    }
    Creature& First() { return G().Roster[1]; }
    Creature& Second() { return G().Roster[2]; }
    void Hold(Creature& c, int slot, int item, int32_t count = 1) {
        c.Items[static_cast<size_t>(slot)] = {item, 0, count};
    }
    void KillKinds(int kinds) {
        for (int m = 1; m <= kinds; ++m) G().MonsterKillCount[static_cast<size_t>(m + 500)] = 1;
    }
};

TEST(QuestRules, EachRuleAtItsEdgeAndOneShort) {
    using Setup = std::function<void(QuestFixture&)>;
    struct Row {
        int Quest;
        const char* Name;
        Setup Prepare;
        bool Met;
    };
    auto kills = [](int monster, int32_t n) {
        return [=](QuestFixture& f) { f.G().MonsterKillCount[static_cast<size_t>(monster)] = n; };
    };
    auto second = [](std::function<void(Creature&)> change) {
        return [=](QuestFixture& f) { change(f.Second()); };
    };
    auto allSpells = [](bool lastOne) {
        return [=](QuestFixture& f) {
            for (int school = 0; school < 4; ++school)
                for (int level = 1; level <= 9; ++level)
                    for (int slot = 1; slot <= 3; ++slot) f.Second().Spell(school, level, slot) = 1;
            if (!lastOne) f.Second().Spell(3, 9, 3) = 0;
        };
    };
    const std::vector<Row> rows = {
        {1, "both items, one each member",
         [](QuestFixture& f) {
             f.Hold(f.First(), 1, 102);
             f.Hold(f.Second(), 4, 88);
         },
         true},
        {1, "only one of the two", [](QuestFixture& f) { f.Hold(f.First(), 1, 102); }, false},
        {2, "killed once", kills(69, 1), true},
        {2, "never killed", kills(69, 0), false},
        {3, "five pieces over two members",
         [](QuestFixture& f) {
             f.Hold(f.First(), 2, 185, 2);
             f.Hold(f.Second(), 1, 185, 3);
         },
         true},
        {3, "four pieces", [](QuestFixture& f) { f.Hold(f.Second(), 1, 185, 4); }, false},
        {4, "twenty kinds", [](QuestFixture& f) { f.KillKinds(20); }, true},
        {4, "nineteen kinds", [](QuestFixture& f) { f.KillKinds(19); }, false},
        {5, "class 2 at level 5", second([](Creature& c) {
             c.Class = 2;
             c.Level = 5;
         }),
         true},
        {5, "class 2 at level 4", second([](Creature& c) { c.Class = 2; }), false},
        {5, "another class at level 9", second([](Creature& c) { c.Level = 9; }), false},
        {8, "level 10", second([](Creature& c) { c.Level = 10; }), true},
        {8, "level 9", second([](Creature& c) { c.Level = 9; }), false},
        {10, "fifty kinds", [](QuestFixture& f) { f.KillKinds(50); }, true},
        {11, "three of 184", [](QuestFixture& f) { f.Hold(f.Second(), 1, 184, 3); }, true},
        {14, "paralysed", second([](Creature& c) { c.Status = StatusParalysis; }), true},
        {14, "asleep", second([](Creature& c) { c.Status = StatusSleep; }), false},
        {15, "race 2 aged 20", second([](Creature& c) {
             c.Race = 2;
             c.Age = 20;
         }),
         true},
        {15, "race 2 aged 21", second([](Creature& c) {
             c.Race = 2;
             c.Age = 21;
         }),
         false},
        {16, "a monster of class 128",
         [](QuestFixture& f) {
             f.G().Monsters[30].Class = 128;
             f.G().MonsterKillCount[30] = 1;
         },
         true},
        {16, "a monster of class 129",
         [](QuestFixture& f) {
             f.G().Monsters[30].Class = 129;
             f.G().MonsterKillCount[30] = 1;
         },
         false},
        {17, "level 20", second([](Creature& c) { c.Level = 20; }), true},
        {19, "thirty kills", kills(74, 30), true},
        {19, "twenty-nine kills", kills(74, 29), false},
        {21, "fifty kills", kills(39, 50), true},
        {22, "dead", second([](Creature& c) { c.Status = StatusDead; }), true},
        {24, "twenty revivals", second([](Creature& c) { c.Revivals = 20; }), true},
        {24, "nineteen revivals", second([](Creature& c) { c.Revivals = 19; }), false},
        {25, "ashes", second([](Creature& c) { c.Status = StatusAshes; }), true},
        {27, "aged 60", second([](Creature& c) { c.Age = 60; }), true},
        {27, "aged 59", second([](Creature& c) { c.Age = 59; }), false},
        {29, "two hundred kills", kills(150, 200), true},
        {29, "one short", kills(150, 199), false},
        {30, "stone", second([](Creature& c) { c.Status = StatusStone; }), true},
        {31, "flag 30 set", [](QuestFixture& f) { f.G().EventFlags[30] = 1; }, true},
        {31, "flag 30 at 2", [](QuestFixture& f) { f.G().EventFlags[30] = 2; }, false},
        {33, "ten kills", kills(191, 10), true},
        {34, "a hundred kills", kills(137, 100), true},
        {35, "item 11", [](QuestFixture& f) { f.Hold(f.First(), 15, 11); }, true},
        {36, "every spell", allSpells(true), true},
        {36, "all but one", allSpells(false), false},
        {39, "monster 208", kills(208, 1), true},
        {39, "monster 209", kills(209, 1), true},
        {40, "monster 210", kills(210, 1), true},
        {40, "monster 209", kills(209, 1), false},
        {41, "no rule", [](QuestFixture& f) { f.KillKinds(200); }, false},
        {0, "no quest", [](QuestFixture& f) { f.KillKinds(200); }, false},
    };
    for (const Row& row : rows) {
        QuestFixture f;
        row.Prepare(f);
        EXPECT_EQ(QuestConditionHolds(f.G(), row.Quest), row.Met)
            << "quest " << row.Quest << ": " << row.Name;
    }
}

TEST(QuestRules, AFulfilledQuestTakesItsItemsFromTheFirstHolderFirst) {
    QuestFixture f;
    f.Hold(f.First(), 2, 185, 3);
    f.Hold(f.Second(), 1, 185, 4);
    EXPECT_TRUE(QuestConditionMet(f.G(), 3));
    EXPECT_EQ(f.First().Items[2].ItemId, 0);
    EXPECT_EQ(f.Second().Items[1].ItemCount, 2);
    f.Hold(f.First(), 1, 102);
    f.Hold(f.Second(), 2, 88);
    f.Hold(f.Second(), 3, 88);
    EXPECT_TRUE(QuestConditionMet(f.G(), 1));
    EXPECT_EQ(f.First().Items[1].ItemId, 0);
    EXPECT_EQ(f.Second().Items[2].ItemId, 0);
    EXPECT_EQ(f.Second().Items[3].ItemId, 88);
    // One short: nothing is taken.
    EXPECT_FALSE(QuestConditionMet(f.G(), 3));
    EXPECT_EQ(f.Second().Items[1].ItemCount, 2);
}

std::vector<int> Quests(const std::vector<QuestRow>& rows) {
    std::vector<int> quests;
    for (const QuestRow& row : rows) quests.push_back(row.Quest);
    return quests;
}

TEST(QuestLists, OffersAndAcceptedNeverPassFive) {
    QuestFixture f;
    f.G().Quests[2].QuestTitle.clear();  // no quest
    f.G().QuestState[1] = 3;
    f.G().QuestState[4] = 1;  // not a state the game writes: not taken
    EXPECT_EQ(Quests(QuestList(f.G(), QuestListMode::NewOffers)),
              (std::vector<int>{3, 4, 5, 6, 7}));
    for (int q : {10, 11, 12, 13}) f.G().QuestState[static_cast<size_t>(q)] = 2;
    EXPECT_EQ(Quests(QuestList(f.G(), QuestListMode::NewOffers)), std::vector<int>{3});
    EXPECT_EQ(Quests(QuestList(f.G(), QuestListMode::Accepted)),
              (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(Quests(QuestList(f.G(), QuestListMode::Completed)), std::vector<int>{1});
    f.G().QuestState[44] = 2;
    EXPECT_TRUE(QuestList(f.G(), QuestListMode::NewOffers).empty());
    EXPECT_EQ(AcceptedCount(f.G()), 5);
    EXPECT_EQ(RewardLine(f.G(), 44), "報酬：ほうび");
}

TEST(QuestRound, AcceptReportDeclineAndTheRewardThatFindsNoRoom) {
    QuestFixture f;
    f.Player.No().Yes().Yes();
    EXPECT_FALSE(AcceptQuest(f.G(), f.Player, 7));
    EXPECT_TRUE(AcceptQuest(f.G(), f.Player, 7));
    EXPECT_TRUE(AcceptQuest(f.G(), f.Player, 40));
    EXPECT_EQ(f.G().EventFlags[32], 1);
    EXPECT_EQ(StatusOf(f.G(), 7), QuestStatus::Accepted);

    f.Hold(f.Second(), 5, 242);
    f.Player.Clear();
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 7), ReportResult::Completed);
    EXPECT_EQ(f.Player.Messages(),
              (std::vector<std::string>{"クエストをコンプリートしました！", "ほうびを手に入れた"}));
    EXPECT_EQ(f.Second().Items[5].ItemId, 0);
    EXPECT_EQ(f.First().Items[1].ItemId, 300);
    EXPECT_EQ(f.G().ItemFound[300], 1);
    EXPECT_EQ(StatusOf(f.G(), 7), QuestStatus::Completed);
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 7), ReportResult::AlreadyCompleted);

    f.Player.No().Yes();
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 40), ReportResult::Kept);
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 40), ReportResult::Declined);
    EXPECT_EQ(StatusOf(f.G(), 40), QuestStatus::NotTaken);
    EXPECT_EQ(f.Player.Messages().back(), "クエストを断りました");

    // A full party: the pieces are taken, the reward finds no room, the quest stays.
    f.G().Items[184].Kind = 8;  // stacks: taking three frees no slot
    f.G().QuestState[11] = 2;
    for (Creature* c : {&f.First(), &f.Second()})
        for (int slot = 1; slot <= LastInventorySlot; ++slot) f.Hold(*c, slot, 184, 9);
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 11), ReportResult::NoRoom);
    EXPECT_EQ(f.First().Items[1].ItemCount, 6);
    EXPECT_EQ(f.Player.Messages().back(), "アイテムがいっぱいです");
    EXPECT_EQ(StatusOf(f.G(), 11), QuestStatus::Accepted);
}

TEST(QuestRound, FortyCompletedEarnTheExtraItemOnce) {
    QuestFixture f;
    for (int q = 1; q <= 39; ++q) f.G().QuestState[static_cast<size_t>(q)] = 3;
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));
    f.G().QuestState[45] = 3;
    for (int slot = 1; slot <= LastInventorySlot; ++slot) {
        f.Hold(f.First(), slot, 7);
        f.Hold(f.Second(), slot, 7);
    }
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));  // no room: on a later visit
    EXPECT_EQ(f.G().EventFlags[31], 0);
    f.Second().Items[15] = {};
    EXPECT_TRUE(GiveAllQuestsItem(f.G(), f.Player));
    EXPECT_EQ(f.Second().Items[15].ItemId, 450);
    EXPECT_EQ(f.G().EventFlags[31], 1);
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));
}

}  // namespace
}  // namespace kv
