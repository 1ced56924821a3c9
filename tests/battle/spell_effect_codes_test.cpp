// Every effect code of the spell engine and of the songs, cast on a fresh
// battle of three ogres (30 hit points each) against Aki the caster (40 of
// 40) and Bob (5 of 40): the change each code makes, by the rules.
#include <gtest/gtest.h>

#include <functional>

#include "SpellFixture.h"
#include "battle/SpellInput.h"

namespace kv::testing {
namespace {

constexpr int LuteId = 31;
constexpr int OgresGroup = 1;
constexpr int BobTarget = 0;  // the row aims at Bob's roster slot

using Setup = std::function<void(SpellFixture&)>;
using CodeCheck = std::function<bool(SpellFixture&)>;

struct CodeRow {
    int Effect;
    int TargetKind;
    std::array<int16_t, 3> Dice;
    Setup Before;
    int Target;
    CodeCheck Holds;
};

const Setup Nothing = [](SpellFixture&) {};

CodeCheck EveryOgre(std::function<bool(const Creature&)> pred) {
    return [=](SpellFixture& f) {
        for (int m = 1; m <= 3; ++m)
            if (!pred(f.Ogre(m))) return false;
        return true;
    };
}
CodeCheck OgresCarry(int32_t bit) {
    return EveryOgre([=](const Creature& m) { return (m.Status & bit) == bit; });
}
CodeCheck BothCarry(int32_t bit) {
    return [=](SpellFixture& f) {
        return (f.Aki().Status & bit) == bit && (f.Bob().Status & bit) == bit;
    };
}
CodeCheck OnlyBobCarries(int32_t bit) {
    return [=](SpellFixture& f) {
        return (f.Bob().Status & bit) == bit && (f.Aki().Status & bit) == 0;
    };
}
Setup BobHas(int32_t status) {
    return [=](SpellFixture& f) { f.Bob().Status = status; };
}
CodeCheck Saw(const char* text, CodeCheck also = nullptr) {
    return [=](SpellFixture& f) { return f.Player.Saw(text) && (!also || also(f)); };
}

// Distinct statistics for the two, so a wrong one read shows.
void Distinct(SpellFixture& f) {
    Creature& aki = f.Aki();
    aki.Str = 15, aki.IQ = 17, aki.Piety = 11, aki.Vitality = 13, aki.Luck = 12;
    Creature& bob = f.Bob();
    bob.Str = 14, bob.IQ = 9, bob.Piety = 16, bob.Vitality = 10, bob.Luck = 8;
    for (int m = 0; m <= 3; ++m) f.Ogre(m).MaxHP = 30;
}

void CastRow(SpellFixture& f, const CodeRow& r) {
    f.Aki().Spell(0, 1, 1) = 1;
    f.Aki().MPAt(0, 1) = 9;
    f.Cast(f.Aki(), FreeRow, r.Target == BobTarget ? f.G().PartyList[2] : r.Target);
}

void PlayRow(SpellFixture& f, const CodeRow& r) {
    ItemDef& lute = f.G().Items[LuteId];
    lute.Id = LuteId;
    lute.Name = "リュート";
    lute.Kind = 9;
    lute.SpellNo = FreeRow;
    Creature& aki = f.Aki();
    aki.Items[3] = {LuteId, 0, 1};
    aki.Command = CommandSong;
    ChooseItemForCommand(f.G(), aki, 3);
    aki.TargetGroup = static_cast<int16_t>(r.Target == BobTarget ? f.G().PartyList[2] : r.Target);
    RunPartyAction(f.G(), f.Player, aki);
}

// Each row on a fresh battle: the spell (school 0) or the song (school 4) of
// the row's code, the row's own setting, then the cast or the tune.
void RunRows(const CodeRow* begin, const CodeRow* end, bool songs) {
    for (const CodeRow* r = begin; r != end; ++r) {
        SCOPED_TRACE(::testing::Message() << "code " << r->Effect << " kind " << r->TargetKind);
        SpellFixture f;
        Distinct(f);
        f.Spell(FreeRow, songs ? "SONG" : "TEST", songs ? 4 : 0, 1, 1, r->Effect, r->TargetKind,
                r->Dice)
            .SpellAttribute = 4;
        r->Before(f);
        // A roll of 100 is not below a chance of 100: a seed whose rolls spare nobody.
        f.G().Rng.Seed(4);
        if (songs)
            PlayRow(f, *r);
        else
            CastRow(f, *r);
        EXPECT_TRUE(r->Holds(f)) << ::testing::PrintToString(f.Player.Messages());
    }
}

TEST(SpellEffectCodes, EveryCodeOfTheSpellEngine) {
    const auto ogreHP = [](int a, int b, int c) {
        return [=](SpellFixture& f) {
            return f.Ogre(1).HP == a && f.Ogre(2).HP == b && f.Ogre(3).HP == c;
        };
    };
    const CodeRow rows[] = {
        {2, 1, {0, 0, 10}, Nothing, OgresGroup, ogreHP(20, 30, 30)},
        {2, 2, {0, 0, 10}, Nothing, OgresGroup, ogreHP(20, 20, 20)},
        {2, 2, {0, 0, 10}, [](SpellFixture& f) { f.G().Battle.MonsterMagicShield = 3; },
         OgresGroup, ogreHP(26, 26, 26)},
        {15, 2, {}, Nothing, OgresGroup, OgresCarry(StatusSleep)},
        {17, 2, {}, Nothing, OgresGroup, OgresCarry(StatusFear)},
        {18, 2, {}, Nothing, OgresGroup, OgresCarry(StatusConfusion)},
        {21, 2, {}, Nothing, OgresGroup, OgresCarry(StatusCharm)},
        {23, 2, {}, Nothing, OgresGroup, OgresCarry(StatusSilence)},
        {24, 2, {}, Nothing, OgresGroup, OgresCarry(StatusBlind)},
        // Lost at 70 in 100: a lost ogre is dead too; the others untouched.
        {33, 2, {}, Nothing, OgresGroup, EveryOgre([](const Creature& m) {
             return m.Status == 0 || m.Status == (StatusLost | StatusDead);
         })},
        {80, 2, {}, Nothing, OgresGroup, OgresCarry(StatusDeadlyPoison)},
        {4, 2, {2, 0, 0}, Nothing, OgresGroup, EveryOgre([](const Creature& m) { return m.AC == 2; })},
        {5, 5, {2, 0, 0}, Nothing, BobTarget,
         [](SpellFixture& f) { return f.Aki().AC == -2 && f.Bob().AC == -2; }},
        {5, 4, {2, 0, 0}, Nothing, BobTarget,
         [](SpellFixture& f) { return f.Aki().AC == 0 && f.Bob().AC == -2; }},
        {7, 4, {0, 0, 10}, Nothing, BobTarget, [](SpellFixture& f) { return f.Bob().HP == 15; }},
        {7, 4, {0, 0, 10}, BobHas(StatusDisease), BobTarget,
         Saw("ボブは\n効果がなかった", [](SpellFixture& f) { return f.Bob().HP == 5; })},
        {52, 5, {0, 0, 10}, [](SpellFixture& f) { f.Aki().HP = 31; }, BobTarget,
         [](SpellFixture& f) { return f.Aki().HP == 40 && f.Bob().HP == 15; }},
        {53, 4, {}, BobHas(StatusSleep | StatusPoison | StatusStone | StatusDeadlyPoison),
         BobTarget, [](SpellFixture& f) { return f.Bob().HP == 40 && f.Bob().Status == 0; }},
        // Healing nobody: a diseased member is refused with the others healed.
        {74, 5, {}, BobHas(StatusDisease), BobTarget,
         Saw("ボブは\n効果がなかった", [](SpellFixture& f) { return f.Bob().HP == 5; })},
        {74, 5, {}, [](SpellFixture& f) { f.Aki().HP = 1; }, BobTarget,
         [](SpellFixture& f) { return f.Aki().HP == 40 && f.Bob().HP == 40; }},
        {10, 4, {}, BobHas(StatusParalysis | StatusSleep), BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == StatusSleep; }},
        {43, 4, {}, BobHas(StatusPoison | StatusDeadlyPoison | StatusBlind), BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == StatusBlind; }},
        {60, 4, {}, BobHas(StatusFear | StatusSleep | StatusBlind | StatusConfusion | StatusCharm | StatusPoison),
         BobTarget, [](SpellFixture& f) { return f.Bob().Status == StatusPoison; }},
        {73, 4, {}, BobHas(StatusStone | StatusBlind), BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == StatusBlind; }},
        {76, 5, {}, BobHas(StatusSleep), BobTarget,
         Saw("眠りから覚めた", [](SpellFixture& f) { return f.Bob().Status == 0; })},
        {77, 5, {}, BobHas(StatusDeadlyPoison), BobTarget,
         Saw("解毒された", [](SpellFixture& f) { return f.Bob().Status == 0; })},
        {79, 5, {}, BobHas(StatusBlind | StatusSleep), BobTarget,
         Saw("盲目から回復した", [](SpellFixture& f) { return f.Bob().Status == StatusSleep; })},
        // Vitality 5: 1d5 is never above 5, so the dead turn to ashes.
        {1, 4, {}, [](SpellFixture& f) { f.Bob().Status = StatusDead, f.Bob().Vitality = 5; },
         BobTarget, [](SpellFixture& f) { return f.Bob().Status == StatusAshes; }},
        {1, 4, {}, BobHas(StatusAshes), BobTarget,
         Saw("しかし何もおこらなかった",
             [](SpellFixture& f) { return f.Bob().Status == StatusAshes; })},
        // Vitality 4 for the full revival: ashes turn to lost.
        {9, 4, {}, [](SpellFixture& f) { f.Bob().Status = StatusAshes, f.Bob().Vitality = 4; },
         BobTarget, Saw("ボブは\n消滅した！！")},
        // Mass revival: level 19 is not enough; at 20 the caster pays a level.
        {83, 5, {}, [](SpellFixture& f) { f.Aki().Level = 19, f.Bob().Status = StatusDead; },
         BobTarget,
         [](SpellFixture& f) { return f.Aki().Level == 19 && f.Bob().Status == StatusDead; }},
        {83, 5, {}, [](SpellFixture& f) {
             f.Aki().Level = 20;
             f.Bob().Status = StatusDead;
             f.Bob().Vitality = 4;  // 1d4 is always below 5: a failure
         },
         BobTarget,
         [](SpellFixture& f) { return f.Aki().Level == 19 && f.Bob().Status == StatusAshes; }},
        {11, 2, {}, [](SpellFixture& f) { f.Ogre(2).Identified = 0; }, OgresGroup,
         [](SpellFixture& f) {
             return f.Ogre(2).Identified == -1 && (f.G().PartyEffects & PartyEffectIdentify) != 0;
         }},
        {46, 5, {}, Nothing, BobTarget,
         [](SpellFixture& f) { return f.G().Battle.PartyMagicShield == 1; }},
        {47, 5, {}, [](SpellFixture& f) { f.G().Battle.PartyBreathShield = 2; }, BobTarget,
         [](SpellFixture& f) { return f.G().Battle.PartyBreathShield == 3; }},
        {48, 2, {}, [](SpellFixture& f) {
             f.G().Battle.MonsterMagicShield = 2;
             f.G().Battle.BreathShield = 3;
         },
         OgresGroup, [](SpellFixture& f) {
             return f.G().Battle.MonsterMagicShield == 0 && f.G().Battle.BreathShield == 0;
         }},
        {50, 1, {0, 0, 10}, [](SpellFixture& f) { f.Aki().HP = 10; }, OgresGroup,
         [](SpellFixture& f) { return f.Ogre(1).HP == 20 && f.Aki().HP == 20; }},
        // Level 1 undead: 1d(caster's level) is never below 1d1, so all are laid.
        {51, 2, {}, [](SpellFixture& f) {
             for (int m = 0; m <= 3; ++m) f.Ogre(m).Class = 1024, f.Ogre(m).Level = 1;
         },
         OgresGroup, [](SpellFixture& f) { return f.G().Battle.KillCount == 3; }},
        {51, 2, {}, Nothing, OgresGroup,
         Saw("退魔できなかった", [](SpellFixture& f) { return f.G().Battle.KillCount == 0; })},
        // Chaos: each ogre ends with one of the ten outcomes.
        {55, 2, {}, Nothing, OgresGroup, EveryOgre([](const Creature& m) {
             return m.Status == 0 || m.Status == StatusSleep || m.Status == StatusConfusion ||
                    m.Status == StatusBlind || m.Status == StatusSilence ||
                    m.Status == StatusDead || m.HP <= 30;
         })},
        {56, 5, {}, Nothing, BobTarget, [](SpellFixture& f) { return f.Aki().Level == 4; }},
        {58, 5, {}, [](SpellFixture& f) { f.G().PartyX = 3, f.G().LastX = 2; }, BobTarget,
         [](SpellFixture& f) { return f.G().PartyX == 2 && !f.G().Battle.ListShown; }},
        {63, 2, {}, Nothing, OgresGroup, EveryOgre([](const Creature& m) { return m.HP == 1; })},
        {63, 2, {}, [](SpellFixture& f) { f.Ogre(2).Resist[2] = 255; }, OgresGroup,
         Saw("呪文を反射した", [](SpellFixture& f) {
             return f.Aki().HP == 1 && f.Ogre(1).HP == 1 && f.Ogre(2).HP == 30;
         })},
        {61, 4, {}, Nothing, BobTarget, OnlyBobCarries(StatusCriticalWard)},
        {62, 4, {}, Nothing, BobTarget, OnlyBobCarries(StatusDrainWard)},
        {67, 5, {}, Nothing, BobTarget, BothCarry(StatusHalfDamage)},
        {69, 5, {}, Nothing, BobTarget, BothCarry(StatusReflectPhysical)},
        {68, 5, {}, Nothing, BobTarget, BothCarry(StatusReflectSpells)},
        {70, 5, {}, Nothing, BobTarget, BothCarry(StatusConditionWard)},
        {65, 2, {2, 3, 1}, Nothing, OgresGroup,
         [](SpellFixture& f) {
             const GroupAreaEffect& e = f.G().Battle.GroupAreaEffects[1][4];
             return e.Count == 2 && e.Sides == 3 && e.Add == 1 && e.Rounds == 2 &&
                    e.Caster == f.G().PartyList[1];
         }},
        // An attribute outside 4..14 names no lingering effect: ignored.
        {65, 2, {2, 3, 1}, [](SpellFixture& f) { f.G().Spells[FreeRow].SpellAttribute = 22; },
         OgresGroup, [](SpellFixture& f) {
             for (const auto& group : f.G().Battle.GroupAreaEffects)
                 for (const GroupAreaEffect& e : group)
                     if (e.Rounds != 0 || e.Count != 0) return false;
             return true;
         }},
        {72, 4, {}, [](SpellFixture& f) {
             f.Bob().MaxMPAt(1, 1) = 3, f.Bob().MPAt(1, 1) = 2;
             f.Bob().MaxMPAt(1, 2) = 2, f.Bob().MPAt(1, 2) = 2;
         },
         BobTarget, [](SpellFixture& f) {
             return f.Bob().MPAt(1, 1) == 3 && f.Bob().MPAt(1, 2) == 2;
         }},
        {72, 4, {}, [](SpellFixture& f) { f.Bob().MPAt(1, 1) = f.Bob().MaxMPAt(1, 1); }, BobTarget,
         Saw("ボブは\n効果がなかった")},
        {75, 5, {}, Nothing, BobTarget, BothCarry(StatusHidden)},
        {75, 4, {}, Nothing, BobTarget,
         [](SpellFixture& f) { return f.Aki().Status == StatusHidden && f.Bob().Status == 0; }},
        // Luck 10 less 5 is 5; a luck of 5 would fall to 0.
        {78, 2, {}, Nothing, OgresGroup, EveryOgre([](const Creature& m) { return m.Luck == 5; })},
        {81, 5, {}, Nothing, BobTarget,
         [](SpellFixture& f) { return (f.G().PartyEffects & PartyEffectBetterChest) != 0; }},
        {84, 2, {}, [](SpellFixture& f) {
             for (int m = 0; m <= 3; ++m) f.Ogre(m).Resist[2] = 255, f.Ogre(m).Agility = 50;
         },
         OgresGroup, EveryOgre([](const Creature& m) { return m.Resist[2] == 0 && m.Agility == 10; })},
    };
    RunRows(std::begin(rows), std::end(rows), false);
}

