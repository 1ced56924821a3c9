#pragma once
// The seam between a monster's (or a summon's) choice of spell and the
// spell's working. The monster's turn picks the spell by school and level;
// the casting itself (its announcement, silence, targets, damage and
// reactions) is the spell engine's. A caster standing in Battle.Summons
// casts for the party's side.
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo);

}  // namespace kv
