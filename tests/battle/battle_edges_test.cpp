// The battle's edges: a summon's spell turned on the monsters, the
// sacrifice shown on the screen, summons that die unbooked, a round that
// must end, an item gone before its turn, spells no member can know, and
// the special attacks that read the wrong group or the wrong hit points.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "battle/MonsterActions.h"
#include "battle/MonsterSpell.h"
#include "battle/SpellFixture.h"
#include "battle/SpellInput.h"

namespace kv::testing {
namespace {

// Aki (slot 1) and Bob (slot 2, 5 of 40 hit points) against three ogres of
// 30 hit points in group 1, with a golem in summon slot 1.
struct Edges : ::testing::Test {
    SpellFixture f;
    Creature* golem = nullptr;

    void SetUp() override {
        BattleState& b = f.G().Battle;
        b.Summons[0] = BattleFixture::Monster(OgreId, "ゴーレム", 0, 0);
        b.Summons[1] = b.Summons[0];
        golem = &b.Summons[1];
        golem->HP = golem->MaxHP = 20;
        b.ActingGroup = 1;
    }
    int Count(std::string_view text) const {
        const auto messages = f.Player.Messages();
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](const auto& m) {
            return m.find(text) != std::string::npos;
        }));
    }
    void Special(Creature& actor, int row, int summon = 0) {
        RunSpecialAttack(f.G(), f.Player, ActionAim{&actor, summon}, row);
    }
};

TEST_F(Edges, ASummonsSpellWorksForTheParty) {
    struct Case {
        int Effect;
        int TargetKind;
        std::function<bool(SpellFixture&)> Done;
    };
    const Case cases[] = {
        // One ogre takes the fire, less the monsters' shield; the party is not touched.
        {2, 1, [](SpellFixture& s) { return s.Ogre(1).HP == 24 && s.Aki().HP == 40; }},
        {15, 2, [](SpellFixture& s) { return (s.Ogre(3).Status & StatusSleep) != 0; }},
        {52, 5, [](SpellFixture& s) { return s.Bob().HP == 15 && s.Ogre(1).HP == 30; }},
        {46, 5, [](SpellFixture& s) { return s.G().Battle.PartyMagicShield == 1; }},
        {48, 5, [](SpellFixture& s) { return s.G().Battle.MonsterMagicShield == 0; }},
    };
    for (const Case& c : cases) {
        SpellFixture s;
        s.Spell(FreeRow, "SPELL", 0, 1, 1, c.Effect, c.TargetKind, {0, 0, 10}).SpellAttribute = 4;
        s.G().Battle.MonsterMagicShield = 2;
        Creature& summon = s.G().Battle.Summons[1];
        summon = BattleFixture::Monster(OgreId, "ゴーレム", 0, 0);
        CastMonsterSpell(s.G(), s.Player, summon, FreeRow);
        EXPECT_TRUE(c.Done(s)) << "effect " << c.Effect;
        EXPECT_TRUE(s.Player.Saw("ゴーレムは\nＳＰＥＬＬの呪文を唱えた")) << c.Effect;
    }
}

TEST_F(Edges, TheSacrificeDarkensTheScreenWhileItLasts) {
    f.G().MonsterActions[117].ActionKind = 3;
    f.Ogre(1).Actions.fill(117);
    RunMonsterAction(f.G(), f.Player, f.Ogre(1), &f.Display);
    EXPECT_EQ(f.Display.Sacrifice, (std::vector<bool>{true, false}));
    EXPECT_NE(f.Aki().Status & StatusDead, 0);
    EXPECT_NE(f.Ogre(1).Status & StatusDead, 0);
    EXPECT_EQ(f.G().Battle.KillCount, 0) << "its own death is not booked";
}

TEST_F(Edges, ASummonDiesUnbooked) {
    const int32_t kills = f.G().MonsterKillCount[OgreId];
    ApplyAttributeDamage(f.G(), f.Player, "", 25, f.Ogre(1), *golem, 1, 0, 0, false);
    EXPECT_NE(golem->Status & StatusDead, 0);
    EXPECT_EQ(f.G().Battle.GoldPool + f.G().Battle.ExpPool + f.G().Battle.KillCount, 0);
    EXPECT_EQ(f.G().MonsterKillCount[OgreId], kills);
}

TEST_F(Edges, TwoMonstersReArmEachOtherOnceARound) {
    f.G().MonsterActions[269].ActionKind = 3;
    f.G().MonsterActions[269].Message = "は踊った";
    for (int m = 1; m <= 2; ++m) f.Ogre(m).Actions.fill(269);
    f.Ogre(3).Status = StatusDead;
    *golem = Creature{};
    for (int m = 1; m <= 2; ++m) f.Ogre(m).Initiative = 0;
    f.Aki().Initiative = f.Bob().Initiative = 0;
    f.Ogre(1).Initiative = 5;
    RunRound(f.G(), f.Player, f.Display);
    EXPECT_EQ(Count("は踊った"), 3) << "ogre 1, ogre 2 re-armed, ogre 1 re-armed once";
}

TEST_F(Edges, AnItemGoneFromItsSlotIsNotUsed) {
    constexpr int WandId = 30;
    ItemDef& wand = f.G().Items[WandId];
    wand.Id = WandId;
    wand.SpellNo = FireRow;
    wand.UseBreakChance = 101;
    Creature& bob = f.Bob();
    bob.Items[2] = {WandId, 0, 1};
    ChooseItemForCommand(f.G(), bob, 2);
    bob.Items[2] = {SwordId, 0, 1};  // a theft shifted the list
    bob.Command = CommandItem;
    bob.TargetGroup = 1;
    RunPartyAction(f.G(), f.Player, bob);
    EXPECT_TRUE(f.Player.Saw("ボブは\nしかし何もおこらなかった"));
    EXPECT_EQ(bob.Items[2].ItemId, SwordId);
    EXPECT_EQ(f.Ogre(1).HP, 30);
}

