// The shared attack rules: resistance, stat bonus, to-hit, damage,
// critical kills and condition attacks by side.
#include <gtest/gtest.h>

#include "BattleFixture.h"

namespace kv::testing {
namespace {

TEST(AttackRules, StatBonusAndResistRoll) {
    struct Bonus {
        int Value, Expected;
    };
    for (const Bonus& b :
         {Bonus{3, 0}, {12, 0}, {13, 1}, {15, 1}, {16, 2}, {17, 2}, {18, 3}, {25, 10}})
        EXPECT_EQ(StatBonus(b.Value), b.Expected) << b.Value;

    struct Resist {
        int First, Second, Expected;
    };
    Game game;
    // Absorption outranks reflection, in either value; 101 always resists.
    for (const Resist& r : {Resist{255, 200, Absorbed},
                            {200, 0, Absorbed},
                            {0, 255, Reflected},
                            {101, 0, ResistedFirst},
                            {0, 101, ResistedSecond},
                            {0, 0, NotResisted}})
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(ResistRoll(game, r.First, r.Second), r.Expected)
                << r.First << "/" << r.Second;
}

TEST(AttackRules, HitRollOutcomes) {
    BattleFixture f;
    Creature& a = *f.G().Member(1);
    Creature m = BattleFixture::Monster(9, "的", 1, 0);
    struct Case {
        int32_t AttackerStatus, DefenderStatus, DefenderAC;
        bool Steady;  // skill 33: the fumbles become sure hits
        unsigned Allowed;
    };
    const Case cases[] = {
        {StatusHidden, 0, 0, false, SureHit},
        {0, StatusHidden, 0, false, Miss},
        {0, 0, -200, false, Miss | Fumble | SureHit},  // out of reach but for a 100
        {0, 0, 200, false, Hit | Fumble | SureHit},    // every roll above the fumbles hits
        {0, 0, 200, true, Hit | SureHit},
    };
    for (const Case& c : cases) {
        a.Status = c.AttackerStatus;
        a.Skills[33] = c.Steady ? 1 : 0;
        m.Status = c.DefenderStatus;
        m.BaseAC = c.DefenderAC;
        unsigned seen = 0;
        for (int i = 0; i < 400; ++i) seen |= HitRoll(f.G(), a, m, nullptr);
        EXPECT_EQ(seen, c.Allowed) << c.AttackerStatus << " " << c.DefenderAC;
    }
}

TEST(AttackRules, DamageMultipliers) {
    BattleFixture f;
    Creature ogre = BattleFixture::Monster(OgreId, "オーガ", 1, 10);
    ogre.DamageDice = {0, 0, 10};
    ogre.AttackCount = 2;
    ogre.Skills[127] = 1;  // every blow lands: 2 × 10
    Creature& hero = *f.G().Member(1);
    struct Case {
        const char* Name;
        void (*Set)(Game&, Creature& attacker, Creature& defender);
        int Expected;
    };
    const Case cases[] = {
        {"plain", [](Game&, Creature&, Creature&) {}, 20},
        {"asleep", [](Game&, Creature&, Creature& d) { d.Status |= StatusSleep; }, 40},
        {"rate", [](Game&, Creature&, Creature& d) { d.DamageRate[1] = 50; }, 10},
        {"berserk", [](Game&, Creature& a, Creature&) { a.Skills[96] = 1; }, 30},
        {"halved", [](Game&, Creature&, Creature& d) { d.Status |= StatusHalfDamage; }, 10},
        {"poisoned", [](Game&, Creature& a, Creature&) { a.Status |= StatusPoison; }, 10},
        {"shield", [](Game& g, Creature&, Creature&) { g.PartyBlessings = 128; }, 18},
        {"party ward", [](Game& g, Creature&, Creature&) { g.Member(2)->Skills[234] = 1; }, 16},
        {"sturdy",
         [](Game&, Creature& a, Creature& d) {
             d.Skills[32] = 1;
             a.Vitality = 25;
         },
         15},
    };
    for (const Case& c : cases) {
        Creature a = ogre;
        Creature d = hero;
        BattleFixture fresh;
        c.Set(fresh.G(), a, d);
        int hits = 0;
        EXPECT_EQ(WeaponDamage(fresh.G(), a, d, nullptr, hits), c.Expected) << c.Name;
        EXPECT_EQ(hits, 2) << c.Name;
    }

    // A character's weapon: at least MinHits blows of the dice plus the
    // strength bonus; slaying doubles, the monster's weapon rate scales.
    ItemDef blade = f.G().Items[SwordId];
    blade.WeaponDice = {0, 0, 3};
    blade.MinHits = 3;
    blade.GrantFlags2 = 64;
    hero.Str = 18;
    hero.AttackCount = 1;
    hero.Skills[127] = 1;
    struct WeaponCase {
        int32_t Kind;
        int Rate, Expected;
    };
    for (const WeaponCase& w : {WeaponCase{0, 100, 18}, {64, 100, 36}, {64, 50, 18}, {0, 0, 0}}) {
        Creature target = ogre;
        target.Class = w.Kind;
        target.WeaponRate[1] = static_cast<uint8_t>(w.Rate);
        int hits = 0;
        EXPECT_EQ(WeaponDamage(f.G(), hero, target, &blade, hits), w.Expected)
            << w.Kind << "/" << w.Rate;
        EXPECT_EQ(hits, 3);
    }
}

// A blow that lands for sure on a monster with a lethal weapon.
struct CriticalCase {
    int ResistCritical;
    bool Beheads;  // skill 13 with nothing worn and skill 84
    bool Killed;
    const char* Text;
    int OgreHP = 500;  // 1: the blow itself kills, and the critical still counts
};

TEST(AttackRules, CriticalKills) {
    const CriticalCase cases[] = {
        {0, false, true, "は\n致命傷をうけた"},
        {101, false, false, ""},
        {0, true, true, "は\nくびをはねられた！"},
        {0, false, true, "は\n致命傷をうけた", 1},
    };
    for (const CriticalCase& c : cases) {
        BattleFixture f;
        StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
        Creature& hero = *f.G().Member(1);
        hero.Status = StatusHidden;
        ItemDef& sword = f.G().Items[SwordId];
        sword.WeaponDice = {0, 0, 1};
        if (c.Beheads) {
            hero.Skills[13] = hero.Skills[84] = 1;
            hero.Items[1].ItemFlags = 0;  // nothing worn: the threshold is 100
            for (int i = 0; i < 50 && hero.Criticals == 0; ++i) {
                Creature ogre = f.G().Battle.Monster(1, 1);
                ogre.HP = ogre.MaxHP = 500;
                PhysicalAttack(f.G(), f.Player, hero, ogre, 1);
                hero.Status = StatusHidden;
            }
            EXPECT_TRUE(f.Player.Saw(c.Text));
            continue;
        }
        sword.ExtraChance[31] = 101;
        Creature& ogre = f.G().Battle.Monster(1, 1);
        ogre.HP = ogre.MaxHP = c.OgreHP;
        ogre.Resist[31] = static_cast<uint8_t>(c.ResistCritical);
        PhysicalAttack(f.G(), f.Player, hero, ogre, 1);
        EXPECT_EQ((ogre.Status & StatusDead) != 0, c.Killed);
        EXPECT_EQ(hero.Criticals, c.Killed ? 1 : 0);
        if (c.Killed) {
            EXPECT_TRUE(f.Player.Saw(c.Text));
            EXPECT_EQ(f.G().Battle.KillCount, 1);
            EXPECT_EQ(f.G().MonsterKillCount[OgreId], 1);
        }
    }
}

TEST(AttackRules, AMonsterBlowThatKillsStillDrainsAndBeheads) {
    BattleFixture f;
    StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
    Creature& hero = *f.G().Member(1);
    Creature& ogre = f.G().Battle.Monster(1, 1);
    hero.HP = 1;
    ogre.Status = StatusHidden;  // a sure hit
    ogre.AttackEffects[30] = ogre.AttackEffects[31] = 101;
    PhysicalAttack(f.G(), f.Player, ogre, hero, 0);
    EXPECT_TRUE(f.Player.Saw("は\nレベルを１下げられた！"));
    EXPECT_TRUE(f.Player.Saw("は\nくびをはねられた！"));
}

// Condition attacks come from a monster's attack effects and from a
// character's weapon; each side's own source only.
TEST(AttackRules, ConditionInflictionBySide) {
    struct Case {
        bool MonsterStrikes;
        int Kind;
        int32_t DefenderStatus;
        int32_t Bit;  // the bit expected on the defender, 0 for none
        const char* Text;
    };
    const Case cases[] = {
        {true, 22, 0, StatusPoison, "は\n毒に犯された"},
        {true, 16, 0, StatusParalysis, "は\n麻痺した"},
        {true, 29, StatusConditionWard, 0, ""},
        {false, 15, 0, StatusSleep, "は\n眠らされた"},
        {false, 21, 0, StatusCharm, "は\n魅了された"},
        {false, 22, 0, 0, ""},  // weapons carry no poison attack
    };
    for (const Case& c : cases) {
        BattleFixture f;
        StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
        Creature& hero = *f.G().Member(1);
        Creature& ogre = f.G().Battle.Monster(1, 1);
        ogre.HP = ogre.MaxHP = hero.HP = hero.MaxHP = 10000;
        ogre.Luck = hero.Luck = 0;  // nobody dodges
        Creature& attacker = c.MonsterStrikes ? ogre : hero;
        Creature& defender = c.MonsterStrikes ? hero : ogre;
        attacker.Status = StatusHidden;  // a sure hit
        defender.Status = c.DefenderStatus;
        ogre.AttackEffects[static_cast<size_t>(c.Kind)] = 255;
        f.G().Items[SwordId].ExtraChance[static_cast<size_t>(c.Kind)] = 101;
        f.Player.Clear();
        PhysicalAttack(f.G(), f.Player, attacker, defender, 1);
        EXPECT_EQ(defender.Status & ~(StatusConditionWard | StatusHidden), c.Bit) << c.Kind;
        if (c.Bit != 0) {
            // The condition follows the hit message on the same line.
            EXPECT_TRUE(f.Player.Saw("のダメージ" + defender.Name + c.Text)) << c.Kind;
        }
    }
}

TEST(AttackRules, AttributeDamageResults) {
    struct Case {
        int Resist, Expected;
        int TargetHP, AttackerHP;
    };
    for (const Case& c : {Case{0, NotResisted, 70, 100},
                          {101, ResistedFirst, 100, 100},
                          {200, Absorbed, 100, 100},
                          {255, Reflected, 100, 70}}) {
        BattleFixture f;
        Creature& caster = *f.G().Member(1);
        Creature target = BattleFixture::Monster(OgreId, "オーガ", 1, 0);
        target.HP = 100;
        target.MaxHP = 200;
        caster.HP = caster.MaxHP = 100;
        target.Resist[4] = static_cast<uint8_t>(c.Resist);
        EXPECT_EQ(ApplyAttributeDamage(f.G(), f.Player, "炎", 30, caster, target, 4, 0, 0, false),
                  c.Expected);
        EXPECT_EQ(target.HP, c.Resist == 200 ? 130 : c.TargetHP);
        EXPECT_EQ(caster.HP, c.AttackerHP);
    }
}

}  // namespace
}  // namespace kv::testing
