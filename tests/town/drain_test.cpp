// Level drain: the level and experience lost, the hit points each level
// costs, and the statistics that may go with it.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "town/CharacterFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

TEST(DrainLevels, LevelAndExperienceFallToTheNewLevel) {
    struct Case {
        int32_t ClassBit, Race, Level;
        int Drained;
        int32_t ExpectedLevel;
        double ExpectedExp;
    };
    const Case cases[] = {
        {Fighter, Human, 10, 2, 8, 133040},
        {Fighter, Elf, 10, 2, 8, 134370},  // 133040 x 1.01, rounded
        {Wizard, Human, 2, 3, 1, 0},       // never below level 1
        {Thief, Human, 1, 1, 1, 0},
        {Fighter, Human, 5, 0, 5, 12345},  // nothing drained, nothing changes
        {Fighter, Human, 5, -2, 5, 12345},
    };
    for (const Case& k : cases) {
        CharacterFixture f;
        Creature& c = f.Make(1, k.ClassBit, k.Race);
        c.Level = k.Level;
        c.Exp = 12345;
        c.MaxHP = c.HP = 500;
        DrainLevels(f.G(), c, k.Drained);
        EXPECT_EQ(c.Level, k.ExpectedLevel) << "level " << k.Level << " drained " << k.Drained;
        EXPECT_EQ(c.Exp, k.ExpectedExp) << "level " << k.Level << " drained " << k.Drained;
    }
}

TEST(DrainLevels, EveryLevelDrainedCostsHitPointsEvenBelowLevelOne) {
    struct Case {
        int32_t ClassBit;
        int Vitality;
        int Drained;
        std::set<int> Losses;  // every total loss possible, and each is seen
    };
    const Case cases[] = {
        // A fighter's d(Vitality + 2): 1..4 cost 1, a 5 costs 5.
        {Fighter, 3, 1, {1, 5}},
        {Fighter, 3, 3, {3, 7, 11, 15}},
        // d(Vitality + 1) of 1 always: one point per level, three levels from level 2.
        {Priest, 0, 3, {3}},
        // A wizard's d(Vitality / 1.5) + 1 with no sides is a 2: one point.
        {Wizard, 0, 2, {2}},
        {Thief, 4, 2, {2}},
    };
    for (const Case& k : cases) {
        CharacterFixture f;
        std::set<int> seen;
        for (uint64_t seed = 0; seed < 3000; ++seed) {
            Creature& c = f.Make(1, k.ClassBit, Human, seed);
            c.Level = 2;
            c.Vitality = static_cast<uint8_t>(k.Vitality);
            c.MaxHP = c.HP = 100;
            DrainLevels(f.G(), c, k.Drained);
            EXPECT_EQ(c.Level, 1);
            seen.insert(100 - c.MaxHP);
        }
        EXPECT_EQ(seen, k.Losses) << "class " << k.ClassBit << " drained " << k.Drained;
    }
}

TEST(DrainLevels, HitPointsStopAtOneAndStatisticsAtZero) {
    CharacterFixture f;
    std::array<int, 8> falls{};
    const int drains = 2000;
    for (int n = 0; n < drains; ++n) {
        Creature& c = f.Make(1, Fighter, Human, static_cast<uint64_t>(n));
        c.Level = 3;
        c.MaxHP = 2;
        c.HP = 2;
        c.Vitality = 28;
        c.Str = c.IQ = c.Piety = c.Dexterity = c.Agility = c.Charm = 10;
        c.Luck = 0;
        DrainLevels(f.G(), c, 1);
        EXPECT_EQ(c.MaxHP, 1);
        EXPECT_EQ(c.HP, 1);
        EXPECT_EQ(c.Luck, 0);
        const std::array<int, 8> now = {c.Str,       c.IQ,      c.Piety, c.Vitality,
                                        c.Dexterity, c.Agility, c.Luck,  c.Charm};
        const std::array<int, 8> before = {10, 10, 10, 28, 10, 10, 0, 10};
        for (size_t i = 0; i < 8; ++i) falls[i] += before[i] - now[i];
    }
    // Str, IQ, Piety, Vitality and Agility fall on a 1 of a d5; Dexterity and
    // Charm never do.
    for (size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_NEAR(falls[i], drains / 5, 80) << "stat " << i;
    EXPECT_EQ(falls[4], 0);
    EXPECT_EQ(falls[7], 0);
}

}  // namespace
}  // namespace kv
