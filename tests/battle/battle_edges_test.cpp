// The battle's edges: a summon's spell, a round that must end, the sacrifice
// on screen, an item gone, spells nobody knows, special attacks' wrong reads.
#include <gtest/gtest.h>

#include "battle/MonsterActions.h"
#include "battle/MonsterSpell.h"
#include "battle/SpellFixture.h"
#include "battle/SpellInput.h"

namespace kv::testing {
namespace {

// Aki and Bob (5 of 40 hit points) against three ogres of 30 in group 1.
struct Edges : ::testing::Test {
    SpellFixture f;
    void SetUp() override { f.G().Battle.ActingGroup = 1; }
    void Special(Creature& actor, int row) {
        RunSpecialAttack(f.G(), f.Player, ActionAim{&actor}, row);
    }
};

TEST_F(Edges, ASummonsSpellWorksForTheParty) {
    const std::pair<int, bool (*)(SpellFixture&)> cases[] = {
        // One ogre takes the fire less the monsters' two shields; the party nothing.
        {2, [](SpellFixture& s) { return s.Ogre(1).HP == 24 && s.Aki().HP == 40; }},
        {15, [](SpellFixture& s) { return (s.Ogre(3).Status & StatusSleep) != 0; }},
        {52, [](SpellFixture& s) { return s.Bob().HP == 15 && s.Ogre(1).HP == 30; }},
    };
    for (const auto& [effect, done] : cases) {
        SpellFixture s;
        s.Spell(FreeRow, "SPELL", 0, 1, 1, effect, 2, {0, 0, 10}).SpellAttribute = 4;
        s.G().Battle.MonsterMagicShield = 2;
        Creature& summon = s.G().Battle.Summons[1];
        summon = BattleFixture::Monster(OgreId, "ゴーレム", 0, 0);
        summon.HP = 20;
        CastMonsterSpell(s.G(), s.Player, summon, FreeRow);
        EXPECT_TRUE(done(s)) << "effect " << effect;
        ApplyAttributeDamage(s.G(), s.Player, "", 25, s.Ogre(1), summon, 1, 0, 0, false);
        EXPECT_EQ(s.G().Battle.KillCount + s.G().MonsterKillCount[OgreId], 0) << "a summon died";
    }
}

TEST_F(Edges, ARoundEndsAndTheSacrificeDarkensTheScreen) {
    f.G().MonsterActions[117].ActionKind = f.G().MonsterActions[269].ActionKind = 3;
    // Two ogres re-arming each other: one extra turn each, then the round ends.
    for (int m = 1; m <= 2; ++m) f.Ogre(m).Actions.fill(269);
    f.Ogre(3).Status = StatusDead;
    f.Ogre(2).Initiative = f.Aki().Initiative = f.Bob().Initiative = 0;
    f.Ogre(1).Initiative = 5;
    RunRound(f.G(), f.Player, f.Display);
    EXPECT_EQ(f.Player.Messages().size(), 3u);
    f.Ogre(1).Actions.fill(117);
    RunMonsterAction(f.G(), f.Player, f.Ogre(1), &f.Display);
    EXPECT_EQ(f.Display.Sacrifice, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.G().Battle.KillCount, 0) << "its own death is not booked";
}

TEST_F(Edges, ItemsAndSpellsAMemberNoLongerHas) {
    ItemDef& wand = f.G().Items[30];
    wand.Id = 30;
    wand.SpellNo = FireRow;
    f.Bob().Items[2] = {30, 0, 1};
    ChooseItemForCommand(f.G(), f.Bob(), 2);
    f.Bob().Items[2] = {SwordId, 0, 1};  // a theft shifted the list
    f.Cast(f.Bob(), FireRow, 1, CommandItem);
    EXPECT_TRUE(f.Player.Saw("ボブは\nしかし何もおこらなかった"));
    f.Spell(FreeRow, "BREATH", 4, 1, 1, 2, 1, {0, 0, 10});
    f.Aki().Spell(4, 1, 1) = f.Aki().MPAt(4, 1) = 1;
    f.Cast(f.Aki(), FreeRow, 1);
    EXPECT_TRUE(f.Player.Saw("アキには\nＢＲＥＡＴＨを唱える魔力がなかった"));
    // Silenced, Bob casts a spell he does not know: his point stays.
    f.Bob().Status = StatusSilence;
    f.Bob().MPAt(0, 1) = 1;
    f.Cast(f.Bob(), FireRow, 1);
    EXPECT_EQ(f.Bob().MPAt(0, 1), 1);
}

TEST_F(Edges, SpecialAttacksAndSummoningAtTheirEdges) {
    Game& g = f.G();
    // Hostility turns a blow at the acting group, never a heal's member.
    f.Ogre(1).PartyPos = 7;
    f.Aki().Command = CommandFight;
    f.Bob().Command = CommandSpell;
    f.Bob().CommandArg = HealRow;
    f.Aki().TargetGroup = f.Bob().TargetGroup = 2;
    Special(f.Ogre(1), 157);
    EXPECT_EQ(f.Aki().TargetGroup * 10 + f.Bob().TargetGroup, 12);
    // Alternative life heals by what Bob really lost: 5 of a 9 roll.
    Creature& ogre = f.Ogre(2);
    ogre.DamageDice = {0, 0, 9};
    ogre.MaxHP = 50;
    f.Aki().Status = StatusDead;
    Special(ogre, 141);
    EXPECT_EQ(ogre.HP, 35);
    // Self-destruct credits the member it blew up, whoever was current.
    g.CurrentChar = 0;
    f.Bob().Status = 0;
    const int32_t marks = f.Bob().Marks;
    Special(ogre, 34);
    EXPECT_EQ(f.Bob().Marks, marks + 1);
    // Twelve summoned are cut to nine, in a group of its own row.
    for (int x = 81; x <= 86; ++x) g.MonsterAttributeTable[static_cast<size_t>(x)] = SlimeId;
    g.Monsters[SlimeId].GroupDice = {0, 0, 12};
    g.Battle.GroupAreaEffects[2][4].Rounds = 3;
    SummonGroup(g, f.Player, f.Ogre(1), 91);
    EXPECT_EQ(g.Battle.Rows[2], 2);
    EXPECT_EQ(g.Battle.GroupAreaEffects[2][4].Rounds, 0);
    EXPECT_NE(g.Battle.Monster(2, 0).Status & StatusDead, 0);
    EXPECT_TRUE(f.Player.Saw("が９体あらわれた"));
}

}  // namespace
}  // namespace kv::testing
