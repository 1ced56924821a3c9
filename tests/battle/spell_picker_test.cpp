// The two spell pickers apart from their windows: the list walks school,
// level and spell and leaves out spells not cast in battle; the grid shows
// the known spells and moves over the hidden ones, wrapping in its columns
// and rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SpellFixture.h"
#include "battle/SpellInput.h"
#include "battle/SpellPicker.h"

namespace kv::testing {
namespace {

using Rows = std::vector<std::string>;

TEST(SpellPicker, TheListWalksSchoolLevelAndSpell) {
    SpellFixture f;
    // A Taosui caster who knows the fourth level-1 spell, and a camp-only
    // spell in the second slot.
    f.Spell(FreeRow, "TAO", 3, 1, 4, 7, 4, {0, 0, 1});
    f.Spell(FreeRow + 1, "CAMP", 3, 1, 2, 7, 4, {0, 0, 1}).SpellFlags = SpellInCamp;
    Creature& c = f.Aki();
    c.Spell(3, 1, 4) = c.Spell(3, 1, 2) = 1;
    SpellListPicker picker(f.G(), c, 1);
    picker.Open();
    EXPECT_EQ(picker.Rows(), (Rows{"W)Ｗｉｚａｒｄ", "C)Ｃｌｅｒｉｃ", "A)Ａｌｃｈｅｍｙｓｔ",
                                   "T)Ｔａｏｓｕｉ", "C)キャンセル"}));
    EXPECT_EQ(picker.Prompt(), "種類を選んでください");
    picker.Choose(3);
    ASSERT_EQ(picker.Rows().size(), 11u);
    EXPECT_EQ(picker.Rows()[8], "9)Ｌｅｖｅｌ　９");
    picker.Choose(1);  // level 2: nothing known there
    EXPECT_EQ(picker.Rows(), (Rows{"B)戻る", "C)キャンセル"}));
    picker.Choose(0);  // back to the levels
    picker.Choose(0);
    EXPECT_EQ(picker.Rows(), (Rows{"4)TAO", "B)戻る", "C)キャンセル"}))
        << "the camp spell is not listed in battle";
    picker.Choose(0);
    EXPECT_TRUE(picker.Done());
    EXPECT_EQ(picker.Chosen(), "TAO");

    picker.Open();
    picker.Choose(4);  // the school list's cancel
    EXPECT_TRUE(picker.Done());
    EXPECT_EQ(picker.Chosen(), "");
}

TEST(SpellPicker, TheGridMovesOverHiddenLabelsAndWraps) {
    SpellFixture f;
    // 108 spells in table order; the caster knows labels 1, 27, 28, 30, 82.
    Creature& c = f.Aki();
    c.Spells.fill(0);
    for (int k = 1; k <= 108; ++k) {
        const int school = (k - 1) / 36, level = (k - 1) % 36 / 4 + 1, slot = (k - 1) % 4 + 1;
        f.Spell(k, ("S" + std::to_string(k)).c_str(), school, level, slot, 2, 1, {0, 0, 1});
    }
    for (int k : {1, 27, 28, 30, 82}) {
        const SpellDef& s = f.G().Spells[static_cast<size_t>(k)];
        c.Spell(s.School, s.SpellLevel, s.Slot) = 1;
    }
    c.CommandArg = 28;  // chosen last
    SpellGrid grid = BuildSpellGrid(f.G(), c);
    EXPECT_EQ(grid.Current, 28);
    struct Move {
        GridMove Key;
        int From;
        int To;
    };
    const Move moves[] = {
        {GridMove::Up, 1, 27},      // the top of a column wraps to its bottom
        {GridMove::Down, 27, 1},    // and back
        {GridMove::Down, 28, 30},   // over the hidden 29
        {GridMove::Up, 28, 30},     // round the column the other way
        {GridMove::Right, 28, 82},  // over the hidden 55
        {GridMove::Right, 82, 1},   // the last column back to the first
        {GridMove::Left, 1, 82},    // and the first to the last
        {GridMove::Left, 27, 27},   // nothing else shown in its row
        {GridMove::Left, 28, 1},
    };
    for (const Move& m : moves) {
        grid.Current = m.From;
        EXPECT_EQ(MoveInSpellGrid(grid, m.Key), m.To) << m.From;
    }
    c.Spells.fill(0);
    EXPECT_EQ(BuildSpellGrid(f.G(), c).Current, -1) << "nothing to choose";
}

TEST(SpellPicker, ATypedNameFindsItsRowAndTarget) {
    SpellFixture f;
    SpellTarget target = SpellTarget::None;
    EXPECT_EQ(EnterSpellByName(f.G(), f.Aki(), "halito", target), "HALITO");
    EXPECT_EQ(f.Aki().CommandArg, FireRow);
    EXPECT_EQ(target, SpellTarget::MonsterGroup);
    EnterSpellByName(f.G(), f.Bob(), "Dios", target);
    EXPECT_EQ(target, SpellTarget::Member);
    EnterSpellByName(f.G(), f.Bob(), "NOSUCH", target);
    EXPECT_EQ(f.Bob().CommandArg, 0) << "an unknown name fails the cast";
    f.Spell(FreeRow, "LATUMOFIS", 1, 2, 1, 43, 4, {0, 0, 0});
    f.Bob().Skills[193] = 1;
    EnterSpellByName(f.G(), f.Bob(), "latumofis", target);
    EXPECT_EQ(target, SpellTarget::None) << "a cure for the whole party needs no target";
}

}  // namespace
}  // namespace kv::testing
