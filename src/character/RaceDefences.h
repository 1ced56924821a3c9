#pragma once
// A character's defences as its race gives them, before anything worn is
// added on top: armour class, resistances and damage rates.
#include "core/Game.h"

namespace kv {

// Regen 0, BaseAC the race's, Resist and DamageRate 1..36 the race's, both
// grant-flag sets 0. A race bit without a row leaves no resistance, full
// damage and an armour class of 10.
void ResetRaceDefences(const Game& game, Creature& creature);

}  // namespace kv
