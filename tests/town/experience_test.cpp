// Experience needs by class, race and level; statistic limits; hit-point rolls.
#include <gtest/gtest.h>

#include <set>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "town/CharacterFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

TEST(ExpForLevel, ThresholdsByClassRaceAndLevel) {
    struct Case {
        int32_t Level, ClassBit, Race;
        double Expected;
    };
    const Case cases[] = {
        {1, Fighter, Human, 1000},  // 999 experience is one short
        {1, Fighter, Elf, 1010},
        {1, Fighter, Dwarf, 999},
        {1, Fighter, Gnome, 998},
        {1, Fighter, Hobbit, 1002},
        {1, Fighter, Fairy, 1003},
        {1, Fighter, Dragon, 1005},
        {1, Fighter, Demon, 1003},
        {1, Fighter, Angel, 995},
        {1, Fighter, Mutant, 998},
        {1, Fighter, Silva, 1000},
        // Exact halves go to the even neighbour: 1498.5 down, 2497.5 and 1363.5 up.
        {1, Sage, Dwarf, 1498},
        {2, Fighter, Dwarf, 2498},
        {1, Lord, Elf, 1364},
        {20, Ninja, Human, 4890494},
        {13, Sage, Human, 1000819},
        // Beyond level 20 each level adds the class's step to its base.
        {21, Fighter, Human, 4634528},
        {25, Fighter, Human, 7036508},
        // The sage's base lies below its level-20 need, so 20 -> 21 is the shorter step.
        {21, Sage, Human, 5640336},
        {22, Sage, Human, 6449740},
        {0, Fighter, Human, 0},
        {-3, Fighter, Human, 0},
        {5, 4096, Human, 0},
        {5, 3, Human, 0},          // no class, several bits
        {1, Fighter, 4096, 1000},  // a race without a row scales nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpForLevel(c.Level, c.ClassBit, c.Race), c.Expected)
            << "level " << c.Level << " class " << c.ClassBit << " race " << c.Race;
    }
}

TEST(ExpForLevel, NeedsGrowWithEveryLevel) {
    const int32_t classes[] = {1,   2,    4,    8,    16,    32,    64,    128,   256,
                               512, 1024, 2048, 8192, 16384, 32768, 65536, 131072};
    for (int32_t classBit : classes) {
        for (int32_t level = 1; level < 40; ++level) {
            EXPECT_LT(ExpForLevel(level, classBit, Elf), ExpForLevel(level + 1, classBit, Elf))
                << "class " << classBit << " level " << level;
        }
    }
}

TEST(StatMax, RaceBaseRangeAndSexBonus) {
    CharacterFixture f;
    struct Case {
        int32_t Race;
        int Index;
        bool Raised;
        int Sex;
        int Expected;
    };
    const Case cases[] = {
        {Human, 1, false, 1, 19},  // Str 8 + 10 + a man's 1
        {Human, 1, false, 2, 18}, {Human, 4, false, 1, 19}, {Human, 5, false, 2, 20},
        {Human, 6, false, 2, 18},  // Agility 7 + 10 + a woman's 1
        {Human, 5, false, 1, 19}, {Hobbit, 6, true, 1, 30}, {Fairy, 4, false, 2, 12},
        {Silva, 8, false, 1, 21}, {Mutant, 7, true, 2, 25}, {Human, 0, false, 1, 0},
        {Human, 9, false, 1, 0},  {4096, 2, false, 1, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatMax(f.G(), c.Race, c.Index, c.Raised, c.Sex), c.Expected)
            << "race " << c.Race << " index " << c.Index;
    }
}

TEST(RollMaxHP, LevelDiceOfTheClassDiePlusVitality) {
    struct Case {
        int32_t Level, ClassBit;
        int Vitality;
        int Low, High;  // every value between is reached
    };
    const Case cases[] = {
        {1, Fighter, 14, 2, 19},   // 1d18 + 1
        {1, Fighter, 13, 14, 31},  // 1d18 + 13: vitality up to 13 counts whole
        {2, Wizard, 18, 7, 15},    // 2d5 + 5
        {1, Priest, 3, 4, 18},    {1, Thief, 20, 8, 16}, {1, Bard, 0, 1, 11},
        {1, 4096, 10, 11, 21},    {1, 2, 10, 11, 15},    {1, 3, 10, 11, 23},  // no class: 1d13
    };
    for (const Case& c : cases) {
        Game game;
        std::set<int32_t> seen;
        for (int i = 0; i < 3000; ++i) {
            const int32_t hp = RollMaxHP(game, c.Level, c.ClassBit, c.Vitality);
            EXPECT_GE(hp, c.Low);
            EXPECT_LE(hp, c.High);
            seen.insert(hp);
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(c.High - c.Low + 1)) << "class " << c.ClassBit;
    }
}

}  // namespace
}  // namespace kv
