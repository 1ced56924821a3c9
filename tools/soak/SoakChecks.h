#pragma once
// What must hold of a save after any amount of play: the invariants a soak
// checks between its runs. Each broken one is a line naming the character.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv::soak {

std::vector<std::string> BrokenInvariants(const Game& saved);

}  // namespace kv::soak
