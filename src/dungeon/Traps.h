#pragma once
// The chest traps going off: each trap's effect code picks one row of the
// effect table (who is hit, what saves them, what happens to them).
#include <cstdint>

#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"

namespace kv {

inline constexpr int TrapEffectCount = 41;

// Shows "おおっと！！　" and the trap's message, then applies the effect of
// game.ChestTrap to the party; opener is the member who acted. An effect
// code outside 1..41 does nothing more.
void SpringTrap(Game& game, Player& player, GameDisplay& display, Creature& opener);

}  // namespace kv
