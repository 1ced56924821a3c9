#pragma once
// A monster's spell: the acting monster casts a spell row at the party's
// side through the spell engine (targets, resistance, damage, effects and
// the party's answers to it).
#include "core/Creature.h"
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo);

}  // namespace kv
