// Summoning and the summons' part in a battle: the level window, the price
// in hit points, the kinds a summoner knows, a summon's turn against the
// monsters, the summon command's level, and the betrayal.
#include <gtest/gtest.h>

#include "battle/BattleCommands.h"
#include "battle/BattleFixture.h"
#include "battle/MonsterActions.h"

namespace kv::testing {
namespace {

constexpr int GolemId = 4;
constexpr int32_t GolemKind = 131072;
constexpr Skill GolemSkill = SkillOf(Skill::FirstSummonKind, 7);

struct Summoning : ::testing::Test {
    BattleFixture f{2};
    Creature* aki = nullptr;

    void SetUp() override {
        Game& g = f.G();
        Creature golem = BattleFixture::Monster(GolemId, "ゴーレム", 0, 0);
        golem.Class = GolemKind;
        golem.SummonLevel = 8;
        golem.GroupDice = {0, 0, 5};
        golem.HPDice = {2, 10, 3};
        golem.Regen = 2;
        g.Monsters[GolemId] = golem;
        g.MonsterKillCount[GolemId] = 1;
        aki = g.Member(1);
        aki->Skills[SkillIndex(GolemSkill)] = 1;
        aki->MaxHP = 23;
        aki->HP = 2;
        aki->CommandArg = 3;
    }

    int Standing() {
        int n = 0;
        for (int s = 1; s <= SummonSlotCount; ++s)
            if (IsActive(f.G().Battle.Summons[static_cast<size_t>(s)])) ++n;
        return n;
    }
};

TEST_F(Summoning, TheLevelWindowAndThePriceDecide) {
    // Level 3 reaches 1..8; 23 hit points cost 1, paid from 2.
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(aki->HP, 1);
    EXPECT_EQ(Standing(), 5);
    EXPECT_TRUE(f.Player.Saw("アキは\nゴーレムを\n５体召喚した"));
    EXPECT_EQ(f.G().Battle.Summons[1].Charm, aki->Charm);
    EXPECT_EQ(f.G().Battle.Summons[1].Status, 0);
    // With 1 hit point left the price of 1 cannot be paid.
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(aki->HP, 1);
    EXPECT_TRUE(f.Player.Saw("アキは\n召喚に失敗した"));
    // Level 2 reaches only 1..7.
    aki->HP = 20;
    aki->CommandArg = 2;
    f.Player.Clear();
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(aki->HP, 20);
    EXPECT_TRUE(f.Player.Saw("召喚に失敗した"));
}

TEST_F(Summoning, OnlyKindsTheSummonerKnowsAndMonstersOnceKilled) {
    aki->HP = 20;
    f.G().MonsterKillCount[GolemId] = 0;
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(Standing(), 0);
    f.G().MonsterKillCount[GolemId] = 3;
    aki->Skills[SkillIndex(GolemSkill)] = 0;
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(Standing(), 0);
    EXPECT_EQ(aki->HP, 20);
}

TEST_F(Summoning, ASecondSummoningReplacesTheFirst) {
    aki->HP = 20;
    aki->Skills[SkillIndex(Skill::StrongSummonHP)] = 1;
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(f.G().Battle.Summons[5].HP, 23) << "whole hit dice";
    f.G().Monsters[GolemId].GroupDice = {0, 0, 2};
    SummonMonsters(f.G(), f.Player, *aki);
    EXPECT_EQ(Standing(), 2);
    for (int s = 3; s <= SummonSlotCount; ++s)
        EXPECT_EQ(f.G().Battle.Summons[static_cast<size_t>(s)].Status, StatusDead);
}

TEST_F(Summoning, TheLevelAskedForIsLoweredToTheSummonersOwn) {
    f.Player.Type("9");
    AskSummonLevel(f.Player, *aki);
    EXPECT_EQ(aki->CommandArg, 5);
    EXPECT_EQ(f.Player.Log().back().Text, "召喚ＬＶを入力してください (1-5) ");
    f.Player.Type("4");
    AskSummonLevel(f.Player, *aki);
    EXPECT_EQ(aki->CommandArg, 4);
    aki->Level = 120;
    f.Player.Type("abc");
    AskSummonLevel(f.Player, *aki);
    EXPECT_EQ(aki->CommandArg, 0);
    EXPECT_EQ(f.Player.Log().back().Text, "召喚ＬＶを入力してください (1-100) ");
    // The entry is offered with the skill only.
    auto offered = [&] {
        const std::vector<BattleEntry> e = MemberEntries(f.G(), *aki, 1);
        return std::find(e.begin(), e.end(), BattleEntry::Summon) != e.end();
    };
    EXPECT_FALSE(offered());
    aki->Skills[SkillIndex(Skill::Summon)] = 1;
    EXPECT_TRUE(offered());
}

struct SummonInBattle : Summoning {
    Creature* golem = nullptr;
    Creature* ogre = nullptr;

