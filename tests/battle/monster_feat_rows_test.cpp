// Every special-attack row (33, 34, 42..318) against a fresh battle: the
// change each row makes to the party (whom it reaches, the hit points lost,
// the condition, the statistic) or to the battle, checked against the rules
// rather than the table's own entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "battle/BattleFixture.h"
#include "battle/MonsterActions.h"

namespace kv::testing {
namespace {

// Whom a row reaches: one member, one of the first three, the first three,
// all four, n draws, or nobody in the party.
enum class Reach { Nobody, One, FrontOne, Front, All, Draws };

// Four members of 100 hit points with distinct statistics and Luck 1 (a roll
// of 1d50 is never below it: no condition is dodged), against a monster of
// 30 hit points out of 50, damage dice 1d1+4 (5; 1 without the add), 3 blows.
struct Arena {
    BattleFixture f{0};
    Creature* monster = nullptr;

    Arena() {
        static const char* Names[] = {"アキ", "ボブ", "カイ", "ダン"};
        for (int i = 0; i < 4; ++i) {
            TestCharacter made;
            made.Name = Names[i];
            made.HP = 100;
            made.Level = 9;
            made.Stats = {15 + i, 9 + i, 11 + i, 13 + i, 14 + i, 16 + i, 10 + i, 1};
            Creature& c = made.Joins(G(), i + 1);
            c.DamageRate.fill(100);
            c.Marks = 7;
            c.Escapes = 40;
            c.Victories = 1;
            c.Gold = 1000;
            c.PartyNo = 1;
            c.Place = 21;
            c.Floor = 1;
        }
        G().CurrentPartyNo = 1;
        Creature& model = G().Battle.Monster(1, 0);
        model = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        model.Status = StatusDead;
        monster = &G().Battle.Monster(1, 1);
        *monster = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        monster->HP = 30;
        monster->MaxHP = 50;
        monster->DamageDice = {1, 1, 4};
        monster->AttackCount = 3;
        monster->PartyPos = 7;  // as the definition left it: no group number before a rebuild
        G().Battle.Rows[1] = 1;
        G().Battle.GroupCount = 1;
        G().Battle.ActingGroup = 1;
        G().Battle.ActingMember = 1;
    }
    Game& G() { return f.G(); }
    Creature& M(int position) { return *G().Member(position); }
    void Run(int row) { RunSpecialAttack(G(), f.Player, ActionAim{monster}, row); }
};

using FeatCheck = std::function<bool(Arena&)>;

struct FeatRow {
    int Row;
    Reach Who = Reach::Nobody;
    int Lo = 0, Hi = 0;         // hit points each member reached loses
    int32_t Bit = 0;            // the condition each member reached carries
    int Total = -1;             // hit points the party loses in all (-1: not checked)
    FeatCheck Holds = nullptr;  // anything else the row changes
    std::function<void(Arena&)> Setup = nullptr;
};

// A statistic of one member that fell by one.
FeatCheck Lost(uint8_t Creature::*stat, int was) {
    return [=](Arena& a) {
        for (int p = 1; p <= 4; ++p)
            if (a.M(p).HP < 100 && a.M(p).*stat != was + p - 1 - 1) return false;
        return true;
    };
}

bool Touched(const Creature& c) {
    return c.HP != 100 || c.Status != 0;
}

TEST(SpecialAttackRows, EveryRowHasItsEffect) {
    const auto monsterHP = [](int hp) { return [=](Arena& a) { return a.monster->HP == hp; }; };
    const auto everyMonster = [](auto pred) {
        return [=](Arena& a) {
            for (int m = 1; m <= 2; ++m)
                if (!pred(a.G().Battle.Monster(1, m))) return false;
            return true;
        };
    };
    const auto secondMonster = [](Arena& a) {
        a.G().Battle.Monster(1, 2) = *a.monster;
        a.G().Battle.Monster(1, 2).Name = "オーク";
    };
    const auto charmBob = [](Arena& a) { a.M(2).Status = StatusCharm; };
    const auto onlyBob = [](int32_t status) {
        return [=](Arena& a) {
            const int32_t bob = a.M(2).Status;
            return (status == 0 ? bob == 0 : (bob & status) == status) && a.M(1).Status == 0 &&
                   a.M(3).Status == 0 && a.M(4).Status == 0;
        };
    };
    const FeatRow rows[] = {
        // Body slam: the member loses 1d30 and the monster as much, unbooked unless it falls.
        {33, Reach::One, 1, 30, 0, -1,
         [](Arena& a) {
             int lost = 0;
             for (int p = 1; p <= 4; ++p) lost += 100 - a.M(p).HP;
             // A slam of all its 30 fells the monster, and that death is booked.
             return a.monster->HP == 30 - lost && a.G().Battle.KillCount == (lost == 30);
         }},
        // A slam by a monster of 1: 1d1 leaves it at exactly 0, dead and booked.
        {33, Reach::One, 1, 1, 0, 1,
         [](Arena& a) {
             return a.monster->HP == 0 && (a.monster->Status & StatusDead) != 0 &&
                    a.G().Battle.KillCount == 1;
         },
         [](Arena& a) { a.monster->HP = 1; }},
        // Self-destruct: the monster's 30 on one member, and its death is booked.
        {34, Reach::One, 30, 30, 0, 30,
         [](Arena& a) {
             return (a.monster->Status & StatusDead) != 0 && a.G().Battle.KillCount == 1 &&
                    a.G().Battle.ExpPool == 30;
         }},
        // A smile drains the monster's three blows in levels (9 -> 6) from a man.
        {42, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int drained = 0;
             for (int p = 1; p <= 4; ++p) drained += a.M(p).Level == 6;
             return drained == 1;
         }},
        // Row 43: only a man may resist; a resistance of 100 always holds.
        {43, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p)
                 if (a.M(p).Level != 9) return false;
             return a.f.Player.Saw("しかし何もおこらなかった");
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Resist[30] = 101;
         }},
        {45, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return (a.monster->Status & StatusHidden) != 0; }},
        {46, Reach::All, 31, 60},
        {47, Reach::One, 31, 60},
        {48, Reach::All, 1, 15, StatusFrozen},
        {49, Reach::All, 1, 15},
        {54, Reach::One, 50, 50},
        {56, Reach::FrontOne, 50, 50},
        {57, Reach::All, 5, 5},
        // A floating party is untouched by the earthquake.
        {57, Reach::Nobody, 0, 0, 0, -1, nullptr,
         [](Arena& a) { a.G().PartyEffects = PartyEffectLevitation; }},
        {58, Reach::One, 99, 99},
        {59, Reach::One, 100, 100, StatusDead},
        // Half the maximum, then the armour class back to its base less 3 with the
        // party's protection bit 0x40.
        {60, Reach::FrontOne, 50, 50, 0, 50,
         [](Arena& a) {
             for (int p = 1; p <= 3; ++p)
                 if (a.M(p).HP == 50) return a.M(p).AC == 7 && a.M(p).Status == 0;
             return false;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) {
                 a.M(p).BaseAC = 10;
                 a.M(p).AC = -5;
             }
             a.G().PartyEffects = 0x40;
         }},
        {61, Reach::One, 50, 50},  // ten blows of 5
        {63},
        // Thrown out: the party shrinks by one and whoever is behind moves up; the
        // thrown member keeps nothing of the battle and stands as a party of his own.
        {67, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             if (a.G().PartyCount != 3) return false;
             for (int p = 1; p <= 3; ++p)
                 if (a.M(p).PartyPos != p) return false;
             for (int slot = 1; slot <= 4; ++slot) {
                 const Creature& c = a.G().Roster[static_cast<size_t>(slot)];
                 if (c.PartyNo == 2)
                     return c.Status == 0 && c.AC == c.BaseAC && c.Place == 21 && c.Floor == 1;
             }
             return false;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) {
                 a.M(p).Status = StatusHidden | StatusHalfDamage;
                 a.M(p).BaseAC = 6;
                 a.M(p).AC = -2;
             }
         }},
        {68, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int gone = 0;
             for (int slot = 1; slot <= 4; ++slot) {
                 const Creature& c = a.G().Roster[static_cast<size_t>(slot)];
                 gone += c.Status == StatusDead && c.HP == 0 && c.PartyNo == 0;
             }
             for (int p = 1; p <= 3; ++p)
                 if (a.M(p).PartyPos != p) return false;
             return a.G().PartyCount == 3 && gone == 1;
         }},
        {71, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.monster->Status == StatusDead && a.G().Battle.KillCount == 0; }},
        {72, Reach::Nobody, 0, 0, 0, -1, monsterHP(50)},
        // Fear with the blow; then every protection and shield falls away.
        {73, Reach::All, 5, 5, StatusFear, 20,
         [](Arena& a) {
             return a.G().Battle.PartyMagicShield == 0 && a.G().Battle.PartyBreathShield == 0 &&
                    a.G().PartyEffects == 0 && (a.M(1).Status & StatusCriticalWard) == 0;
         },
         [](Arena& a) {
             a.G().Battle.PartyMagicShield = a.G().Battle.PartyBreathShield = 2;
             a.G().PartyEffects = 0x40;
         }},
        {74, Reach::One, 15, 15},
        // Agility 3: 1d3 is always below 4, so each struck member dies.
        {76, Reach::All, 100, 100, StatusDead, 400, nullptr,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Agility = 3;
         }},
        {78, Reach::One, 51, 100},
        {79, Reach::FrontOne, 30, 30, StatusCharm},
        {80, Reach::Front, 15, 15},
        {83, Reach::One, 0, 0, StatusLost},
        {84, Reach::All, 99, 99},
        // The weapon in hand breaks; the armour stays.
        {85, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int broken = 0;
             for (int p = 1; p <= 3; ++p) broken += a.M(p).Items[1].ItemId == 0;
             return broken == 1 && a.M(4).Items[1].ItemId == SwordId;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Items[1] = {SwordId, 1, 1};
         }},
        // With the party's armour ward nothing breaks.
        {86, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p)
                 if (a.M(p).Items[1].ItemId != SwordId) return false;
             return true;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Items[1] = {SwordId, 3, 1};
             a.M(4).Skills[80] = 1;
         }},
        {88, Reach::All, 51, 100},
        {90},
        {96, Reach::FrontOne, 1, 1},
        {97, Reach::Front, 1, 1},
        {98, Reach::Front, 1, 15},
        {99, Reach::FrontOne, 5, 5, 0, 5,
         [](Arena& a) {
             for (int p = 1; p <= 3; ++p)
                 if (a.M(p).HP == 95) return a.M(p).Luck == 4;
             return false;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Luck = 5;
         }},
        {100, Reach::Front, 15, 15},
        {101, Reach::All, 30, 30},
        {102, Reach::All, 30, 30, 0, 120,
         [](Arena& a) { return a.M(1).Age == 21 && a.M(4).Age == 21; }},
        {103, Reach::Draws, 30, 30, StatusShock, 90},
        {104, Reach::FrontOne, 99, 99},
        {105, Reach::FrontOne, 25, 25},
        {106, Reach::FrontOne, 50, 50},
        {107, Reach::FrontOne, 5, 5},
        {108, Reach::One, 99, 99},
        {109, Reach::FrontOne, 5, 5, StatusFrozen},
        {110, Reach::One, 5, 5, 0, 5, Lost(&Creature::Piety, 11)},
        {111, Reach::One, 20, 20},  // the monster's wounds
        {112, Reach::Draws, 0, 15, 0, 15 + 10 + 5},
        {113, Reach::FrontOne, 5, 15},
        {114, Reach::All, 5, 15, StatusPoison},
        // Needles of stone: a chance of 30 never above it, and no damage.
        {115, Reach::Draws, 0, 0, 0, 0},
        {116, Reach::Draws, 5, 5, 0, 20},
        // Megante: every member dies, then the monster, unbooked.
        {117, Reach::All, 100, 100, StatusDead, 400,
         [](Arena& a) {
             return (a.monster->Status & StatusDead) != 0 && a.G().Battle.KillCount == 0;
         }},
        {118, Reach::All, 1, 30},
        {119, Reach::All, 1, 30},
        {120, Reach::All, 31, 60},
        // The count doubles, but no further than 32767: a die rolled for ever would hang.
        {121, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             return a.monster->DamageDice[0] == 2 &&
                    a.G().Battle.Monster(1, 2).DamageDice[0] == 32767;
         },
         [&](Arena& a) {
             secondMonster(a);
             a.G().Battle.Monster(1, 2).DamageDice[0] = 20000;
         }},
        {122, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.Resist[2] == 100; }), secondMonster},
        {123, Reach::One, 7, 7, 0, 7, Lost(&Creature::IQ, 9)},
        {124, Reach::One, 5, 5, 0, 5, Lost(&Creature::Str, 15)},
        {125, Reach::All, 30, 30},
        {126, Reach::Draws, 5, 5, StatusPoison, 15,
         [](Arena& a) { return a.M(4).HP == 100; }},
        {127, Reach::Draws, 5, 5, 0, 30},
        {128, Reach::Front, 5, 5},
        {129, Reach::FrontOne, 31, 60},
        // Every level with points loses one; one at 0 stays.
        {130, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p)
                 if (a.M(p).MPAt(0, 1) == 2) return a.M(p).MPAt(1, 3) == 0;
             return false;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).MPAt(0, 1) = 3;
         }},
        // A maximum of 16 loses 1d10, and the hit points follow it down.
        {131, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p)
                 if (a.M(p).MaxHP < 16) return a.M(p).MaxHP >= 6 && a.M(p).HP == a.M(p).MaxHP;
             return false;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).MaxHP = a.M(p).HP = 16;
         }},
        {132, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p)
                 if (a.M(p).Status != StatusSleep || a.M(p).AC != 10) return false;
             return a.G().Battle.PartyBreathShield == 0 && a.G().PartyEffects == 0;
         },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) {
                 a.M(p).Status = StatusSleep | StatusReflectSpells | StatusHidden;
                 a.M(p).BaseAC = 10;
             }
             a.G().Battle.PartyBreathShield = 3;
             a.G().PartyEffects = PartyEffectLevitation;
         }},
        {133, Reach::All, 0, 0, StatusSilence},
        {134, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.Resist[2] == 255; }), secondMonster},
        {135, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             const PartyAreaEffect& e = a.G().Battle.PartyAreaEffects[4];
             return e.Strength == 3 && e.Count == 1 && e.Sides == 1;
         }},
        {136, Reach::All, 0, 0,
         StatusPoison | StatusDisease | StatusSleep | StatusBlind | StatusConfusion |
             StatusSilence},
        {137, Reach::All, 5, 15},
        {141, Reach::All, 5, 5, 0, 20, monsterHP(50)},
        {146, Reach::One, 4, 4},
        {148, Reach::All, 1, 15},
        {149, Reach::All, 1, 1, StatusDisease},
        {150, Reach::Front, 1, 1},
        {153, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.M(1).TargetGroup == 1 && a.M(2).TargetGroup == 0; },
         [](Arena& a) {
             a.M(2).Sex = 2;
             a.M(1).Command = a.M(2).Command = 1;
             a.M(2).TargetGroup = 0;
         }},
        {154, Reach::All, 1, 1},
        {155},
        {156, Reach::Nobody, 0, 0, 0, -1, onlyBob(StatusDead), charmBob},
        {157, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.M(1).TargetGroup == 1 && a.M(4).TargetGroup == 1; },
         [](Arena& a) {
             for (int p = 1; p <= 4; ++p) a.M(p).Command = 1;
         }},
        {161, Reach::All, 5, 5},
        {164, Reach::Draws, 5, 5, 0, -1,
         [](Arena& a) {
             int total = 0;
             for (int p = 1; p <= 4; ++p) total += 100 - a.M(p).HP;
             return total % 5 == 0 && total >= 5 && total <= 25;
         }},
        {167, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int zero = 0;
             for (int p = 1; p <= 4; ++p) zero += a.M(p).Gold == 0;
             return zero == 1;
         }},
        {168, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int half = 0;
             for (int p = 1; p <= 4; ++p) half += a.M(p).Gold == 500;
             return half == 1;
         }},
        {169, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             int taken = 0;
             for (int p = 1; p <= 4; ++p) taken += a.M(p).Gold == 800;
             return taken == 1;
         }},
        // Venom pain reads the monster's hit points: 30 - (2..4) on a poisoned member.
        {170, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             return a.M(2).HP >= 100 - 28 && a.M(2).HP <= 100 - 26 && a.M(1).HP == 100;
         },
         [](Arena& a) { a.M(2).Status = StatusPoison; }},
        {171, Reach::Nobody, 0, 0, 0, -1, onlyBob(StatusDead),
         [](Arena& a) { a.M(2).Status = StatusSleep; }},
        {172, Reach::Nobody, 0, 0, 0, -1, monsterHP(35)},
        {187, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.M(1).Level == 2 && a.M(4).Level == 2; }},
        {188, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.M(1).Level == 6 && a.M(4).Level == 6; }},
        {269, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) { return a.G().Battle.Monster(1, 2).Initiative == 1; },
         [](Arena& a) {
             a.G().Battle.Monster(1, 2) = *a.monster;
             a.G().Battle.Monster(1, 2).Initiative = 0;
         }},
        {300, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.Resist[2] == 255; }), secondMonster},
        {301, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.Resist[1] == 255; }), secondMonster},
        // Blows rise only while at most 30.
        {302, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             return a.monster->AttackCount == 31 && a.G().Battle.Monster(1, 2).AttackCount == 31;
         },
         [](Arena& a) {
             a.monster->AttackCount = 30;
             a.G().Battle.Monster(1, 2) = *a.monster;
             a.G().Battle.Monster(1, 2).AttackCount = 31;
         }},
        {303, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.DamageRate[1] == 50; }), secondMonster},
        {304, Reach::Nobody, 0, 0, 0, -1,
         everyMonster([](const Creature& m) { return m.AttackEffects[31] == 100; }), secondMonster},
        {305, Reach::Nobody, 0, 0, 0, -1, everyMonster([](const Creature& m) {
             return m.Dexterity == 50 && m.Agility == 50;
         }),
         secondMonster},
        {306, Reach::All, 6, 6, 0, 24, nullptr,
         [](Arena& a) { a.G().MonsterKillCount[837] = 2; }},
        {307, Reach::All, 3, 3, 0, 12, nullptr,
         [](Arena& a) { a.G().MonsterKillCount[836] = 1; }},
        {308, Reach::All, 0, 0, 0, 0},  // nobody of kind 472 killed yet: nothing to pay
        {309, Reach::All, 0, 0, StatusCharm},
        {310, Reach::All, 0, 0, StatusConfusion},
        {311, Reach::Nobody, 0, 0, 0, -1, onlyBob(StatusDead), charmBob},
        {316, Reach::Nobody, 0, 0, 0, -1, onlyBob(0),
         [](Arena& a) { a.M(2).Status = StatusHidden; }},
        // The hidden member is spared the charm.
        {317, Reach::Nobody, 0, 0, 0, -1,
         [](Arena& a) {
             return a.M(2).Status == StatusHidden && a.M(1).Status == StatusCharm &&
                    a.M(4).Status == StatusCharm;
         },
         [](Arena& a) { a.M(2).Status = StatusHidden; }},
        {318, Reach::All, 5, 5,
         0, 20, [](Arena& a) { return (a.M(2).Status & StatusHidden) == 0; },
         [](Arena& a) { a.M(2).Status = StatusHidden; }},
    };
    for (const FeatRow& r : rows) {
        SCOPED_TRACE(r.Row);
        Arena a;
        a.G().Rng.Seed(static_cast<uint32_t>(3));
        a.G().MonsterActions[static_cast<size_t>(r.Row)].Message = "は力をためた";
        if (r.Setup) r.Setup(a);
        a.Run(r.Row);
        int reached = 0, total = 0, frontReached = 0;
        for (int p = 1; p <= a.G().PartyCount; ++p) {
            const Creature& c = a.M(p);
            total += 100 - c.HP;
            if (r.Who == Reach::Nobody || !Touched(c)) continue;
            ++reached;
            frontReached += p <= 3;
            if (r.Who != Reach::Draws) {  // a member drawn twice is hit twice
                EXPECT_GE(100 - c.HP, r.Lo) << c.Name;
                EXPECT_LE(100 - c.HP, r.Hi) << c.Name;
            }
            EXPECT_EQ(c.Status & r.Bit, r.Bit) << c.Name;
        }
        switch (r.Who) {
            case Reach::Nobody:
                break;
            case Reach::One:
                EXPECT_EQ(reached, 1);
                break;
            case Reach::FrontOne:
                EXPECT_EQ(frontReached, 1);
                EXPECT_EQ(reached, 1);
                break;
            case Reach::Front:
                EXPECT_EQ(frontReached, 3);
                EXPECT_EQ(reached, 3);
                break;
            case Reach::All:
                EXPECT_EQ(reached, r.Lo == 0 && r.Bit == 0 ? 0 : 4);
                break;
            case Reach::Draws:
                break;
        }
        if (r.Total >= 0) {
            EXPECT_EQ(total, r.Total);
        }
        if (r.Holds) {
            EXPECT_TRUE(r.Holds(a)) << ::testing::PrintToString(a.f.Player.Messages());
        } else if (r.Who == Reach::Nobody) {
            EXPECT_EQ(total, 0);
        }
    }
    // Every other row of 42..318 names no special attack: nothing happens.
    for (int row = 42; row <= 318; ++row) {
        if (std::any_of(std::begin(rows), std::end(rows),
                        [&](const FeatRow& r) { return r.Row == row; }))
            continue;
        SCOPED_TRACE(row);
        Arena a;
        a.Run(row);
        EXPECT_TRUE(a.f.Player.Messages().empty());
        for (int p = 1; p <= 4; ++p) EXPECT_FALSE(Touched(a.M(p)));
        EXPECT_EQ(a.monster->HP, 30);
    }
}

}  // namespace
}  // namespace kv::testing
