// The quests: the completion rules at their edges, what a fulfilled quest
// takes, the limit of five, and the item for forty completed quests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "common/TestCharacter.h"
#include "core/ScriptedPlayer.h"
#include "town/QuestConditions.h"
#include "town/Quests.h"

namespace kv {
namespace {

using testing::TestCharacter;

// Two members whose class, race, level and age all differ; conditions are
// met by the second, so a rule that only looks at the first is caught.
struct QuestFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;
    Game& G() { return *TheGame; }
    Creature& First() { return G().Roster[1]; }
    Creature& Second() { return G().Roster[2]; }

    QuestFixture() {
        TestCharacter first;
        first.Level = 3;
        first.Age = 30;
        first.Joins(G(), 1);
        TestCharacter second{"Ｂｏｂ", 4, 4, 4, 10, 40};
        second.Joins(G(), 2);
        for (int q = 1; q <= 45; ++q) G().Quests[static_cast<size_t>(q)].QuestTitle = "依頼";
    }
    void Hold(Creature& c, int slot, int item, int32_t count = 1) {
        c.Items[static_cast<size_t>(slot)] = {item, 0, count};
    }
};

using Prep = std::function<void(QuestFixture&)>;

Prep Kills(int monster, int32_t n) {
    return [=](QuestFixture& f) { f.G().MonsterKillCount[static_cast<size_t>(monster)] = n; };
}
Prep Kinds(int n) {
    return [=](QuestFixture& f) {
        for (int m = 1; m <= n; ++m) f.G().MonsterKillCount[static_cast<size_t>(m + 500)] = 1;
    };
}
Prep Member(std::function<void(Creature&)> change) {
    return [=](QuestFixture& f) { change(f.Second()); };
}
// Pieces of an item held by the first member and by the second.
Prep Holds(int item, int32_t first, int32_t second = 0) {
    return [=](QuestFixture& f) {
        if (first > 0) f.Hold(f.First(), 2, item, first);
        if (second > 0) f.Hold(f.Second(), 5, item, second);
    };
}
Prep Spells(bool every) {
    return Member([=](Creature& c) {
        for (int school = 0; school < 4; ++school)
            for (int level = 1; level <= 9; ++level)
                for (int slot = 1; slot <= 3; ++slot) c.Spell(school, level, slot) = 1;
        if (!every) c.Spell(3, 9, 3) = 0;
    });
}

TEST(QuestRules, EachRuleAtItsEdgeAndOneShort) {
    struct Row {
        int Quest;
        Prep Prepare;
        bool Met;
    };
    const Prep both = [](QuestFixture& f) {
        Holds(102, 1)(f);
        Holds(88, 0, 1)(f);
    };
    const Prep monsterOfClass = [](QuestFixture& f) {
        f.G().Monsters[30].Class = 128;
        f.G().MonsterKillCount[30] = 1;
    };
    const std::vector<Row> rows = {
        {1, both, true},
        {1, Holds(102, 1), false},
        {2, Kills(69, 1), true},
        {3, Holds(185, 2, 3), true},
        {3, Holds(185, 0, 4), false},
        {4, Kinds(20), true},
        {4, Kinds(19), false},
        {5, Member([](Creature& c) { c.Class = 2, c.Level = 5; }), true},
        {5, Member([](Creature& c) { c.Class = 2; }), false},
        {5, Member([](Creature& c) { c.Level = 9; }), false},
        {8, Member([](Creature& c) { c.Level = 10; }), true},
        {8, Member([](Creature& c) { c.Level = 9; }), false},
        {14, Member([](Creature& c) { c.Status = StatusParalysis; }), true},
        {14, Member([](Creature& c) { c.Status = StatusSleep; }), false},
        {15, Member([](Creature& c) { c.Race = 2, c.Age = 20; }), true},
        {15, Member([](Creature& c) { c.Race = 2, c.Age = 21; }), false},
        {16, monsterOfClass, true},
        {19, Kills(74, 30), true},
        {19, Kills(74, 29), false},
        {24, Member([](Creature& c) { c.Revivals = 20; }), true},
        {24, Member([](Creature& c) { c.Revivals = 19; }), false},
        {27, Member([](Creature& c) { c.Age = 60; }), true},
        {27, Member([](Creature& c) { c.Age = 59; }), false},
        {29, Kills(150, 200), true},
        {29, Kills(150, 199), false},
        {31, [](QuestFixture& f) { f.G().EventFlags[30] = 1; }, true},
        {31, [](QuestFixture& f) { f.G().EventFlags[30] = 2; }, false},
        {36, Spells(true), true},
        {36, Spells(false), false},
        {39, Kills(208, 1), true},
        {41, Kinds(200), false},  // no rule: only declined
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        QuestFixture f;
        rows[i].Prepare(f);
        EXPECT_EQ(QuestConditionHolds(f.G(), rows[i].Quest), rows[i].Met) << "row " << i;
    }
}

TEST(QuestRules, AFulfilledQuestTakesFromTheFirstHolderFirst) {
    QuestFixture f;
    Holds(185, 3, 4)(f);
    EXPECT_TRUE(QuestConditionMet(f.G(), 3));
    EXPECT_EQ(f.First().Items[2].ItemId, 0);
    EXPECT_EQ(f.Second().Items[5].ItemCount, 2);
}

// A fulfilled quest whose reward finds no room takes nothing and stays
// accepted; with a slot free it takes, rewards and completes. A worn piece
// taken takes its defences along.
TEST(QuestRound, TheRewardNeedsRoomBeforeAnythingIsTaken) {
    QuestFixture f;
    f.G().Items[300].Name = "冠";
    f.G().Quests[3].QuestTextCodes[201] = 300;
    f.G().QuestState[3] = 2;
    for (Creature* c : {&f.First(), &f.Second()}) c->Items.fill({7, 0, 1});
    f.Hold(f.First(), 4, 185, 9);  // five taken from nine free no slot
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 3), ReportResult::NoRoom);
    EXPECT_EQ(f.First().Items[4].ItemCount, 9);
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"アイテムがいっぱいです"});
    EXPECT_EQ(StatusOf(f.G(), 3), QuestStatus::Accepted);
    f.Second().Items[15] = {};
    EXPECT_EQ(ReportQuest(f.G(), f.Player, 3), ReportResult::Completed);
    EXPECT_EQ(f.First().Items[4].ItemCount, 4);
    EXPECT_EQ(f.Second().Items[15].ItemId, 300);
    EXPECT_EQ(StatusOf(f.G(), 3), QuestStatus::Completed);

    QuestFixture g;  // quest 35 has no reward: done with nothing handed over
    g.G().Items[11].ItemResist[5] = 100;
    g.Hold(g.Second(), 2, 11);
    g.Second().Items[2].ItemFlags = 1;  // worn
    ApplyEquipment(g.G(), g.Second());
    ASSERT_EQ(g.Second().Resist[5], 100);
    g.G().QuestState[35] = 2;
    EXPECT_EQ(ReportQuest(g.G(), g.Player, 35), ReportResult::Completed);
    EXPECT_EQ(g.Second().Items[2].ItemId, 0);
    EXPECT_EQ(g.Second().Resist[5], 0);
}

