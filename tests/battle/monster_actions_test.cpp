// A monster's turn at its edges: which rows the draw can reach, whom the
// monster's wits pick, when a summon takes the blow, the data-driven kinds,
// breath against the shield, theft, flight and calls for help.
#include <gtest/gtest.h>

#include "battle/BattleFixture.h"
#include "battle/MonsterActions.h"

namespace kv::testing {
namespace {

constexpr int DataActionRow = 401;
constexpr int FleeRow = 29;
constexpr int HelpRow = 35;
constexpr int FireBreathRow = 36;
constexpr int StealRow = 87;
constexpr int SummonRow = 91;

struct MonsterTurn : ::testing::Test {
    BattleFixture f{3};  // Aki, Bob and Kai
    Creature* ogre = nullptr;

    void SetUp() override {
        Game& g = f.G();
        g.MonsterActions[FleeRow].ActionKind = 3;
        g.MonsterActions[HelpRow].ActionKind = 3;
        g.MonsterActions[FireBreathRow].ActionKind = 3;
        g.MonsterActions[StealRow].ActionKind = 3;
        g.MonsterActions[SummonRow].ActionKind = 3;
        g.Battle.Monster(1, 0) = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        g.Battle.Monster(1, 0).Status = StatusDead;
        ogre = &g.Battle.Monster(1, 1);
        *ogre = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        ogre->HP = ogre->MaxHP = 100;
        for (int m = 2; m <= GroupMemberCount; ++m) g.Battle.Monster(1, m).Status = StatusDead;
        g.Battle.GroupCount = 1;
        g.Battle.ActingGroup = 1;
        g.Battle.ActingMember = 1;
    }

