// The special attacks' table, row by row at the columns a wrong entry would
// spoil: whose hit points the damage reads, which statistic a hit takes,
// which resistance saves from it, and how the sides turn for a summon.
#include <gtest/gtest.h>

#include <functional>

#include "battle/BattleFixture.h"
#include "battle/MonsterActions.h"

namespace kv::testing {
namespace {

// One member (Aki: Str 15, IQ 9, Piety 11, Vitality 13, Luck 12, age 20)
// with 100 of 100 hit points and no resistances, against a monster of 30
// hit points out of 50, damage dice 0d0+4 and 3 blows.
struct SpecialCase {
    int Row;
    int32_t HPAfter;  // Aki's hit points afterwards
    std::function<bool(const Creature&)> Statistics;
};

const auto Unchanged = [](const Creature& c) {
    return c.Str == 15 && c.IQ == 9 && c.Piety == 11 && c.Vitality == 13 && c.Luck == 12 &&
           c.Age == 20;
};

struct SpecialAttacks : ::testing::Test {
    BattleFixture f{0};
    Creature* aki = nullptr;
    Creature* monster = nullptr;

    void SetUp() override {
        f.G().PartyCount = 0;
        f.G().Battle = BattleState{};
        TestCharacter made;
        made.Name = "アキ";
        made.HP = 100;
        aki = &made.Joins(f.G(), 1);
        aki->DamageRate.fill(100);
        aki->Marks = 7;
        f.G().Battle.Monster(1, 0) = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        monster = &f.G().Battle.Monster(1, 1);
        *monster = f.G().Battle.Monster(1, 0);
        monster->HP = 30;
        monster->MaxHP = 50;
        monster->DamageDice = {0, 0, 4};
        monster->AttackCount = 3;
        f.G().Battle.ActingGroup = 1;
        f.G().Battle.ActingMember = 1;
    }

    void Run(int row, int summon = 0) {
        RunSpecialAttack(f.G(), f.Player, ActionAim{monster, summon}, row);
    }
};

TEST_F(SpecialAttacks, EachRowReadsItsOwnColumns) {
    const SpecialCase cases[] = {
        {46, 100 - 30 - 1, Unchanged},  // HP + 1d(HP) reads the monster's 30, not Aki's 100: 31..60
        {56, 50, Unchanged},            // half of Aki's hit points
        {100, 85, Unchanged},           // half of the monster's
        {101, 70, Unchanged},           // all of the monster's
        {105, 75, Unchanged},           // a quarter of Aki's
        {58, 1, Unchanged},             // all but one of Aki's
        {111, 80, Unchanged},           // the monster's wounds: 50 - 30
        {74, 88, Unchanged},            // the damage dice times the blows
        {80, 88, Unchanged},            // the first three standing
        {123, 93, [](const Creature& c) { return c.IQ == 8 && c.Str == 15 && c.Luck == 12; }},
        {124, 96, [](const Creature& c) { return c.Str == 14 && c.IQ == 9 && c.Vitality == 13; }},
        {99, 96, [](const Creature& c) { return c.Luck == 11 && c.Piety == 11 && c.Str == 15; }},
        {110, 96, [](const Creature& c) { return c.Piety == 10 && c.Luck == 12 && c.IQ == 9; }},
        {102, 70, [](const Creature& c) { return c.Age == 21 && c.Vitality == 13; }},
        // Four draws on the one member: four hits, four losses.
        {116, 84, [](const Creature& c) { return c.Vitality == 9 && c.Str == 15; }},
        {63, 100, Unchanged},  // a row that does nothing
    };
    for (const SpecialCase& c : cases) {
        SetUp();
        Run(c.Row);
        if (c.Row == 46) {
            EXPECT_GE(aki->HP, 100 - 60) << "row " << c.Row;
            EXPECT_LE(aki->HP, c.HPAfter) << "row " << c.Row;
        } else {
            EXPECT_EQ(aki->HP, c.HPAfter) << "row " << c.Row;
        }
        EXPECT_TRUE(c.Statistics(*aki)) << "row " << c.Row;
    }
}

TEST_F(SpecialAttacks, AStatisticAtOneStaysAndAResistanceSavesIt) {
    aki->Str = 1;
    Run(124);
    EXPECT_EQ(aki->Str, 1);
    SetUp();
    aki->Resist[1] = 200;  // absorbs: the damage heals and no hit lands
    aki->HP = 90;
    Run(124);
    EXPECT_EQ(aki->Str, 15);
    EXPECT_EQ(aki->HP, 94);
}

TEST_F(SpecialAttacks, ASummonTakesOnlyTheRowsMarkedForIt) {
    Creature& golem = f.G().Battle.Summons[1];
    golem = BattleFixture::Monster(4, "ゴーレム", 0, 0);
    golem.HP = golem.MaxHP = 100;
    // Row 56 may go at the summon: Aki is spared.
    Run(56, 1);
    EXPECT_EQ(golem.HP, 50);
    EXPECT_EQ(aki->HP, 100);
    // Row 80 may not: Aki takes it though the summon was chosen.
    Run(80, 1);
    EXPECT_EQ(golem.HP, 50);
    EXPECT_EQ(aki->HP, 88);
}

TEST_F(SpecialAttacks, ForASummonTheSidesAreExchanged) {
    Creature& golem = f.G().Battle.Summons[1];
    golem = BattleFixture::Monster(4, "ゴーレム", 0, 0);
    golem.HP = golem.MaxHP = 40;
    golem.DamageDice = {0, 0, 6};
    Creature& second = f.G().Battle.Monster(1, 2);
    second = *monster;
    const ActionAim aim{&golem, 0, 1, monster};
    // One target: the summon's single target only.
    RunSpecialAttack(f.G(), f.Player, aim, 107);
    EXPECT_EQ(monster->HP, 24);
    EXPECT_EQ(second.HP, 30);
    // Several: the whole group; and row 110, aimed at one, hits them all.
    RunSpecialAttack(f.G(), f.Player, aim, 110);
    EXPECT_EQ(monster->HP, 18);
    EXPECT_EQ(second.HP, 24);
    // A row that helps its own side helps the summons.
    golem.HP = 1;
    RunSpecialAttack(f.G(), f.Player, aim, 72);
    EXPECT_EQ(golem.HP, 40);
    // A row the summon does not know does nothing.
    RunSpecialAttack(f.G(), f.Player, aim, 123);
    EXPECT_EQ(second.HP, 24);
    EXPECT_EQ(aki->HP, 100);
}

TEST_F(SpecialAttacks, HelpRowsReachTheWholeMonsterSide) {
    Creature& other = f.G().Battle.Monster(2, 1);
    other = *monster;
    Run(121);  // every monster's damage dice count doubles
    EXPECT_EQ(other.DamageDice[0], 0);
    other.DamageDice = {3, 4, 0};
    Run(121);
    EXPECT_EQ(other.DamageDice[0], 6);
    EXPECT_TRUE(f.Player.Saw("オーガはフォースフィールドをはった\nモンスターの攻撃力がＵＰした"));
    Run(71);  // all leave, none booked
    EXPECT_EQ(other.Status, StatusDead);
    EXPECT_EQ(f.G().Battle.KillCount, 0);
}

}  // namespace
}  // namespace kv::testing
