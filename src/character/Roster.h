#pragma once
// The roster as the roster list window and the training grounds use it: the
// text of a character's row, erasing a character, and keeping the count.
#include <string>
#include <string_view>

#include "core/Game.h"

namespace kv {

// The row of the character in the roster slot, listed as row `number`:
// number, name, level, alignment and class, race, all in full-width
// characters and cut to their columns, then "Ａｓｈｅｓ．" for ashes or else
// "Ｄｅａｄ．" for the dead, then "Ｏｕｔ" while the character is out in the
// maze. "" for a slot outside 1..50.
std::string RosterRowText(const Game& game, int slot, int number);

// The slot becomes the blank record of slot 0; the character is gone.
void EraseCharacter(Game& game, int slot);

// The characters in slots 1..50. A slot whose Id is below 1 is made blank
// on the way, so a half-cleared slot never lingers as a ghost.
int CountRoster(Game& game);

// The first slot 1..50 with no character (Id below 1), or 0 when the
// roster is full.
int FirstFreeSlot(const Game& game);

// The first slot 1..50 whose character bears exactly this name, or 0 (also
// for the empty name).
int FindCharacterByName(const Game& game, std::string_view name);

}  // namespace kv
