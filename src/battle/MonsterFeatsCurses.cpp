// The special attacks that curse, charm, drain and bless rather than strike:
// each a small routine over the frame of MonsterFeats.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "battle/MonsterFeats.h"
#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/Party.h"
#include "character/RaceDefences.h"
#include "character/SpellBook.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

using namespace special;

namespace {

struct Affliction {
    int Kind;
    int Chance;
};
constexpr std::array<Affliction, 8> DoomAfflictions = {
    {{22, 100}, {27, 100}, {15, 100}, {24, 100}, {18, 100}, {23, 100}, {16, 50}, {29, 30}}};
constexpr std::array<Affliction, 8> AvalonAfflictions = {
    {{22, 50}, {27, 50}, {15, 50}, {24, 50}, {18, 50}, {23, 50}, {16, 20}, {29, 10}}};

void Afflict(SpecialTurn& turn, Creature& t, int resist,
             const std::array<Affliction, 8>& afflictions) {
    if (ResistRoll(turn.TheGame, t.Resist[static_cast<size_t>(resist)], 0) != NotResisted) {
        Say(turn, turn.Prefix + "\n" + t.Name + Text(Str::Resisted));
        return;
    }
    for (const Affliction& a : afflictions)
        InflictCondition(turn.TheGame, turn.ThePlayer, turn.Prefix, t, a.Kind, a.Chance, true, 0,
                         &turn.Actor());
}

}  // namespace

void DoomBreath(SpecialTurn& turn) {
    for (Creature* t : turn.Targets())
        if (IsActive(*t)) Afflict(turn, *t, ResistBreath, DoomAfflictions);
}

void AlternativeLife(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    Creature& a = turn.Actor();
    for (Creature* t : turn.Targets()) {
        if (!IsActive(*t)) continue;
        const int32_t d = Dice(game.Rng, a.DamageDice[0], a.DamageDice[1], a.DamageDice[2]);
        const int32_t before = std::max(t->HP, 0);
        ApplyAttributeDamage(game, turn.ThePlayer, turn.Prefix, d, a, *t, turn.Def.Attribute, 0, 0,
                             false);
        // The monster lives on what the target really lost (nothing when resisted).
        HealCreature(a, std::max(before - std::max(t->HP, 0), 0), true);
    }
}

namespace {

// Whether a member's command aims at a monster group (and so can be turned).
bool AimsAtGroup(const Game& game, const Creature& c) {
    switch (c.Command) {
        case CommandFight:
        case CommandDispel:
        case CommandBreath:
        case CommandSteal:
        case CommandProbe:
        case CommandInspect:
        case CommandCoins:
            return true;
        case CommandSpell:
        case CommandChainSpell: {
            const SpellDef* s = SpellRow(game, c.CommandArg);
            return s != nullptr && (s->TargetKind == 1 || s->TargetKind == 2);
        }
        default:
            return false;
    }
}

}  // namespace

void Hostility(SpecialTurn& turn) {
    const bool menOnly = turn.Def.Param != 0;
    const int group = turn.TheGame.Battle.ActingGroup;
    if (group < 1 || group > BattleGroupCount) return;
    for (Creature* t : turn.Targets()) {
        if (menOnly && t->Sex != 1) continue;
        Say(turn, turn.Prefix + "\n" + t->Name + "の敵意は\n" + turn.Actor().Name + "に向けられた");
        if (AimsAtGroup(turn.TheGame, *t)) t->TargetGroup = static_cast<int16_t>(group);
    }
}

void KillTheAfflicted(SpecialTurn& turn) {
    for (Creature* t : turn.Targets())
        if (IsActive(*t) && (t->Status & turn.Def.Param) != 0)
            Say(turn, turn.Prefix + "\n" + Slay(turn, *t));
}

void GoldLoss(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    std::string what;
    switch (turn.Def.Param) {
        case 0:
            t->Gold = 0;
            what = "所持金が０になった";
            break;
        case 1:
            t->Gold = std::trunc(t->Gold / 2);
            what = "所持金が半分";
            break;
        default:
            t->Gold *= 0.8;
            what = "所持金を奪われた";
            break;
    }
    Say(turn, turn.Prefix + "\n" + t->Name + "の\n" + what);
}

void VenomPain(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    for (Creature* t : turn.Targets()) {
        if (!IsActive(*t) || (t->Status & StatusPoison) == 0) continue;
        // The monster's own hit points, as the row is written.
        const int32_t d = turn.Actor().HP - (Dice(game.Rng, 1, 3, 0) + 1);
        ApplyAttributeDamage(game, turn.ThePlayer, turn.Prefix, std::max(d, 0), turn.Actor(), *t,
                             turn.Def.Attribute, 0, 0, false);
    }
}

void Halo(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    const Creature& a = turn.Actor();
    const int group = game.Battle.ActingGroup;
    if (group < 1 || group > BattleGroupCount) return;
    for (int m = 1; m <= GroupMemberCount; ++m) {
        Creature& c = game.Battle.Monster(group, m);
        if (c.Id == 0 || (c.Status & StatusDead) != 0) continue;
        Say(turn,
            turn.Prefix + "\n" +
                HealCreature(c, Dice(game.Rng, a.DamageDice[0], a.DamageDice[1], a.DamageDice[2])));
    }
}

