#pragma once
// The training grounds' rules for the roster: counting it, moving a
// character to another slot, renaming, and changing class.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/Game.h"

namespace kv {

// The character in slot from takes slot to; the ones between shift by one
// (empty slots too), and every character's Id becomes its slot again.
void MoveInRoster(Game& game, int from, int to);

enum class RenameResult { Empty, TooLong, NameInUse, Renamed };
// A new name for the character of the slot: refused when empty, longer
// than a roster name may be, or already anybody's (its own included).
RenameResult RenameCharacter(Game& game, int slot, std::string_view name);

// Whether any character in town may change class (alive, well, in no party).
bool AnyoneMayChangeClass(const Game& game);
// The classes the character's statistics, alignment and sex open, in table
// order (its present class among them when it still qualifies).
std::vector<int32_t> ClassesForChange(const Game& game, int slot);
// The change itself: level 1, older, no experience, the race's statistics
// raised to the new class's minimums, spell points from the spells known,
// a start in the new class's school, no skills, everything taken off.
void ChangeClass(Game& game, int slot, int32_t classBit);

}  // namespace kv
