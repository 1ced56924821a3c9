// The spell engine: the casting checks at their edges, the damage formula,
// the break chance of an item, the effect codes that matter, items and
// songs, and a monster's spell at the party.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SpellFixture.h"
#include "battle/MonsterSpell.h"
#include "battle/SpellInput.h"

namespace kv::testing {
namespace {

TEST(SpellEngine, CastingChecksAtTheirEdges) {
    struct Case {
        const char* What;
        std::function<void(SpellFixture&)> Setup;
        int Row;
        std::string Shown;
        int PointsAfter;
    };
    const Case cases[] = {
        {"no spell chosen", [](SpellFixture&) {}, 0, "アキは呪文に失敗した", 1},
        {"not for battle", [](SpellFixture& f) { f.G().Spells[FireRow].SpellFlags = SpellInCamp; },
         FireRow, "アキは\nＨＡＬＩＴＯの呪文を唱えた\nしかし何もおこらなかった", 1},
        {"silenced, the point is lost", [](SpellFixture& f) { f.Aki().Status = StatusSilence; },
         FireRow, "ＨＡＬＩＴＯの呪文を唱えた\nしかし呪文は音にならなかった", 0},
        {"silenced but casting silently",
         [](SpellFixture& f) {
             f.Aki().Status = StatusSilence;
             f.Aki().Skills[207] = 1;
         },
         FireRow, "１０のダメージをうけた", 0},
        {"a spell he does not know", [](SpellFixture& f) { f.Aki().Spell(0, 1, 1) = 0; }, FireRow,
         "アキには\nＨＡＬＩＴＯを唱える魔力がなかった", 1},
        {"no point left", [](SpellFixture& f) { f.Aki().MPAt(0, 1) = 0; }, FireRow,
         "アキには\nＨＡＬＩＴＯを唱える魔力がなかった", 0},
        {"exactly one point: enough", [](SpellFixture&) {}, FireRow, "１０のダメージをうけた", 0},
        // A sparing caster keeps the point only on 1d(Piety) >= 10.
        {"sparing with Piety 9 still pays",
         [](SpellFixture& f) {
             f.Aki().Skills[27] = 1;
             f.Aki().Piety = 9;
         },
         FireRow, "１０のダメージをうけた", 0},
    };
    for (const Case& c : cases) {
        SpellFixture f;
        c.Setup(f);
        f.Cast(f.Aki(), c.Row, 1);
        EXPECT_TRUE(f.Player.Saw(c.Shown))
            << c.What << ": " << ::testing::PrintToString(f.Player.Messages());
        EXPECT_EQ(f.Aki().MPAt(0, 1), c.PointsAfter) << c.What;
        EXPECT_EQ(f.Aki().Command, 0) << c.What;
    }
}

TEST(SpellEngine, DamageFormula) {
    struct Case {
        int Add;
        int Shield;
        int Attribute;
        std::vector<int> CasterSkills;
        int TargetIQ;  // with spell damping; 0 without
        int Expected;
    };
    const Case cases[] = {
        {10, 0, 4, {}, 0, 10},
        {10, 1, 4, {}, 0, 8},
        {7, 1, 4, {}, 0, 5},  // 5.6: the fraction is dropped
        {10, 3, 4, {}, 0, 4},
        {10, 0, 4, {267, 273, 279, 285}, 0, 55},
        {10, 0, 5, {267, 273, 279, 286}, 0, 30},  // fire mastery leaves water alone
        {10, 0, 9, {270, 276, 282}, 0, 45},
        {15, 0, 4, {}, 30, 10},  // 70 % of 15 = 10.5, halves to even
        {15, 0, 4, {}, 150, 0},  // wits past 100 leave nothing
    };
    for (const Case& c : cases) {
        SpellFixture f;
        SpellDef spell = f.G().Spells[FireRow];
        spell.SpellDice = {0, 0, static_cast<int16_t>(c.Add)};
        spell.SpellAttribute = static_cast<uint8_t>(c.Attribute);
        for (int s : c.CasterSkills) f.Aki().Skills[static_cast<size_t>(s)] = 1;
        Creature target = f.Ogre(1);
        if (c.TargetIQ > 0) {
            target.Skills[20] = 1;
            target.IQ = static_cast<uint8_t>(c.TargetIQ);
        }
        EXPECT_EQ(SpellDamage(f.G(), f.Aki(), target, spell, c.Shield), c.Expected)
            << c.Add << " shield " << c.Shield << " attribute " << c.Attribute;
    }
}

TEST(SpellEngine, AnItemBreaksBelowItsChanceOnly) {
    SpellFixture f;
    int broke1 = 0, broke100 = 0, broke101 = 0, brokeWithBonus = 0;
    for (int i = 0; i < 300; ++i) {
        broke1 += ItemBreaks(f.G(), 1);      // a roll of 1 equals it: no break
        broke100 += ItemBreaks(f.G(), 100);  // only a roll of 100 spares it
        broke101 += ItemBreaks(f.G(), 101);
        brokeWithBonus += ItemBreaks(f.G(), 100, 100);  // a virtuoso's roll is 101 or more
    }
    EXPECT_EQ(broke1, 0);
    EXPECT_GT(broke100, 270);
    EXPECT_LT(broke100, 300);
    EXPECT_EQ(broke101, 300);
    EXPECT_EQ(brokeWithBonus, 0);
}

TEST(SpellEngine, EffectCodes) {
    struct Case {
        const char* What;
        int Effect;
        int TargetKind;
        std::function<void(SpellFixture&)> Setup;
        int Target;  // 1 the ogres; 0 Bob's roster slot
        std::string Shown;
        std::function<bool(SpellFixture&)> Holds;
    };
    const auto every = [](SpellFixture& f, auto pred) {
        for (int m = 1; m <= 3; ++m)
            if (!pred(f.Ogre(m))) return false;
        return true;
    };
    const Case cases[] = {
        {"sleep on the group", 15, 2, [](SpellFixture&) {}, 1, "眠らされた",
         [&](SpellFixture& f) {
             return every(f, [](Creature& m) { return (m.Status & StatusSleep) != 0; });
         }},
        {"a magic resistance of 1 never resists (a roll of 1 equals it)", 50, 1,
         [](SpellFixture& f) {
             for (int m = 0; m <= 3; ++m) f.Ogre(m).Resist[2] = 1;
             f.Aki().HP = 1;
         },
         1, "１０のダメージをうけた",
         [](SpellFixture& f) { return f.Ogre(1).HP == 20 && f.Aki().HP == 11; }},
        {"near death", 63, 2, [](SpellFixture&) {}, 1, "瀕死状態におちいった",
         [&](SpellFixture& f) { return every(f, [](Creature& m) { return m.HP == 1; }); }},
        {"luck 5 falls to 0", 78, 2,
         [](SpellFixture& f) {
             for (int m = 1; m <= 3; ++m) f.Ogre(m).Luck = 5;
         },
         1, "運が下がった",
         [&](SpellFixture& f) { return every(f, [](Creature& m) { return m.Luck == 0; }); }},
        {"identify", 11, 2, [](SpellFixture& f) { f.Ogre(0).Identified = 0; }, 1, "",
         [](SpellFixture& f) {
             return f.Ogre(0).Identified == -1 && (f.G().PartyEffects & PartyEffectIdentify) != 0;
         }},
        {"heal Bob", 7, 4, [](SpellFixture&) {}, 0, "ボブは\n１０ポイント回復した",
         [](SpellFixture& f) { return f.Bob().HP == 15; }},
        {"an immune Bob is not healed", 7, 4, [](SpellFixture& f) { f.Bob().Race = 256; }, 0,
         "ボブは\n呪文を無効化した", [](SpellFixture& f) { return f.Bob().HP == 5; }},
        {"a raise with Vitality 5 always leaves ashes", 1, 4,
         [](SpellFixture& f) {
             f.Bob().Status = StatusDead;
             f.Bob().Vitality = 5;
         },
         0, "ボブは\n灰燼と化した！！",
         [](SpellFixture& f) { return f.Bob().Status == StatusAshes; }},
        {"a full revival keeps the mark", 9, 4,
         [](SpellFixture& f) {
             f.Bob().Status = StatusDead | StatusPoison | 524288;
             f.Bob().Vitality = 255;
             f.G().Rng.Seed(3);
         },
         0, "ボブは\n生き返った",
         [](SpellFixture& f) { return f.Bob().Status == 524288 && f.Bob().HP == f.Bob().MaxHP; }},
        {"a ward on the chosen member", 61, 4, [](SpellFixture&) {}, 0, "ボブは\n守られた",
         [](SpellFixture& f) {
             return (f.Bob().Status & StatusCriticalWard) != 0 && f.Aki().Status == 0;
         }},
        {"the chest spell twice", 81, 5,
         [](SpellFixture& f) { f.G().PartyEffects = PartyEffectBetterChest; }, 0,
         "すでに効いている", [](SpellFixture&) { return true; }},
        {"escape", 58, 5,
         [](SpellFixture& f) {
             f.G().PartyX = 3;
             f.G().LastX = 2;
         },
         0, "パーティは逃げ出した",
         [](SpellFixture& f) { return f.G().PartyX == 2 && !f.G().Battle.ListShown; }},
    };
    for (const Case& c : cases) {
        SpellFixture f;
        f.Spell(FreeRow, "TEST", 0, 1, 1, c.Effect, c.TargetKind, {0, 0, 10});
        f.Aki().Spell(0, 1, 1) = 1;
        c.Setup(f);
        f.Cast(f.Aki(), FreeRow, c.Target == 0 ? f.G().PartyList[2] : c.Target);
        EXPECT_TRUE(f.Player.Saw(c.Shown))
            << c.What << ": " << ::testing::PrintToString(f.Player.Messages());
        EXPECT_TRUE(c.Holds(f)) << c.What;
    }
}

TEST(SpellEngine, TheFourthPartyShieldIsRefused) {
    SpellFixture f;
    f.Spell(FreeRow, "PORFIC", 1, 1, 2, 46, 5, {0, 0, 0});
    f.Bob().Spell(1, 1, 2) = 1;
    f.Bob().MPAt(1, 1) = 9;
    for (int i = 0; i < 4; ++i) f.Cast(f.Bob(), FreeRow, 0);
    EXPECT_EQ(f.G().Battle.PartyMagicShield, 3);
    const auto shown = f.Player.Messages();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2], "ボブは\nＰＯＲＦＩＣの呪文を唱えた\nパーティーに魔法のシールドが張られた");
    EXPECT_EQ(shown[3], "ボブは\nＰＯＲＦＩＣの呪文を唱えた\nしかし効果がなかった");
    EndBattle(f.G());
    EXPECT_EQ(f.G().Battle.PartyMagicShield, 0);
}

