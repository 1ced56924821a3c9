#pragma once
// How many blows a party member strikes in a fight: its class gives one
// more every few levels, up to the class's most (three more with the skill
// of many blows). Recomputed at every level-up and whenever the equipment
// may have changed.
#include "core/Game.h"

namespace kv {

// Sets AttackCount from the class table and returns it; a class the table
// does not know keeps a single blow.
int NumberOfBlows(const Game& game, Creature& creature);

}  // namespace kv