    Creature& Member(int position) { return *f.G().Member(position); }
};

TEST_F(MonsterTurn, TheDrawNeverReachesTheFirstEntry) {
    // Entry 0 would flee; entries 1..20 deal 3 to every standing member.
    MonsterActionDef& row = f.G().MonsterActions[DataActionRow];
    row.ActionKind = 1;
    row.TargetType = TargetStanding;
    row.DiceCount = "0";
    row.DiceSides = "0";
    row.DiceAdd = "3";
    row.Times = "1";
    row.Attribute = 4;
    row.Message = "は炎を吐いた";
    ogre->Actions.fill(DataActionRow);
    ogre->Actions[0] = FleeRow;
    for (int turn = 0; turn < 10; ++turn) RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(ogre->Status & StatusDead, 0);
    for (int position = 1; position <= 3; ++position) EXPECT_EQ(Member(position).HP, 40 - 30);
    EXPECT_TRUE(f.Player.Saw("オーガは炎を吐いた\n"));
}

TEST_F(MonsterTurn, DiceFieldsReadTheMonstersOwnDice) {
    ogre->DamageDice = {2, 6, 1};
    ogre->AttackCount = 4;
    EXPECT_EQ(ActionDiceField(*ogre, "da"), 2);
    EXPECT_EQ(ActionDiceField(*ogre, "db"), 6);
    EXPECT_EQ(ActionDiceField(*ogre, "dc"), 1);
    EXPECT_EQ(ActionDiceField(*ogre, "wc"), 4);
    EXPECT_EQ(ActionDiceField(*ogre, "DA"), 0) << "the words are compared exactly";
    EXPECT_EQ(ActionDiceField(*ogre, " 12x"), 12);
    // Kind 1 with all four words: the damage dice roll times the blows.
    ogre->DamageDice = {0, 0, 5};
    MonsterActionDef row;
    row.ActionKind = 1;
    row.TargetType = TargetOne;
    row.DiceCount = "da";
    row.DiceSides = "db";
    row.DiceAdd = "dc";
    row.Times = "wc";
    row.Attribute = 1;
    f.G().PartyCount = 1;
    RunDataAction(f.G(), f.Player, ActionAim{ogre}, row);
    EXPECT_EQ(Member(1).HP, 40 - 20);
    // Kinds 2 and 4 draw their targets for types 5 and 15 as kind 1 does.
    row.ActionKind = 4;
    row.TargetType = TargetDraws;
    row.CountDice = {0, 0, 3};
    RunDataAction(f.G(), f.Player, ActionAim{ogre}, row);
    EXPECT_EQ(Member(1).HP, 0);
}

TEST_F(MonsterTurn, ATwoMemberPartyIsReachedAtTheFrontOnlyAndNeverWhenHidden) {
    f.G().PartyCount = 2;
    Member(1).Status = StatusHidden;
    for (int i = 0; i < 30; ++i) EXPECT_EQ(PickMonsterTarget(f.G(), *ogre), &Member(2));
    Member(2).Status = StatusDead;
    EXPECT_EQ(PickMonsterTarget(f.G(), *ogre), nullptr);
}

TEST_F(MonsterTurn, AMonsterOfSixteenWitsLeavesAReflectingMemberAlone) {
    Member(1).Resist[1] = 255;
    Member(2).Resist[1] = 200;
    ogre->IQ = 16;
    for (int i = 0; i < 30; ++i) EXPECT_EQ(PickMonsterTarget(f.G(), *ogre), &Member(3));
    Member(3).Resist[1] = 255;
    EXPECT_EQ(PickMonsterTarget(f.G(), *ogre), nullptr);
    // One wit less and the front is fair game again.
    ogre->IQ = 15;
    bool front = false;
    for (int i = 0; i < 60 && !front; ++i) front = PickMonsterTarget(f.G(), *ogre) == &Member(1);
    EXPECT_TRUE(front);
}

TEST_F(MonsterTurn, ASummonTakesTheBlowOnlyWithCharmAndWhileActive) {
    EXPECT_EQ(ChooseSummonTarget(f.G()), 0) << "no summons";
    std::vector<Creature>& s = f.G().Battle.Summons;
    s[1] = BattleFixture::Monster(4, "ゴーレム", 0, 0);
    s[1].Status = StatusHidden;
    s[2] = s[1];
    s[2].Status = 0;
    s[2].Charm = 2;  // 1d2 is always below 3
    for (int i = 0; i < 40; ++i) EXPECT_EQ(ChooseSummonTarget(f.G()), 0);
    s[2].Charm = 250;
    int chosen = 0;
    for (int i = 0; i < 40; ++i) chosen |= 1 << ChooseSummonTarget(f.G());
    EXPECT_EQ(chosen, (1 << 0) | (1 << 2)) << "the party or the active summon, never the hidden";
}

TEST_F(MonsterTurn, BreathIsHalfTheHitPointsLessAFifthPerShieldLevel) {
    f.G().PartyCount = 1;
    Creature& aki = Member(1);
    aki.HP = aki.MaxHP = 100;
    aki.Luck = 10;  // never above 10: no luck halves it
    ogre->Actions.fill(FireBreathRow);
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.HP, 50);
    EXPECT_TRUE(f.Player.Saw("オーガは\n炎のブレスを吐いた\n"));
    aki.HP = 100;
    f.G().Battle.PartyBreathShield = 2;
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.HP, 70);
    aki.HP = 100;
    aki.Skills[SkillIndex(Skill::QuarterAreaDamage)] = 1;
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.HP, 93) << "30 / 4";
    aki.Skills[SkillIndex(Skill::Untouchable)] = 1;
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.HP, 93);
}

TEST_F(MonsterTurn, AThiefOfLittleWitsTakesWhatIsNotWornAndRuns) {
    f.G().PartyCount = 1;
    Creature& aki = Member(1);
    ItemDef& potion = f.G().Items[11];
    potion.Id = 11;
    potion.Kind = 8;
    ItemDef& key = f.G().Items[12];
    key.Id = 12;
    key.Kind = 11;  // an event item is never taken
    aki.Items[2] = {12, 0, 1};
    aki.Items[3] = {11, 0, 2};
    ogre->IQ = 9;
    ogre->Actions.fill(StealRow);
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.Items[1].ItemId, SwordId) << "the sword is worn";
    EXPECT_EQ(aki.Items[2].ItemId, 12);
    EXPECT_EQ(aki.Items[3].ItemCount, 1);
    EXPECT_EQ(ogre->Status, StatusDead) << "gone, not booked";
    EXPECT_EQ(f.G().Battle.KillCount, 0);
    EXPECT_TRUE(f.Player.Saw("オーガは\n\nアキからアイテムを盗み\nそして逃げ出した\n"));
    // A clever one takes the sword in hand; with the party's ward nothing.
    *ogre = f.G().Battle.Monster(1, 0);
    ogre->Status = 0;
    ogre->IQ = 10;
    ogre->Actions.fill(StealRow);
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.Items[1].ItemId, 0);
    *ogre = f.G().Battle.Monster(1, 0);
    ogre->Status = 0;
    ogre->Actions.fill(StealRow);
    aki.Skills[SkillIndex(Skill::NoTheft)] = 1;
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(aki.Items[3].ItemCount, 1);
    EXPECT_EQ(ogre->Status, 0);
}

