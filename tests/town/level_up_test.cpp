// The level-up: hit points, blows, statistic changes under seeded dice,
// spells by class, and the ninja's natural armour class.
#include <gtest/gtest.h>

#include <array>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "town/CharacterFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

int KnownSpells(const Creature& c, int school, int level = -1) {
    int known = 0;
    for (int l = 1; l < SpellLevels; ++l) {
        for (int j = 1; j < SpellSlots; ++j) {
            if ((level < 0 || level == l) && c.Spell(school, l, j) != 0) ++known;
        }
    }
    return known;
}

int HighestKnownLevel(const Creature& c, int school) {
    int highest = 0;
    for (int l = 1; l < SpellLevels; ++l) {
        if (KnownSpells(c, school, l) > 0) highest = l;
    }
    return highest;
}

TEST(LevelUp, HitPointsTakeTheBetterOfRollAndOneMore) {
    CharacterFixture f;
    // A maximum above any roll grows by one, with the current hit points.
    Creature& strong = f.Make(1, Fighter);
    strong.MaxHP = 1000;
    strong.HP = 400;
    LevelUp(f.G(), f.Player, 1);
    EXPECT_EQ(strong.Level, 2);
    EXPECT_EQ(strong.MaxHP, 1001);
    EXPECT_EQ(strong.HP, 401);
    ASSERT_FALSE(f.Player.Messages().empty());
    EXPECT_EQ(f.Player.Messages()[0],
              "Ａｌｉｃｅ" + std::string("はＬＶが上がった\r最大ＨＰが") + "１ポイントあがった");

    // A better roll replaces the maximum and heals the difference.
    f.Player.Clear();
    Creature& weak = f.Make(2, Fighter, Human, 99);
    weak.MaxHP = 1;
    weak.HP = 1;
    weak.Vitality = 18;
    Random shadow(99);
    const int32_t rolled = Dice(shadow, 2, 18, 5);
    LevelUp(f.G(), f.Player, 2);
    EXPECT_EQ(weak.MaxHP, rolled);
    EXPECT_EQ(weak.HP, rolled);
    EXPECT_EQ(f.Player.Messages()[0], "ＡｌｉｃｅはＬＶが上がった\r最大ＨＰが" +
                                          WideNumber(rolled - 1) + "ポイントあがった");

    // A diseased character gains the maximum but is not healed.
    Creature& sick = f.Make(3, Fighter, Human, 99);
    sick.MaxHP = 1;
    sick.HP = 1;
    sick.Vitality = 18;
    sick.Status = StatusDisease;
    LevelUp(f.G(), f.Player, 3);
    EXPECT_EQ(sick.MaxHP, rolled);
    EXPECT_EQ(sick.HP, 1);
}

TEST(LevelUp, BlowsFollowTheClassStepAndLimit) {
    struct Case {
        int32_t ClassBit, FromLevel;
        bool MoreBlows;  // skill 83
        int Expected;
    };
    const Case cases[] = {
        {Fighter, 4, false, 2},  {Fighter, 3, false, 1}, {Fighter, 59, false, 10},
        {Fighter, 59, true, 13}, {Wizard, 6, false, 2},  {Samurai, 99, false, 12},
        {Ninja, 99, true, 15},   {4096, 10, false, 1},  // no class row: a single blow
    };
    for (const Case& c : cases) {
        CharacterFixture f;
        Creature& ch = f.Make(1, c.ClassBit);
        ch.Level = c.FromLevel;
        ch.MaxHP = ch.HP = 5000;
        if (c.MoreBlows) ch.Skills[83] = -1;
        LevelUp(f.G(), f.Player, 1);
        EXPECT_EQ(ch.AttackCount, c.Expected) << "class " << c.ClassBit << " from " << c.FromLevel;
    }
}