TEST(SpellEngine, ChainCastAgainWhileTheTargetStands) {
    SpellFixture f;
    f.Aki().MPAt(0, 1) = 2;
    f.Cast(f.Aki(), FireRow, 1, CommandChainSpell);
    EXPECT_TRUE(f.Player.Saw("アキは連続詠唱した"));
    EXPECT_EQ(f.Aki().MPAt(0, 1), 0);
    EXPECT_EQ(f.Ogre(1).HP, 10);
}

TEST(SpellEngine, ItemsCastTheirSpellAndSongsTheirOwn) {
    constexpr int WandId = 30;
    constexpr int LuteId = 31;
    SpellFixture f;
    ItemDef& wand = f.G().Items[WandId];
    wand.Id = WandId;
    wand.Name = "杖";
    wand.SpellNo = FireRow;
    wand.UseBreakChance = 101;
    ItemDef& lute = f.G().Items[LuteId];
    lute.Id = LuteId;
    lute.Name = "リュート";
    lute.Kind = 9;
    lute.SpellNo = FreeRow;
    f.Spell(FreeRow, "SONG", 4, 1, 1, 105, 5, {0, 0, 0});
    Creature& bob = f.Bob();
    bob.Items[2] = {WandId, 0, 1};
    bob.Items[3] = {LuteId, 0, 1};
    bob.Command = CommandItem;
    ChooseItemForCommand(f.G(), bob, 2);
    bob.TargetGroup = 1;
    RunPartyAction(f.G(), f.Player, bob);
    EXPECT_TRUE(f.Player.Saw("ボブは\nＨＡＬＩＴＯの呪文を唱えた\nオーガは\n１０のダメージ"));
    EXPECT_EQ(bob.Items[2].ItemId, 0) << "a chance of 101 always breaks it";
    EXPECT_EQ(bob.MPAt(0, 1), 0) << "no point is needed";
    bob.Command = CommandSong;
    ChooseItemForCommand(f.G(), bob, 3);
    RunPartyAction(f.G(), f.Player, bob);
    EXPECT_TRUE(f.Player.Saw("ボブは\nＳＯＮＧの曲を奏でた\nパーティにリジェネの効果"));
    EXPECT_EQ(bob.Items[3].ItemId, LuteId) << "a chance of 0 never breaks it";
    EXPECT_NE(f.G().PartyBlessings & BlessingRegeneration, 0);
}

