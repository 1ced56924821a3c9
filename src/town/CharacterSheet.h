#pragma once
// A short read-only account of a character, shown in a message where the
// full status window is not at hand.
#include <string>

#include "core/Game.h"

namespace kv {

// Name, alignment and class, race, level, age, hit points, armour class,
// condition, gold, experience and the eight statistics, "\r" between lines.
// "" for a slot outside the roster.
std::string CharacterSheet(const Game& game, int slot);

}  // namespace kv