void Kingdoms(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        if (!IsActive(*t)) continue;
        if (Withstands(turn.TheGame, *t, KindLevelDrain)) {
            Say(turn, turn.Prefix + Text(Str::NothingHappened));
            continue;
        }
        LoseLevels(turn, *t, turn.Def.Param, turn.Prefix);
    }
}

void ActAgain(SpecialTurn& turn) {
    BattleState& b = turn.TheGame.Battle;
    for (Creature* c : turn.Allies()) {
        if (!CanAct(*c) || c->Initiative != 0) continue;
        const bool summon = IsSummon(turn.TheGame, *c);
        const auto at = static_cast<size_t>(c - (summon ? b.Summons.data() : b.Monsters.data()));
        bool& given = summon ? b.SummonActedAgain[at] : b.MonsterActedAgain[at];
        if (given) continue;
        given = true;
        c->Initiative = 1;
    }
    Say(turn, turn.Prefix);
}

namespace {

enum class Blessing { MagicMirror, PhysicalMirror, MoreBlows, Armour, Keen, Quick };
struct GroupBlessingDef {
    Blessing Kind;
    const char* Particle;
    const char* Text;
};
constexpr std::array<GroupBlessingDef, 6> GroupBlessings = {{
    {Blessing::MagicMirror, "に", "魔法反射のシールドがはられた"},
    {Blessing::PhysicalMirror, "に", "物理反射のシールドがはられた"},
    {Blessing::MoreBlows, "の", "攻撃回数がＵＰした"},
    {Blessing::Armour, "の", "防御力がＵＰした"},
    {Blessing::Keen, "の", "攻撃は鋭さを増した"},
    {Blessing::Quick, "の", "素早さと器用さがＵＰした"},
}};
constexpr int MostBlows = 30;
constexpr int KindCritical = 31;
constexpr uint8_t QuickStat = 50;

void Bless(Creature& c, Blessing kind) {
    switch (kind) {
        case Blessing::MagicMirror:
            c.Resist[ResistMagic] = ResistReflects;
            break;
        case Blessing::PhysicalMirror:
            c.Resist[ResistPhysical] = ResistReflects;
            break;
        case Blessing::MoreBlows:
            if (c.AttackCount <= MostBlows) ++c.AttackCount;
            break;
        case Blessing::Armour:
            c.DamageRate[ResistPhysical] = static_cast<uint8_t>(c.DamageRate[ResistPhysical] / 2);
            break;
        case Blessing::Keen:
            c.AttackEffects[KindCritical] = 100;
            break;
        case Blessing::Quick:
            c.Dexterity = c.Agility = QuickStat;
            break;
    }
}

}  // namespace

void GroupBlessing(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    const int g = RandomLivingGroup(game);
    if (g == 0 || turn.Def.Param < 0 || turn.Def.Param >= static_cast<int>(GroupBlessings.size()))
        return;
    const GroupBlessingDef& blessing = GroupBlessings[static_cast<size_t>(turn.Def.Param)];
    for (int m = 1; m <= GroupMemberCount; ++m) Bless(game.Battle.Monster(g, m), blessing.Kind);
    Say(turn, turn.Prefix + "\n" + game.Battle.Monster(g, 0).Name + blessing.Particle + "\n" +
                  blessing.Text);
}

void KillCountPain(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    const size_t id = static_cast<size_t>(turn.Def.Param);
    const int64_t kills = id < game.MonsterKillCount.size() ? game.MonsterKillCount[id] : 0;
    const auto damage = static_cast<int32_t>(std::clamp<int64_t>(3 * kills, 0, INT32_MAX));
    for (Creature* t : turn.Targets())
        if (IsActive(*t)) Say(turn, turn.Prefix + Wound(turn, *t, damage));
}

void Enchant(SpecialTurn& turn) {
    // A negative value spares the hidden.
    const int kind = std::abs(turn.Def.Param);
    const bool sparesHidden = turn.Def.Param < 0;
    for (Creature* t : turn.Targets()) {
        if (t->Id == 0 || (t->Status & GoneMask) != 0) continue;
        if (sparesHidden && (t->Status & StatusHidden) != 0) continue;
        if (Withstands(turn.TheGame, *t, kind)) {
            Say(turn, turn.Prefix + "\n" + t->Name + Text(Str::Resisted));
            continue;
        }
        Say(turn, turn.Prefix + "\n" + t->Name + SetCondition(t->Status, AttackToStatus(kind)));
    }
}

void DropDeadGorgeous(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        if ((t->Status & GoneMask) != 0) continue;
        if ((t->Status & StatusCharm) == 0) {
            Say(turn, turn.Prefix + "\n" + Text(Str::NothingHappened));
        } else if (Withstands(turn.TheGame, *t, ResistDark)) {
            Say(turn, turn.Prefix + "\n" + t->Name + Text(Str::Resisted));
        } else {
            Say(turn, turn.Prefix + "\n" + Slay(turn, *t));
        }
    }
}

void Reveal(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        if ((t->Status & GoneMask) != 0) continue;
        if ((t->Status & StatusHidden) != 0)
            RevealHidden(turn, *t);
        else
            Say(turn, turn.Prefix + "\n" + Text(Str::NothingHappened));
    }
}

void Avalon(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        if ((t->Status & GoneMask) != 0) continue;
        if ((t->Status & StatusHidden) != 0) RevealHidden(turn, *t);
        Afflict(turn, *t, ResistPhysical, AvalonAfflictions);
        turn.Strike(*t);
    }
}

}  // namespace kv