    void SetUp() override {
        Summoning::SetUp();
        Game& g = f.G();
        aki->HP = 20;
        SummonMonsters(g, f.Player, *aki);
        golem = &g.Battle.Summons[1];
        golem->HP = golem->MaxHP = 10;
        golem->DamageDice = {0, 0, 3};
        golem->Agility = 40;
        g.Battle.Monster(2, 0) = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        g.Battle.Monster(2, 0).Status = StatusDead;
        ogre = &g.Battle.Monster(2, 1);
        *ogre = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        ogre->HP = ogre->MaxHP = 50;
        for (int m = 2; m <= GroupMemberCount; ++m) g.Battle.Monster(2, m).Status = StatusDead;
        for (int m = 0; m <= GroupMemberCount; ++m) g.Battle.Monster(1, m).Status = StatusDead;
        g.Battle.GroupCount = 1;
        g.Battle.Rows[1] = 2;
    }
};

TEST_F(SummonInBattle, ASummonFightsTheGroupOfARowAndRegenerates) {
    golem->Actions.fill(PlainAttackRow);
    golem->HP = 8;
    golem->Initiative = 12;
    RunSummonAction(f.G(), f.Player, *golem);
    EXPECT_TRUE(f.Player.Saw("ゴーレムの攻撃！！\nオーガ"));
    EXPECT_EQ(golem->HP, 10) << "8 and a regeneration of 2";
    EXPECT_EQ(golem->Initiative, 0);
    // Regeneration is not capped, but needs hit points at most the maximum.
    RunSummonAction(f.G(), f.Player, *golem);
    EXPECT_EQ(golem->HP, 12);
    RunSummonAction(f.G(), f.Player, *golem);
    EXPECT_EQ(golem->HP, 12);
    // Nobody to fight: the turn is lost, without regeneration.
    ogre->Status = StatusDead;
    golem->HP = 5;
    RunSummonAction(f.G(), f.Player, *golem);
    EXPECT_EQ(golem->HP, 5);
}

TEST_F(SummonInBattle, TheRoundGivesTheSummonItsTurnAndItsLine) {
    golem->Actions.fill(PlainAttackRow);
    for (int s = 2; s <= SummonSlotCount; ++s)
        f.G().Battle.Summons[static_cast<size_t>(s)].Agility = 0;
    golem->Initiative = 0;
    aki->Command = CommandParry;
    f.G().Member(2)->Command = CommandParry;
    RollSummonInitiative(f.G());
    EXPECT_GT(golem->Initiative, 0);
    f.G().Battle.ListShown = true;
    RunRound(f.G(), f.Player, f.Display);
    EXPECT_TRUE(f.Player.Saw("ゴーレムの攻撃！！\nオーガ"));
    EXPECT_EQ(f.G().Battle.SummonLine, "　ゴーレム　　　　　　　　　　　　　　５（５）");
}

TEST_F(SummonInBattle, SummonsOfLittleCharmMayTurnOnTheParty) {
    Game& g = f.G();
    g.Battle.SummonLine = BuildSummonLine(g);
    for (int s = 1; s <= SummonSlotCount; ++s) g.Battle.Summons[static_cast<size_t>(s)].Charm = 1;
    g.Member(2)->Skills[SkillIndex(Skill::LoyalSummons)] = 1;
    for (int i = 0; i < 200; ++i) SummonBetrayal(g, f.Player);
    EXPECT_FALSE(g.Battle.SummonLine.empty()) << "loyal summons never turn";
    g.Member(2)->Skills[SkillIndex(Skill::LoyalSummons)] = 0;
    for (int i = 0; i < 400 && !g.Battle.SummonLine.empty(); ++i) SummonBetrayal(g, f.Player);
    ASSERT_TRUE(g.Battle.SummonLine.empty());
    EXPECT_TRUE(f.Player.Saw("ゴーレムは\nパーティを裏切った！"));
    // The first free group takes them, identified, and the slots are empty.
    EXPECT_EQ(g.Battle.GroupCount, 2);
    EXPECT_EQ(g.Battle.Rows[2], 1);
    EXPECT_EQ(g.Battle.Monster(1, 1).Name, "ゴーレム");
    EXPECT_EQ(g.Battle.Monster(1, 0).Identified, -1);
    EXPECT_EQ(g.Battle.Summons[1].Id, 0);
    EXPECT_EQ(g.Battle.Summons[1].Status, StatusDead);
}

}  // namespace
}  // namespace kv::testing
