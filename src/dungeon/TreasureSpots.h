#pragma once
// The hidden chests: fifty squares of the mazes where a search finds a
// chest, scattered at start-up and again whenever both moons are new.
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int TreasureSpotRows = 50;

enum TreasureColumn : int { SpotPlace = 1, SpotFloor = 2, SpotX = 3, SpotY = 4, SpotActive = 5 };

// Element of column c (1..5) of row r (1..50) in TreasureSpots.
int16_t& TreasureSpot(Game& game, int column, int row);

// Clears every spot and fills the fifty rows again with random squares that
// are not solid rock (at most 1000 tries; a square drawn twice is a try lost).
void PlaceTreasureSpots(Game& game);

// A search on the party's square: when an active spot lies here it is used
// up, "宝箱を発見した！" is shown and true comes back.
bool FindHiddenChest(Game& game, Player& player);

// On arrival: a member with the treasure-finding skill notices an active
// spot under the party's feet ("何かが落ちている"). True when it was told.
bool DroppedItemHint(Game& game, Player& player);

}  // namespace kv
