#pragma once
// The keys that pick a spell in the spell grid the game shows a caster: the
// arrows from the label current when it opens to the spell's, then Enter.
#include <string>

#include "core/Game.h"

namespace kv::playthrough {

// "" when the caster does not know the spell (its label is not shown).
std::string GridKeys(const Game& game, const Creature& caster, int spellRow);

}  // namespace kv::playthrough
