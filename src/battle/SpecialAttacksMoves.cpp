// The special attacks that do something no column of the table can say:
// each a small routine over the shared frame of SpecialAttacks.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "battle/SpecialAttacks.h"
#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/Party.h"
#include "character/RaceDefences.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int ResistPhysical = 1;
constexpr int ResistMagic = 2;
constexpr int ResistBreath = 3;
constexpr int ResistMind = 11;
constexpr int ResistDark = 13;
constexpr int KindDeath = 31;
constexpr int KindLevelDrain = 30;
constexpr int KindCharm = 21;
constexpr int AttributeFire = 4;
constexpr int ResistReflects = 255;
constexpr int ProtectedResist = 100;
constexpr int LastBreakableSlot = 12;
constexpr int WeaponBrokenText = 53;  // of the special moves' texts
constexpr int ArmourBrokenText = 54;
constexpr int32_t WornInMainHand = 1;

// Everything a battle lends a member for protection, hiding included.
constexpr int32_t ProtectionBits = StatusBattleExtra | StatusHidden | StatusCriticalWard |
                                   StatusDrainWard | StatusHalfDamage | StatusReflectSpells |
                                   StatusReflectPhysical | StatusConditionWard;
static_assert(ProtectionBits == 0x3F60000);

std::string Text(Str id) {
    return std::string(ResString(id));
}

bool Present(const Creature& c) {
    return c.Id > 0 && (c.Status & AbsentMask) == 0;
}

bool IsSummon(const Game& game, const Creature& c) {
    const Creature* first = game.Battle.Summons.data();
    return &c >= first && &c < first + game.Battle.Summons.size();
}

bool IsBattleMonster(const Game& game, const Creature& c) {
    return IsMonster(c) && !IsSummon(game, c);
}

int RosterSlotOf(const Game& game, const Creature& c) {
    for (int i = 1; i <= game.PartyCount; ++i)
        if (game.Member(i) == &c) return game.PartyList[static_cast<size_t>(i)];
    return 0;
}

// Damage dealt outside the attribute rules; a monster it fells is booked.
std::string Wound(SpecialTurn& turn, Creature& target, int32_t amount) {
    std::string text = DamageCreature(target, std::max(amount, 0));
    if (IsBattleMonster(turn.TheGame, target) && target.HP <= 0)
        MonsterKilled(turn.TheGame, target, &turn.Actor(), false);
    return text;
}

// A death outright: a monster is booked, a member dies.
std::string Slay(SpecialTurn& turn, Creature& target) {
    if (IsBattleMonster(turn.TheGame, target))
        return MonsterKilled(turn.TheGame, target, &turn.Actor(), true);
    return KillCreature(target, true);
}

void StrikeAll(SpecialTurn& turn) {
    const std::vector<Creature*> targets = turn.Targets();
    const int n = static_cast<int>(targets.size());
    for (int k = 1; k <= n; ++k) turn.Strike(*targets[static_cast<size_t>(k - 1)], k, n);
}

Creature* FirstTarget(SpecialTurn& turn) {
    const std::vector<Creature*> targets = turn.Targets();
    return targets.empty() ? nullptr : targets.front();
}

void Say(SpecialTurn& turn, const std::string& text) {
    turn.ThePlayer.Message(text);
}

// The protections of the battle fall away from a target.
void Unprotect(Creature& c) {
    c.Status &= ~ProtectionBits;
    c.AC = c.BaseAC;
}

// Every shield of the defending side is gone.
void DropShields(SpecialTurn& turn) {
    BattleState& b = turn.TheGame.Battle;
    b.MagicShield = b.BreathShield = 0;
    if (turn.Aim.BySummon()) return;
    b.PartyMagicShield = b.PartyBreathShield = 0;
    turn.TheGame.PartyEffects = 0;
}

// Both the resistance and the party's ward must hold.
bool Withstands(Game& game, const Creature& c, int kind) {
    return ResistRoll(game, c.Resist[static_cast<size_t>(kind)], 0) != NotResisted &&
           PartyWardRoll(game, c, kind);
}

void LoseLevels(SpecialTurn& turn, Creature& t, int levels, const std::string& head) {
    DrainLevels(turn.TheGame, t, levels);
    Say(turn, head + t.Name + "は\n" + WideNumber(levels) + "レベルを下げられた！");
}

void RevealHidden(SpecialTurn& turn, Creature& t) {
    t.Status &= ~StatusHidden;
    Say(turn, turn.Prefix + "\n" + t.Name + "は姿を現した");
}

}  // namespace