TEST_F(Edges, OnlyThePartysSchoolsAreKnownAndSilenceTakesNoPointUnknown) {
    f.Spell(FreeRow, "BREATH", 4, 1, 1, 2, 1, {0, 0, 10});
    f.Aki().Spell(4, 1, 1) = 1;
    f.Aki().MPAt(4, 1) = 1;
    f.Cast(f.Aki(), FreeRow, 1);
    EXPECT_TRUE(f.Player.Saw("アキには\nＢＲＥＡＴＨを唱える魔力がなかった"));
    EXPECT_EQ(f.Ogre(1).HP, 30);
    // Silenced, Bob casts a spell he does not know: his point stays.
    f.Bob().Status = StatusSilence;
    f.Bob().MPAt(0, 1) = 1;
    f.Cast(f.Bob(), FireRow, 1);
    EXPECT_EQ(f.Bob().MPAt(0, 1), 1);
}

TEST_F(Edges, HostilityTurnsOnlyBlowsAtTheActingGroup) {
    f.Ogre(1).PartyPos = 7;  // before the first rebuild
    f.Aki().Command = CommandFight;
    f.Aki().TargetGroup = 2;
    f.Bob().Sex = 1;
    f.Bob().Command = CommandSpell;
    f.Bob().CommandArg = HealRow;
    f.Bob().TargetGroup = 2;  // his own roster slot
    Special(f.Ogre(1), 157);
    EXPECT_EQ(f.Aki().TargetGroup, 1);
    EXPECT_EQ(f.Bob().TargetGroup, 2);
}

TEST_F(Edges, SummonedGroupTakesAFreshRowAndItsTemplateStaysDead) {
    Game& g = f.G();
    for (int x = 7; x <= 12; ++x) g.MonsterAttributeTable[static_cast<size_t>(x + 74)] = SlimeId;
    g.Monsters[SlimeId].GroupDice = {0, 0, 12};
    g.Battle.GroupAreaEffects[2][4].Rounds = 3;
    SummonGroup(g, f.Player, f.Ogre(1), 91);
    EXPECT_EQ(g.Battle.GroupCount, 2);
    EXPECT_EQ(g.Battle.Rows[2], 2);
    EXPECT_EQ(g.Battle.GroupAreaEffects[2][4].Rounds, 0);
    EXPECT_NE(g.Battle.Monster(2, 0).Status & StatusDead, 0);
    EXPECT_GT(g.Battle.Monster(2, 9).HP, 0) << "twelve are cut to nine";
    EXPECT_TRUE(f.Player.Saw("が９体あらわれた"));
}

TEST_F(Edges, RandomGroupsComeFromTheListsRows) {
    BattleState& b = f.G().Battle;
    b.GroupCount = 2;
    b.Rows = {0, 3, 4, 0, 0};
    bool seen[5] = {};
    for (int k = 0; k < 40; ++k) seen[RandomRowGroup(f.G())] = true;
    EXPECT_TRUE(seen[3] && seen[4]);
    EXPECT_FALSE(seen[0] || seen[1] || seen[2]);
}

TEST_F(Edges, MonsterRulesAtTheirEdges) {
    Creature& ogre = f.Ogre(1);
    // A wasting monster dies of it unbooked.
    ogre.Regen = -30;
    ogre.Actions.fill(0);
    RunMonsterAction(f.G(), f.Player, ogre);
    EXPECT_NE(ogre.Status & StatusDead, 0);
    EXPECT_EQ(f.G().Battle.KillCount, 0);
    // Alternative life heals by what Bob really lost: his 5 of a 9 roll.
    Creature& second = f.Ogre(2);
    second.DamageDice = {0, 0, 9};
    second.MaxHP = 50;
    f.Aki().Status = StatusDead;
    Special(second, 141);
    EXPECT_EQ(second.HP, 35);
    // The force field doubles the dice count up to a bound.
    second.DamageDice[0] = 20000;
    Special(second, 121);
    EXPECT_EQ(second.DamageDice[0], 32767);
    // Self-destruct credits the member it blew up, whoever was current.
    f.G().CurrentChar = 0;
    f.Bob().Status = 0;
    f.Bob().HP = 40;
    const int32_t marks = f.Bob().Marks;
    Special(second, 34);
    EXPECT_EQ(f.Bob().Marks, marks + 1);
    // Venom pain reads the monster's own 30 hit points, less 2..4.
    f.Bob().Status = StatusPoison;
    f.Bob().HP = 40;
    f.Ogre(3).HP = 30;
    Special(f.Ogre(3), 170);
    EXPECT_GE(f.Bob().HP, 12);
    EXPECT_LE(f.Bob().HP, 14);
    // A conditions row aimed at draws draws its number too.
    MonsterActionDef row;
    row.ActionKind = 2;
    row.TargetType = TargetDraws;
    row.CountDice = {0, 0, 1};
    row.ConditionChance[15] = 100;
    f.Bob().Status = 0;
    RunDataAction(f.G(), f.Player, ActionAim{&f.Ogre(3)}, row);
    EXPECT_NE(f.Bob().Status & StatusSleep, 0);
}

}  // namespace
}  // namespace kv::testing