TEST_F(MonsterTurn, AFleeingMonsterLeavesUnbooked) {
    ogre->Actions.fill(FleeRow);
    RunMonsterAction(f.G(), f.Player, *ogre);
    EXPECT_EQ(ogre->Status, StatusDead);
    EXPECT_EQ(f.G().Battle.ExpPool, 0);
    EXPECT_EQ(f.G().MonsterKillCount[OgreId], 0);
    EXPECT_TRUE(f.Player.Saw("オーガは\n逃げた・・・"));
}

TEST_F(MonsterTurn, HelpNeverComesToAFullGroupAndHalfTheTimeToOneWithRoom) {
    Game& g = f.G();
    for (int m = 2; m <= GroupMemberCount; ++m) g.Battle.Monster(1, m) = *ogre;
    for (int i = 0; i < 10; ++i) CallForHelp(g, f.Player);
    EXPECT_EQ(f.Player.Messages().size(), 10u);
    for (const std::string& m : f.Player.Messages())
        EXPECT_EQ(m, "オーガは\n助けを呼んだ\nしかし助けは来なかった・・・");
    g.Battle.Monster(1, 5).Status = StatusDead;
    g.Battle.Monster(1, 5).Name = "しかばね";
    for (int i = 0; i < 40 && (g.Battle.Monster(1, 5).Status & StatusDead) != 0; ++i)
        CallForHelp(g, f.Player);
    EXPECT_EQ(g.Battle.Monster(1, 5).Status, 0);
    EXPECT_EQ(g.Battle.Monster(1, 5).Name, "オーガ");
    EXPECT_TRUE(f.Player.Saw("助けを呼んだ\n仲間が１体あらわれた"));
}

TEST_F(MonsterTurn, NoGroupIsSummonedIntoAFullBattle) {
    Game& g = f.G();
    g.MonsterAttributeTable.fill(SlimeId);
    for (int group = 2; group <= BattleGroupCount; ++group) g.Battle.Monster(group, 1) = *ogre;
    g.Battle.GroupCount = 4;
    SummonGroup(g, f.Player, *ogre, SummonRow);
    EXPECT_TRUE(f.Player.Messages().empty());
    EXPECT_EQ(g.Battle.GroupCount, 4);
    g.Battle.Monster(3, 1).Status = StatusDead;
    SummonGroup(g, f.Player, *ogre, SummonRow);
    EXPECT_EQ(g.Battle.GroupCount, 4) << "four rows already: the round's end rebuilds the list";
    EXPECT_EQ(g.Battle.Monster(3, 1).Name, "スライム");
    EXPECT_EQ(g.Battle.Monster(3, 1).HP, g.Battle.Monster(3, 1).MaxHP);
}

}  // namespace
}  // namespace kv::testing

namespace kv::testing {
namespace {

// Action numbers come from the data: one outside the table's rows 1..500 is a
// turn in which the monster does nothing, never a read past the table.
TEST_F(MonsterTurn, AnActionRowOutsideTheTableDoesNothing) {
    for (const int16_t row : {int16_t{-1}, int16_t{501}, int16_t{32767}}) {
        SCOPED_TRACE(row);
        ogre->Actions.fill(row);
        for (int turn = 0; turn < 5; ++turn) RunMonsterAction(f.G(), f.Player, *ogre);
        for (int position = 1; position <= 3; ++position) {
            EXPECT_EQ(Member(position).HP, Member(position).MaxHP);
        }
        EXPECT_EQ(ogre->Status & StatusDead, 0);
    }
}

}  // namespace
}  // namespace kv::testing