void BodySlam(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    Creature& actor = turn.Actor();
    const int32_t d = Dice(turn.TheGame.Rng, 1, actor.HP, 0);
    Say(turn, turn.Prefix + Wound(turn, *t, d));
    DamageCreature(actor, d, true);
    if (IsBattleMonster(turn.TheGame, actor) && actor.HP <= 0)
        MonsterKilled(turn.TheGame, actor, t, false);
}

void SelfDestruct(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    Creature& actor = turn.Actor();
    Game& game = turn.TheGame;
    Say(turn, turn.Prefix + Wound(turn, *t, actor.HP));
    DamageCreature(actor, actor.HP, true);
    if (IsBattleMonster(game, actor)) {
        Say(turn, MonsterKilled(game, actor, game.Character(game.CurrentChar), true));
    } else {
        Say(turn, KillCreature(actor, true));
    }
}

void Smile(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    // Only a target of the sex the row names can resist the smile.
    if (ResistRoll(turn.TheGame, t->Resist[KindLevelDrain], 0) != NotResisted &&
        t->Sex == turn.Def.Param) {
        Say(turn, turn.Prefix + Text(Str::NothingHappened));
        return;
    }
    LoseLevels(turn, *t, turn.Actor().AttackCount, turn.Prefix);
}

void HideInShadow(SpecialTurn& turn) {
    turn.Actor().Status |= StatusHidden;
    Say(turn, turn.Prefix);
}

void BodhisattvaPalm(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    if (ResistRoll(turn.TheGame, t->Resist[ResistPhysical], 0) != NotResisted) {
        Say(turn, turn.Prefix + Text(Str::NothingHappened));
        return;
    }
    // Half of what is left, never the last hit point.
    const int32_t loss = std::min(t->HP / 2, t->HP - 1);
    t->HP -= std::max(loss, 0);
    Say(turn, turn.Prefix + t->Name + Text(Str::HitOn) + WideNumber(std::max(loss, 0)) +
                  Text(Str::DamageWord));
}

void Earthquake(SpecialTurn& turn) {
    if (!turn.Aim.BySummon() && turn.Aim.Summon == 0 &&
        (turn.TheGame.PartyEffects & PartyEffectLevitation) != 0) {
        Say(turn, turn.Prefix + "\nパーティーは空中に浮かんでいる");
        return;
    }
    StrikeAll(turn);
}

void ZelvaSpecial(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    turn.Strike(*t);
    const int32_t effects = turn.TheGame.PartyEffects;
    if (IsMonster(*t))
        t->AC = t->BaseAC;
    else if ((effects & PartyEffectProtection2) != 0)
        t->AC = t->BaseAC - 5;
    else if ((effects & PartyEffectProtection) != 0)
        t->AC = t->BaseAC - 3;
    else
        t->AC = t->BaseAC;
    t->Status &= ~(StatusCriticalWard | StatusDrainWard);
    Say(turn, t->Name + Text(Str::DefencesGone));
}

void TenBlows(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    for (int blow = 0; blow < 10; ++blow) turn.Strike(*t);
}

void Hurl(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    if (game.PartyCount < 2) return;
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    const int slot = RosterSlotOf(game, *t);
    if (slot == 0) return;
    // A party of his own: the lowest number no roster character holds.
    int number = 0;
    for (int n = 1; n <= 50 && number == 0; ++n) {
        const bool held = std::any_of(game.Roster.begin() + 1, game.Roster.end(),
                                      [n](const Creature& c) { return c.PartyNo == n; });
        if (!held) number = n;
    }
    if (number == 0) return;
    const int32_t place = game.CurrentPlace;
    LeaveParty(game, slot);
    t->PartyNo = static_cast<uint8_t>(number);
    t->Place = static_cast<uint8_t>(place);
    t->Floor = static_cast<uint8_t>(game.CurrentFloor);
    t->PosX = game.PartyX;
    t->PosY = game.PartyY;
    Say(turn, turn.Prefix + t->Name + "は\n投げ飛ばされた");
}

void OtherDimension(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    if (game.PartyCount < 2) return;
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    if (Dice(game.Rng, 1, 18, 0) < t->Luck) {
        Say(turn, turn.Prefix + t->Name + "は\nかわした");
        return;
    }
    if (ResistRoll(game, t->Resist[ResistDark], 0) != NotResisted) {
        Say(turn, turn.Prefix + t->Name + Text(Str::Resisted));
        return;
    }
    const int slot = RosterSlotOf(game, *t);
    if (slot != 0) LeaveParty(game, slot);
    t->PartyNo = 0;
    t->Place = 0;
    t->Floor = 0;
    t->PosX = t->PosY = 0;
    t->AC = t->BaseAC;
    t->Status &=
        ~(StatusSleep | StatusFear | StatusConfusion | StatusFrozen | StatusShock | StatusCharm |
          StatusPoison | StatusSilence | StatusHidden | StatusCriticalWard | StatusDrainWard);
    t->Status |= StatusDead;
    t->HP = 0;
    Say(turn, turn.Prefix + "\n" + t->Name + "は\n次元の彼方に消え去った");
}