TEST(SpellEffectCodes, EveryCodeOfTheSongs) {
    const auto blessing = [](int32_t bit) {
        return [=](SpellFixture& f) { return (f.G().PartyBlessings & bit) == bit; };
    };
    const CodeRow rows[] = {
        {2, 2, {0, 0, 10}, Nothing, OgresGroup, EveryOgre([](const Creature& m) {
             return m.HP == 20;
         })},
        // Songs pass the song resistance, not the magic one.
        {2,
         2,
         {0, 0, 10},
         [](SpellFixture& f) {
             for (int m = 1; m <= 3; ++m) f.Ogre(m).Resist[2] = 101;
         },
         OgresGroup,
         EveryOgre([](const Creature& m) { return m.HP == 20; })},
        {15, 2, {}, Nothing, OgresGroup, OgresCarry(StatusSleep)},
        {21, 3, {}, Nothing, OgresGroup, OgresCarry(StatusCharm)},
        {23, 2, {}, Nothing, OgresGroup, OgresCarry(StatusSilence)},
        {33, 2, {}, Nothing, OgresGroup, EveryOgre([](const Creature& m) {
             return m.Status == 0 || m.Status == (StatusLost | StatusDead);
         })},
        {5,
         5,
         {1, 0, 0},
         Nothing,
         BobTarget,
         [](SpellFixture& f) { return f.Aki().AC == -1 && f.Bob().AC == -1; }},
        {60,
         5,
         {},
         BobHas(StatusSleep | StatusStone | StatusDisease),
         BobTarget,
         [](SpellFixture& f) {
             return f.Bob().Status == (StatusSleep | StatusStone | StatusDisease);
         }},
        {60,
         5,
         {},
         BobHas(StatusSleep | StatusStone | StatusFear),
         BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == 0; }},
        {74, 5, {}, Nothing, BobTarget, [](SpellFixture& f) { return f.Bob().HP == 40; }},
        {101, 5, {}, Nothing, BobTarget, blessing(BlessingFearResistance)},
        // The moon's steps over 50 make the die: 50 steps give 3d1; 49 give 3d0, which
        // like every die of no sides counts 1 a die. The other moon is not read.
        {102,
         2,
         {3, 0, 0},
         [](SpellFixture& f) { f.G().ArtemisCount = 50; },
         OgresGroup,
         EveryOgre([](const Creature& m) { return m.HP == 27; })},
        {103,
         2,
         {3, 0, 0},
         [](SpellFixture& f) { f.G().LunaCount = 49, f.G().ArtemisCount = 500; },
         OgresGroup,
         EveryOgre([](const Creature& m) { return m.HP == 27; })},
        {104, 5, {}, Nothing, BobTarget, blessing(BlessingFewerEncounters)},
        {105, 5, {}, Nothing, BobTarget, blessing(BlessingRegeneration)},
        {106,
         5,
         {0, 0, 10},
         [](SpellFixture& f) { f.Aki().HP = 1; },
         BobTarget,
         [](SpellFixture& f) { return f.Aki().HP == 11 && f.Bob().HP == 15; }},
        {113, 5, {0, 0, 10}, Nothing, BobTarget, [](SpellFixture& f) { return f.Bob().HP == 15; }},
        // Only the undead and spirits suffer the bane.
        {107,
         2,
         {0, 0, 10},
         [](SpellFixture& f) { f.Ogre(2).Class = 4096; },
         OgresGroup,
         [](SpellFixture& f) { return f.Ogre(1).HP == 30 && f.Ogre(2).HP == 20; }},
        {109, 5, {}, Nothing, BobTarget, blessing(BlessingSamuraiMight)},
        {110, 5, {}, Nothing, BobTarget, blessing(BlessingLordMight)},
        {111, 5, {}, Nothing, BobTarget, blessing(BlessingTheft)},
        {112, 5, {}, Nothing, BobTarget, blessing(BlessingShield)},
        {114,
         5,
         {},
         BobHas(StatusDead),
         BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == 0 && f.Bob().HP == 40; }},
        // The lost stay lost.
        {114,
         5,
         {},
         BobHas(StatusLost | StatusDead),
         BobTarget,
         [](SpellFixture& f) { return f.Bob().Status == (StatusLost | StatusDead); }},
    };
    RunRows(std::begin(rows), std::end(rows), true);
}

}  // namespace
}  // namespace kv::testing
