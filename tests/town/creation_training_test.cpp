// Creation and the training grounds' roster rules on a bare game.
#include <gtest/gtest.h>

#include "town/CharacterFixture.h"
#include "town/Creation.h"
#include "town/Training.h"

namespace kv::testing {
namespace {

TEST(Creation, BonusBandsAndTheTwoRollsThatRollAgain) {
    Game game;
    struct Case {
        int roll, low, high;
    };
    for (const Case& c : std::vector<Case>{{6, 5, 5},
                                           {19, 5, 5},
                                           {20, 6, 6},
                                           {42, 10, 10},
                                           {43, 15, 15},
                                           {50, 18, 18},
                                           {51, 19, 19},
                                           {57, 25, 25},
                                           {58, 41, 43},
                                           {59, 27, 27},
                                           {60, 51, 53}}) {
        for (int i = 0; i < 20; ++i) {
            const int points = BonusPointsForRoll(game, c.roll);
            EXPECT_GE(points, c.low) << c.roll;
            EXPECT_LE(points, c.high) << c.roll;
        }
    }
}

TEST(Creation, TheBonusScreenStartsFromTheRaceAndKeepsToItsLimits) {
    Game game;
    NewCharacter man;
    man.Race = Human;
    man.Sex = 1;
    RollBonus(game, man);
    EXPECT_EQ(man.Stats, (StatLine{9, 8, 6, 9, 9, 7, 7, 7}));
    NewCharacter woman;
    woman.Race = Human;
    woman.Sex = 2;
    RollBonus(game, woman);
    EXPECT_EQ(woman.Stats, (StatLine{8, 8, 6, 8, 10, 8, 7, 7}));

    // Never below the roll, never above the race's limit, never past the points.
    man.Bonus = 30;
    EXPECT_FALSE(LowerStat(man, 0));
    int raised = 0;
    while (RaiseStat(game, man, 0)) ++raised;
    EXPECT_EQ(man.Stats[0], 9 + raised);
    EXPECT_EQ(raised, 10);  // a man's Str: base 8 + 10 + 1
    EXPECT_TRUE(LowerStat(man, 0));
    man.Bonus = 0;
    EXPECT_FALSE(RaiseStat(game, man, 1));
}

TEST(Creation, ClassesFollowStatisticsAlignmentAndSex) {
    Game game;
    const ClassDef& fighterRow = game.Classes[0];
    StatLine weak{};
    for (size_t k = 0; k < 8; ++k) weak[k] = fighterRow.MinStat[k];
    const std::vector<int32_t> plain = ClassesOpen(game, weak, 1, 1);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.front(), Fighter);
    const StatLine strong{18, 18, 18, 18, 18, 18, 18, 18};
    const std::vector<int32_t> more = ClassesOpen(game, strong, 1, 1);
    EXPECT_GT(more.size(), plain.size());
    for (const int32_t bit : more) {
        const ClassDef& def = game.Classes[static_cast<size_t>(BitIndex(bit))];
        EXPECT_NE(def.AlignMask & 1, 0) << def.ClassTitle;
    }
}

TEST(Creation, AFinishedCharacterTakesTheFirstFreeSlot) {
    CharacterFixture f;
    f.Make(1, Fighter);
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        f.G().Rng.Seed(seed);
        f.G().Roster[2] = Creature{};
        NewCharacter priest;
        priest.Name = "ミア";
        priest.Race = Human;
        priest.Alignment = 1;
        priest.Sex = 2;
        priest.Class = Priest;
        priest.Stats = {10, 10, 15, 10, 10, 10, 10, 10};
        ASSERT_EQ(FinishCharacter(f.G(), priest), 2);
        const Creature& c = f.G().Roster[2];
        EXPECT_EQ(c.Id, 2);
        EXPECT_EQ(c.Level, 1);
        EXPECT_GE(c.Age, 13);
        EXPECT_LE(c.Age, 17);
        EXPECT_GE(c.Gold, 110);
        EXPECT_LE(c.Gold, 200);
        EXPECT_GT(c.MaxHP, 0);
        EXPECT_EQ(c.HP, c.MaxHP);
        EXPECT_EQ(c.Piety, 15);
        EXPECT_EQ(c.AC, c.BaseAC);
        // A priest always knows a first spell of its school, with 1..4 points.
        const int known =
            (c.Spell(1, 1, 1) != 0) + (c.Spell(1, 1, 2) != 0) + (c.Spell(1, 1, 3) != 0);
        EXPECT_GE(known, 1);
        EXPECT_GE(c.MaxMPAt(1, 1), 1);
        EXPECT_LE(c.MaxMPAt(1, 1), 4);
        EXPECT_EQ(c.MPAt(1, 1), c.MaxMPAt(1, 1));
    }
}