void GreatEscape(SpecialTurn& turn) {
    // Every one of the actor's side leaves, none of them booked.
    for (Creature* c : turn.Allies()) c->Status = StatusDead;
    Say(turn, turn.Prefix);
}

void Restore(SpecialTurn& turn) {
    turn.Actor().HP = turn.Actor().MaxHP;
    Say(turn, turn.Prefix);
}

void StripAfterStrike(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        turn.Strike(*t);
        if (t->Id > 0) Unprotect(*t);
    }
    DropShields(turn);
    if (!turn.Aim.BySummon()) Say(turn, Text(Str::PartyDefencesGone));
}

void AsuraSlash(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    for (Creature* t : turn.Targets()) {
        turn.Strike(*t);
        if (Present(*t) && Dice(game.Rng, 1, t->Agility, 0) < 4)
            InflictCondition(game, turn.ThePlayer, turn.Prefix, *t, KindDeath, 100, true, 0,
                             &turn.Actor());
    }
}

void Slaps(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    turn.Strike(*t);
    if ((t->Status & StatusDead) != 0) return;
    Game& game = turn.TheGame;
    const Creature& a = turn.Actor();
    const int64_t second =
        int64_t{Dice(game.Rng, a.DamageDice[0], a.DamageDice[1], a.DamageDice[2])} * a.AttackCount;
    ApplyAttributeDamage(game, turn.ThePlayer, turn.Prefix,
                         static_cast<int32_t>(std::clamp<int64_t>(second, 0, INT32_MAX)),
                         turn.Actor(), *t, ResistPhysical, 0, KindCharm, false);
}

void BreakGear(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    const bool weapon = turn.Def.Param == WornInMainHand;
    if (PartyHasSkill(game, weapon ? Skill::GuardWeapons : Skill::GuardArmour)) return;
    Creature* t = FirstTarget(turn);
    if (t == nullptr) return;
    int slot = 0;
    for (size_t s = 1; s < t->Items.size() && slot == 0; ++s)
        if (t->Items[s].ItemId != 0 && (t->Items[s].ItemFlags & 7) == turn.Def.Param)
            slot = static_cast<int>(s);
    if (slot < 1 || slot > LastBreakableSlot) return;
    RemoveItemCount(*t, slot, 1);
    ResetRaceDefences(game, *t);
    ApplyEquipment(game, *t);
    Say(turn, turn.Actor().Name + Text(Str::AttackHeader) + "\n" + t->Name +
                  std::string(
                      ResString(Str::SpecialMoves, weapon ? WeaponBrokenText : ArmourBrokenText)));
}

void Megante(SpecialTurn& turn) {
    for (Creature* t : turn.Targets()) {
        if ((t->Status & GoneMask) != 0) continue;
        KillCreature(*t, false);
        Say(turn, turn.Prefix + "\n" + t->Name + "はくだけ散った");
    }
    // The caster's own death is not booked.
    KillCreature(turn.Actor(), false);
    Say(turn, turn.Actor().Name + "は力尽きて死んでしまった");
}

void ForceField(SpecialTurn& turn) {
    for (Creature* c : turn.Allies()) c->DamageDice[0] *= 2;
    Say(turn, turn.Prefix + "\n" +
                  (turn.Aim.BySummon() ? turn.Actor().Name : std::string("モンスター")) +
                  "の攻撃力がＵＰした");
}

void ElementalVoice(SpecialTurn& turn) {
    for (Creature* c : turn.Allies()) c->Resist[ResistMagic] = ProtectedResist;
    Say(turn, turn.Prefix + "\n" +
                  (turn.Aim.BySummon() ? turn.Actor().Name : std::string("モンスター")) +
                  "は守られた");
}

void DrainMP(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    if (ResistRoll(turn.TheGame, t->Resist[ResistMind], 0) != NotResisted) {
        Say(turn, turn.Prefix + "\n" + t->Name + Text(Str::Resisted));
        return;
    }
    for (int school = 0; school < SpellSchools; ++school)
        for (int level = 1; level < SpellLevels; ++level)
            if (t->MPAt(school, level) > 0) --t->MPAt(school, level);
    Say(turn, turn.Prefix + "\n" + t->Name + "のＭＰを吸い取った");
}

