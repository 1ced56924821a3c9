#pragma once
// The row a roster character is listed by: number, name, level, alignment
// and class, race, then "Ａｓｈｅｓ．" or "Ｄｅａｄ．" and "Ｏｕｔ" for a
// character out in the maze.
#include <string>

#include "core/Game.h"

namespace kv {

// The row of the character in the roster slot, numbered as the list numbers
// it. "" for a slot outside the roster.
std::string RosterRow(const Game& game, int slot, int number);

}  // namespace kv