TEST(SpellEngine, AMonsterCastsAtThePartyAndIsAnsweredInKind) {
    SpellFixture f;
    f.Spell(FreeRow, "MAHALITO", 0, 3, 1, 2, 3, {0, 0, 10}).SpellAttribute = 4;
    f.G().Battle.ActingGroup = 1;
    f.G().Battle.PartyMagicShield = 1;
    f.Aki().HP = f.Aki().MaxHP = 40;
    f.Bob().HP = f.Bob().MaxHP = 40;
    f.Bob().Skills[18] = 1;  // casts it back
    f.Bob().IQ = 255;
    f.Bob().Spell(0, 3, 1) = 1;
    f.Bob().MPAt(0, 3) = 1;
    f.G().Rng.Seed(5);
    CastMonsterSpell(f.G(), f.Player, f.Ogre(1), FreeRow);
    EXPECT_EQ(f.Aki().HP, 32) << "a party shield takes a fifth off";
    EXPECT_EQ(f.Bob().HP, 32);
    EXPECT_TRUE(f.Player.Saw("オーガは\nＭＡＨＡＬＩＴＯの呪文を唱えた\nアキは\n８のダメージ"));
    EXPECT_TRUE(f.Player.Saw("ボブは\n魔法をやりかえした"));
    EXPECT_EQ(f.Ogre(1).HP, 20) << "cast back at the ogres, unshielded";
    EXPECT_EQ(f.Bob().MPAt(0, 3), 0);

    f.Player.Clear();
    f.Ogre(2).Status = StatusSilence;
    CastMonsterSpell(f.G(), f.Player, f.Ogre(2), FreeRow);
    EXPECT_EQ(f.Player.Messages(),
              std::vector<std::string>{
                  "オーガは\nＭＡＨＡＬＩＴＯの呪文を唱えた\nしかし呪文は音にならなかった"});
    EXPECT_EQ(f.Aki().HP, 32);
}

}  // namespace
}  // namespace kv::testing
