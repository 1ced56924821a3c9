#pragma once
// A monster's spell: the acting monster casts a spell row at the party's
// side through the spell engine (targets, resistance, damage, effects and
// the party's answers to it).
#include "core/Creature.h"
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// A summon that casts works for the party: the sides are exchanged. summon:
// the summon slot the monster's turn chose to strike instead of the party
// (0: the party), or AskSummon to choose it now.
inline constexpr int AskSummon = -1;
void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo,
                      int summon = AskSummon);

struct SpellCast;
// The summon's side of it, once the spell is announced (SummonSpell.cpp).
void CastSummonSpell(Game& game, Player& player, SpellCast& cast);

}  // namespace kv
