#pragma once
// A monster's spell: the acting monster casts a spell row at the party's
// side through the spell engine (targets, resistance, damage, effects and
// the party's answers to it).
#include "core/Creature.h"
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// A summon that casts works for the party: the sides are exchanged.
void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo);

struct SpellCast;
// The summon's side of it, once the spell is announced (SummonSpell.cpp).
void CastSummonSpell(Game& game, Player& player, SpellCast& cast);

}  // namespace kv