TEST(LevelUp, StatisticsMoveAsTheSeededDiceSay) {
    // The dice of one level-up, rolled again beside it: the hit-point roll
    // (level dice), then one d15 per statistic in the level-up order. From
    // age 51 a roll up to 4 lowers a statistic, before that only a 1; a
    // steady character (skill 104) rolls nothing and never changes.
    struct Case {
        uint64_t Seed;
        int Age;
        bool Steady;
    };
    const Case cases[] = {{3, 20, false}, {17, 20, false}, {2024, 20, false},
                          {5, 60, false}, {11, 51, false}, {8, 70, true}};
    const std::array<uint8_t Creature::*, 8> order = {
        &Creature::Str,     &Creature::IQ,        &Creature::Piety, &Creature::Vitality,
        &Creature::Agility, &Creature::Dexterity, &Creature::Luck,  &Creature::Charm};
    const std::array<int, 8> limits = {19, 18, 16, 19, 19, 17, 17, 17};  // a human man's
    for (const Case& k : cases) {
        CharacterFixture f;
        Creature& c = f.Make(1, Fighter, Human, k.Seed);
        c.MaxHP = c.HP = 5000;
        c.Age = static_cast<int16_t>(k.Age);
        if (k.Steady) c.Skills[104] = 1;
        c.Str = 19;  // at the limit: may only fall
        c.Luck = 0;  // may only rise
        std::array<uint8_t, 8> before{};
        for (size_t i = 0; i < 8; ++i) before[i] = c.*order[i];

        Random shadow(k.Seed);
        Dice(shadow, 2, 18, 12);
        std::string expected;
        std::array<int, 8> change{};
        for (size_t i = 0; i < 8 && !k.Steady; ++i) {
            const int roll = Dice(shadow, 1, 15, 0);
            const std::string name(ResStringNumber(701 + static_cast<int>(i)));
            if (roll <= (k.Age < 51 ? 1 : 4) && before[i] >= 1) {
                change[i] = -1;
                expected += name + "が１ポイント下がった\r";
            } else if (roll >= 7 && before[i] < limits[i]) {
                change[i] = 1;
                expected += name + "が１ポイント上がった\r";
            }
        }
        LevelUp(f.G(), f.Player, 1);
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(c.*order[i], before[i] + change[i]) << "seed " << k.Seed << " stat " << i;
        }
        const std::vector<std::string> shown = f.Player.Messages();
        ASSERT_EQ(shown.size(), expected.empty() ? 1u : 2u) << "seed " << k.Seed;
        if (!expected.empty()) {
            EXPECT_EQ(shown[1], expected);
        }
    }
}

TEST(LevelUp, AgilityAndDexterityTakeEachOthersLimit) {
    // A hobbit's Dexterity base is 10 and its Agility base 15; the level-up
    // looks the limits up crosswise, so Agility stops at 20 and Dexterity
    // may climb to 25.
    CharacterFixture f;
    int agilityRises = 0, dexterityRises = 0;
    for (int n = 0; n < 200; ++n) {
        Creature& c = f.Make(1, Thief, Hobbit, static_cast<uint64_t>(n));
        c.Sex = 1;
        c.MaxHP = c.HP = 5000;
        c.Agility = 20;
        c.Dexterity = 21;
        LevelUp(f.G(), f.Player, 1);
        agilityRises += c.Agility > 20;
        dexterityRises += c.Dexterity > 21;
    }
    EXPECT_EQ(agilityRises, 0);
    EXPECT_GT(dexterityRises, 80);
}

