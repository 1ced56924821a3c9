#pragma once
// The lines of a character's status sheet: who the character is, the
// statistics, hit points, armour class, gold and experience, condition,
// spell points and what the character resists.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

// "" lines are gaps. Empty for a slot outside the roster.
std::vector<std::string> StatusSheetLines(const Game& game, int slot);

// One attribute's resistance as the sheet shows it: "　反射", "　吸収",
// "　無効" or the percentage and "％".
std::string ResistText(uint8_t value);

// The spell names the character knows, one line per school and level.
std::vector<std::string> SpellbookLines(const Game& game, const Creature& creature);

}  // namespace kv
