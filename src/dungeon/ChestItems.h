#pragma once
// What a chest holds: items drawn by the chest's level, and the item the
// last battle's monsters dropped.
#include <cstdint>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// The items a chest may hold: for a hidden chest (ChestLevel above 0) the
// chest item table's rows up to its level; for a battle chest every item
// found at the chest's item level or below that can be appraised.
std::vector<int32_t> ChestCandidates(const Game& game);

// Gives the chest's items to the first members with room, unidentified,
// each announced by name: 1d3 draws (1d4 when a member has the treasure
// skill), then on a 1d5 of 1 the dropped item. A party with no room for
// anything drawn is told so. Returns how many items were given.
int GiveChestItems(Game& game, Player& player);

}  // namespace kv