TEST(LevelUp, SpellsByClassSchoolAndLimit) {
    struct Case {
        int32_t ClassBit;
        int ToLevel;
        int School;      // the only school that may gain spells
        int LevelLimit;  // the highest spell level reachable
    };
    const Case cases[] = {
        {Wizard, 3, 0, 2}, {Wizard, 9, 0, 5},    {Priest, 2, 1, 1}, {Samurai, 6, 0, 2},
        {Lord, 9, 1, 3},   {Alchemist, 4, 2, 2}, {Sage, 2, 0, 1},   {Sage, 3, 0, 1},
        {Sage, 4, 1, 2},   {Sage, 5, 1, 2},      {Sage, 6, 0, 2},   {Sage, 9, 1, 3},
    };
    for (const Case& k : cases) {
        int learnedSomewhere = 0;
        CharacterFixture f;
        for (uint64_t seed = 0; seed < 30; ++seed) {
            f.Player.Clear();
            Creature& c = f.Make(1, k.ClassBit, Human, seed);
            c.Level = k.ToLevel - 1;
            c.MaxHP = c.HP = 5000;
            c.IQ = c.Piety = 18;
            LevelUp(f.G(), f.Player, 1);
            for (int school = 0; school < SpellSchools; ++school) {
                if (school != k.School) {
                    EXPECT_EQ(KnownSpells(c, school), 0) << "class " << k.ClassBit;
                }
            }
            EXPECT_LE(HighestKnownLevel(c, k.School), k.LevelLimit) << "class " << k.ClassBit;
            EXPECT_LE(KnownSpells(c, k.School), 3);
            const bool learned = KnownSpells(c, k.School) > 0;
            EXPECT_EQ(f.Player.Saw("新しい呪文を習得した"), learned);
            learnedSomewhere += learned;
        }
        EXPECT_GT(learnedSomewhere, 20) << "class " << k.ClassBit << " to " << k.ToLevel;
    }
}

TEST(LevelUp, NinjaWithoutArmourGrowsANaturalArmourClass) {
    struct Case {
        int ToLevel;
        int WornSlot;  // 0 = wears nothing
        int32_t Expected;
    };
    const Case cases[] = {
        {9, 0, 5},      {3, 0, 7},      {2, 0, 8},  {789, 0, -255},
        {792, 0, -255}, {786, 0, -254}, {9, 4, 10}, {9, 14, 10},
    };
    for (const Case& k : cases) {
        CharacterFixture f;
        Creature& c = f.Make(1, Ninja);
        c.BaseAC = 10;
        c.Level = k.ToLevel - 1;
        c.MaxHP = c.HP = 100000;
        if (k.WornSlot != 0) c.Items[static_cast<size_t>(k.WornSlot)] = {7, 3, 1};
        c.Items[2] = {8, 0, 1};  // carried, not worn
        LevelUp(f.G(), f.Player, 1);
        EXPECT_EQ(c.BaseAC, k.Expected) << "level " << k.ToLevel;
    }
}

TEST(LearnSpells, RollsAgainstTheSchoolStatisticAndCapsPoints) {
    CharacterFixture f;
    // IQ 8 makes every roll a 1, which no spell level is below.
    Creature& dull = f.Make(1, Wizard);
    dull.IQ = 8;
    EXPECT_FALSE(LearnSpells(f.G(), dull, 0, 9));
    EXPECT_EQ(KnownSpells(dull, 0), 0);
    EXPECT_EQ(dull.MaxMPAt(0, 1), 0);

    // A known spell gives a point instead; points stop at 9.
    Creature& wise = f.Make(2, Priest, Human, 5);
    wise.Piety = 30;
    wise.IQ = 3;
    for (int j = 1; j <= 3; ++j) wise.Spell(1, 1, j) = -1;
    wise.MaxMPAt(1, 1) = 8;
    EXPECT_FALSE(LearnSpells(f.G(), wise, 1, 1));
    EXPECT_EQ(wise.MaxMPAt(1, 1), 9);
    EXPECT_EQ(KnownSpells(wise, 1), 3);

    // No more than three spells in one call, lower levels first.
    int most = 0;
    for (uint64_t seed = 0; seed < 50; ++seed) {
        Creature& c = f.Make(3, Wizard, Human, seed);
        c.IQ = 40;
        EXPECT_TRUE(LearnSpells(f.G(), c, 0, 9));
        most = std::max(most, KnownSpells(c, 0));
        EXPECT_LE(KnownSpells(c, 0), 3);
    }
    EXPECT_EQ(most, 3);
    EXPECT_FALSE(LearnSpells(f.G(), f.G().Roster[3], 7, 9));  // no such school
}

}  // namespace
}  // namespace kv