TEST(Training, MovingShiftsTheOnesBetweenAndRenumbers) {
    CharacterFixture f;
    for (int slot = 1; slot <= 6; ++slot) {
        f.Make(slot, Fighter).Name = "c" + std::to_string(slot);
    }
    MoveInRoster(f.G(), 5, 2);
    std::vector<std::string> names;
    for (int slot = 1; slot <= 6; ++slot) {
        names.push_back(f.G().Roster[static_cast<size_t>(slot)].Name);
        EXPECT_EQ(f.G().Roster[static_cast<size_t>(slot)].Id, slot);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"c1", "c5", "c2", "c3", "c4", "c6"}));
    MoveInRoster(f.G(), 2, 5);
    EXPECT_EQ(f.G().Roster[5].Name, "c5");
    EXPECT_EQ(f.G().Roster[2].Name, "c2");
}

TEST(Training, RenamingRefusesEmptyLongAndTakenNames) {
    CharacterFixture f;
    f.Make(1, Fighter).Name = "アリア";
    f.Make(2, Fighter).Name = "ベル";
    EXPECT_EQ(RenameCharacter(f.G(), 1, ""), RenameResult::Empty);
    EXPECT_EQ(RenameCharacter(f.G(), 1, "アリア"), RenameResult::NameInUse);  // its own too
    EXPECT_EQ(RenameCharacter(f.G(), 1, "ベル"), RenameResult::NameInUse);
    EXPECT_EQ(RenameCharacter(f.G(), 1, std::string(51, 'a')), RenameResult::TooLong);
    EXPECT_EQ(RenameCharacter(f.G(), 1, "カイ"), RenameResult::Renamed);
    EXPECT_EQ(f.G().Roster[1].Name, "カイ");
}

TEST(Training, AClassChangeStartsOverFromTheRace) {
    CharacterFixture f;
    Creature& c = f.Make(1, Priest);
    c.Sex = 2;
    c.Level = 9;
    c.Exp = 5000;
    c.Spell(1, 1, 1) = -1;
    c.Spell(1, 1, 2) = -1;
    c.Skills[5] = 1;
    c.Items[1] = InventorySlot{3, 1 | CursedEquipped, 1};
    ChangeClass(f.G(), 1, Fighter);
    EXPECT_EQ(c.Class, Fighter);
    EXPECT_EQ(c.Level, 1);
    EXPECT_EQ(c.Exp, 0);
    EXPECT_GE(c.Age, 21);
    // A woman of the human race starts from 8 8 6 8 9 8 8 7, then the fighter's minimums.
    const ClassDef& fighter = f.G().Classes[0];
    const StatLine start{8, 8, 6, 8, 9, 8, 8, 7};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(TableStat(c, k), std::max<int>(start[static_cast<size_t>(k)],
                                                 fighter.MinStat[static_cast<size_t>(k)]))
            << k;
    }
    // Spells known stay known and give their points; no skills; nothing worn.
    EXPECT_EQ(c.Spell(1, 1, 1), -1);
    EXPECT_EQ(c.MaxMPAt(1, 1), 2);
    EXPECT_EQ(c.MPAt(1, 1), 2);
    EXPECT_EQ(c.Skills[5], 0);
    EXPECT_EQ(c.Items[1].ItemFlags & (ItemPositionMask | CursedEquipped), 0);

    // Into a school: at least one first spell of it.
    for (uint64_t seed = 1; seed <= 10; ++seed) {
        Creature& a = f.Make(2, Fighter, Human, seed);
        ChangeClass(f.G(), 2, Alchemist);
        EXPECT_GE((a.Spell(2, 1, 1) != 0) + (a.Spell(2, 1, 2) != 0) + (a.Spell(2, 1, 3) != 0), 1);
        EXPECT_GE(a.MaxMPAt(2, 1), 1);
    }
}

}  // namespace
}  // namespace kv::testing