void LowerMaxHP(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !Present(*t)) return;
    if (ResistRoll(turn.TheGame, t->Resist[ResistMind], 0) != NotResisted) {
        Say(turn, turn.Prefix + "\n" + t->Name + Text(Str::Resisted));
        return;
    }
    Say(turn, turn.Prefix + "\n" + t->Name + "の最大ＨＰを下げた");
    if (t->MaxHP > 15) {
        t->MaxHP -= Dice(turn.TheGame.Rng, 1, 10, 0);
        t->HP = std::min(t->HP, t->MaxHP);
    }
}

void StripDefences(SpecialTurn& turn) {
    for (Creature* t : turn.Targets())
        if (t->Id > 0) Unprotect(*t);
    DropShields(turn);
    Say(turn,
        turn.Aim.BySummon() ? turn.Prefix : turn.Prefix + "\n" + Text(Str::PartyDefencesGone));
}

void WallOfLight(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    if (turn.Aim.BySummon()) {
        for (Creature* c : turn.Allies()) c->Resist[ResistMagic] = ResistReflects;
    } else if (const int g = game.Battle.ActingGroup; g >= 1 && g <= BattleGroupCount) {
        for (int m = 1; m <= GroupMemberCount; ++m)
            game.Battle.Monster(g, m).Resist[ResistMagic] = ResistReflects;
    }
    Say(turn, turn.Prefix);
}

void FireStorm(SpecialTurn& turn) {
    BattleState& b = turn.TheGame.Battle;
    const Creature& a = turn.Actor();
    if (turn.Aim.BySummon()) {
        GroupAreaEffect& e = b.GroupAreaEffects[static_cast<size_t>(turn.Aim.Group)][AttributeFire];
        e = {a.DamageDice[0], a.DamageDice[1], 0, a.AttackCount, AttributeFire, 0};
    } else {
        b.PartyAreaEffects[AttributeFire] = {a.DamageDice[0], a.DamageDice[1], 0, a.AttackCount};
    }
    Say(turn, turn.Prefix);
}

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
        if (Present(*t)) Afflict(turn, *t, ResistBreath, DoomAfflictions);
}

void AlternativeLife(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    Creature& a = turn.Actor();
    for (Creature* t : turn.Targets()) {
        if (!Present(*t)) continue;
        const int32_t d = Dice(game.Rng, a.DamageDice[0], a.DamageDice[1], a.DamageDice[2]);
        ApplyAttributeDamage(game, turn.ThePlayer, turn.Prefix, d, a, *t, turn.Def.Attribute, 0, 0,
                             false);
        HealCreature(a, d, true);
    }
}

void Hostility(SpecialTurn& turn) {
    const bool menOnly = turn.Def.Param != 0;
    for (Creature* t : turn.Targets()) {
        if (menOnly && t->Sex != 1) continue;
        Say(turn, turn.Prefix + "\n" + t->Name + "の敵意は\n" + turn.Actor().Name + "に向けられた");
        t->TargetGroup = turn.Actor().PartyPos;
    }
}

void KillTheAfflicted(SpecialTurn& turn) {
    for (Creature* t : turn.Targets())
        if (Present(*t) && (t->Status & turn.Def.Param) != 0)
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
        if (!Present(*t) || (t->Status & StatusPoison) == 0) continue;
        const int32_t d = t->HP - (Dice(game.Rng, 1, 3, 0) + 1);
        ApplyAttributeDamage(game, turn.ThePlayer, turn.Prefix, std::max(d, 0), turn.Actor(), *t,
                             turn.Def.Attribute, 0, 0, false);
    }
}

void Halo(SpecialTurn& turn) {
    Game& game = turn.TheGame;
    const Creature& a = turn.Actor();
    const int group = a.PartyPos;
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
        if (!Present(*t)) continue;
        if (Withstands(turn.TheGame, *t, KindLevelDrain)) {
            Say(turn, turn.Prefix + Text(Str::NothingHappened));
            continue;
        }
        LoseLevels(turn, *t, turn.Def.Param, turn.Prefix);
    }
}

void ActAgain(SpecialTurn& turn) {
    for (Creature* c : turn.Allies())
        if (CanAct(*c) && c->Initiative == 0) c->Initiative = 1;
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
        if (Present(*t)) Say(turn, turn.Prefix + Wound(turn, *t, damage));
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
