#pragma once
// The two maze keys that run a square's events on demand: U uses an item
// here, F searches the square.
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"
#include "dungeon/Events.h"
#include "dungeon/Movement.h"

namespace kv {

// U: a member and one of its items are chosen, then the square's events for
// an item used here run. Nothing runs when either choice is cancelled.
MoveResult UseItemHere(Game& game, Player& player, GameDisplay& display);

// F: the square's search events run; when none ran and the settings ask for
// it, "何も見つからなかった" is shown. chestLevel reports a hidden chest found.
MoveResult SearchHere(Game& game, Player& player, GameDisplay& display, int& chestLevel);

}  // namespace kv
