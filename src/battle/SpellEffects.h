#pragma once
// The routines behind the effect codes, one per kind of effect; the tables
// in SpellEngine.cpp and Songs.cpp say which code runs which routine with
// which value (a condition, status bits, a blessing bit, a chance).
#include <array>
#include <cstdint>
#include <span>

#include "battle/SpellEngine.h"

namespace kv {

using EffectRoutine = void (*)(Game& game, Player& player, SpellCast& cast, int32_t value,
                               int chance);

struct EffectRow {
    int Code;
    EffectRoutine Run;
    int32_t Value;  // what the routine needs: a condition kind, bits, an amount
    int Chance;     // a percentage where the routine rolls one
};

// Runs the row of table whose code is the cast spell's effect. False, and
// nothing done, when the table has none.
bool RunEffectRow(std::span<const EffectRow> table, Game& game, Player& player, SpellCast& cast);

// On the monsters (SpellEffectsMonsters.cpp).
void AttackGroups(Game&, Player&, SpellCast&, int32_t, int);
void ConditionOnGroups(Game&, Player&, SpellCast&, int32_t kind, int chance);
void PoisonGroup(Game&, Player&, SpellCast&, int32_t kind, int chance);
void MonsterArmour(Game&, Player&, SpellCast&, int32_t, int);
void IdentifyGroup(Game&, Player&, SpellCast&, int32_t, int);
void BreakMonsterShields(Game&, Player&, SpellCast&, int32_t, int);
void DrainLife(Game&, Player&, SpellCast&, int32_t, int);
void Exorcise(Game&, Player&, SpellCast&, int32_t, int);
void Chaos(Game&, Player&, SpellCast&, int32_t, int);
void NearDeath(Game&, Player&, SpellCast&, int32_t, int);
void LingeringArea(Game&, Player&, SpellCast&, int32_t, int);
void LowerLuck(Game&, Player&, SpellCast&, int32_t, int);
void UndoRaises(Game&, Player&, SpellCast&, int32_t, int);
void SongDamage(Game&, Player&, SpellCast&, int32_t moon, int);
void BaneOfUndead(Game&, Player&, SpellCast&, int32_t, int);

// On the party (SpellEffectsParty.cpp, SpellRevival.cpp).
void PartyArmour(Game&, Player&, SpellCast&, int32_t, int);
void HealMembers(Game&, Player&, SpellCast&, int32_t whole, int);
void FullHeal(Game&, Player&, SpellCast&, int32_t whole, int);
void CureMembers(Game&, Player&, SpellCast&, int32_t bits, int);
void CureWhenAfflicted(Game&, Player&, SpellCast&, int32_t bits, int);
void Revive(Game&, Player&, SpellCast&, int32_t, int);
void FullRevival(Game&, Player&, SpellCast&, int32_t, int);
void MassRevival(Game&, Player&, SpellCast&, int32_t, int);
void SongRevival(Game&, Player&, SpellCast&, int32_t, int);
void RaisePartyShield(Game&, Player&, SpellCast&, int32_t breath, int);
void Miracle(Game&, Player&, SpellCast&, int32_t, int);
void EscapeSpell(Game&, Player&, SpellCast&, int32_t, int);
void WardMembers(Game&, Player&, SpellCast&, int32_t bit, int);
void RestoreSpellPoints(Game&, Player&, SpellCast&, int32_t, int);
void HideMembers(Game&, Player&, SpellCast&, int32_t, int);
void SetPartyEffect(Game&, Player&, SpellCast&, int32_t bit, int);
void SetBlessing(Game&, Player&, SpellCast&, int32_t bit, int);
void SongHealFront(Game&, Player&, SpellCast&, int32_t, int);
void SongHealAll(Game&, Player&, SpellCast&, int32_t, int);
void SongCure(Game&, Player&, SpellCast&, int32_t bits, int);
void SongFullHeal(Game&, Player&, SpellCast&, int32_t, int);

// The conditions a full cure clears (with disease for the caster's skill).
inline constexpr int32_t FullCureBits =
    StatusSleep | StatusParalysis | StatusFear | StatusConfusion | StatusFrozen | StatusShock |
    StatusCharm | StatusPoison | StatusSilence | StatusBlind | StatusStone | StatusDeadlyPoison;

}  // namespace kv