TEST(QuestLists, OffersAndAcceptedTogetherNeverPassFive) {
    QuestFixture f;
    f.G().Quests[2].QuestTitle.clear();  // a row without a title is no quest
    f.G().QuestState[1] = 3;
    f.G().QuestState[4] = 1;  // not a state the game writes: not taken
    for (int q : {10, 11, 12}) f.G().QuestState[static_cast<size_t>(q)] = 2;
    const std::vector<QuestRow> offers = QuestList(f.G(), QuestListMode::NewOffers);
    ASSERT_EQ(offers.size(), 2u);
    EXPECT_EQ(offers[0].Quest, 3);
    EXPECT_EQ(offers[1].Quest, 4);
    f.G().QuestState[44] = f.G().QuestState[45] = 2;
    EXPECT_TRUE(QuestList(f.G(), QuestListMode::NewOffers).empty());
}

TEST(QuestRound, FortyCompletedEarnTheExtraItemOnceThereIsRoom) {
    QuestFixture f;
    f.G().Items[450].Name = "証";
    for (int q = 1; q <= 39; ++q) f.G().QuestState[static_cast<size_t>(q)] = 3;
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));
    f.G().QuestState[45] = 3;
    for (Creature* c : {&f.First(), &f.Second()}) c->Items.fill({7, 0, 1});
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));  // no room: on a later visit
    f.Second().Items[15] = {};
    EXPECT_TRUE(GiveAllQuestsItem(f.G(), f.Player));
    EXPECT_EQ(f.Second().Items[15].ItemId, 450);
    EXPECT_FALSE(GiveAllQuestsItem(f.G(), f.Player));
}

}  // namespace
}  // namespace kv
