// The special attacks that do something no column of the table can say,
// blows and tricks: each a small routine over the frame of MonsterFeats.cpp.
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
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int32_t DiceCountLimit = 32767;

}  // namespace

using namespace special;

void BodySlam(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !IsActive(*t)) return;
    Creature& actor = turn.Actor();
    const int32_t d = Dice(turn.TheGame.Rng, 1, actor.HP, 0);
    Say(turn, turn.Prefix + Wound(turn, *t, d));
    DamageCreature(actor, d, true);
    if (IsBattleMonster(turn.TheGame, actor) && actor.HP <= 0)
        MonsterKilled(turn.TheGame, actor, t, false);
}

void SelfDestruct(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !IsActive(*t)) return;
    Creature& actor = turn.Actor();
    Game& game = turn.TheGame;
    Say(turn, turn.Prefix + Wound(turn, *t, actor.HP));
    DamageCreature(actor, actor.HP, true);
    if (IsBattleMonster(game, actor)) {
        // The member blown up earns the kill; nobody does when it was a summon.
        Creature* killer = RosterSlotOf(game, *t) != 0 ? t : nullptr;
        Say(turn, MonsterKilled(game, actor, killer, true));
    } else {
        Say(turn, KillCreature(actor, true));
    }
}

void Smile(SpecialTurn& turn) {
    Creature* t = FirstTarget(turn);
    if (t == nullptr || !IsActive(*t)) return;
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
    if (t == nullptr || !IsActive(*t)) return;
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
    if (t == nullptr || !IsActive(*t)) return;
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
    // Out of the battle: nothing of it stays with him until he rejoins.
    t->Status &= ~BattleOnlyMask;
    t->AC = t->BaseAC;
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
    t->Status &= ~BattleOnlyMask;
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
        if (IsActive(*t) && Dice(game.Rng, 1, t->Agility, 0) < 4)
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
    if (turn.Aim.Display != nullptr) turn.Aim.Display->ShowSacrifice(true);
    for (Creature* t : turn.Targets()) {
        if ((t->Status & GoneMask) != 0) continue;
        KillCreature(*t, false);
        Say(turn, turn.Prefix + "\n" + t->Name + "はくだけ散った");
    }
    // The caster's own death is not booked.
    KillCreature(turn.Actor(), false);
    Say(turn, turn.Actor().Name + "は力尽きて死んでしまった");
    if (turn.Aim.Display != nullptr) turn.Aim.Display->ShowSacrifice(false);
}

void ForceField(SpecialTurn& turn) {
    // Doubled up to a bound: a long battle must not roll dice for ever.
    for (Creature* c : turn.Allies())
        c->DamageDice[0] = std::min(c->DamageDice[0] * 2, DiceCountLimit);
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
    if (t == nullptr || !IsActive(*t)) return;
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
    if (t == nullptr || !IsActive(*t)) return;
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

}  // namespace kv
