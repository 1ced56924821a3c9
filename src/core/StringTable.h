#pragma once
// The numbered string table: every message text the game shows by number,
// kept in one language file (strings.ja.txt) compiled into the program.
#include <string_view>
#include <vector>

#include "core/StringIds.h"  // generated from strings.ja.txt: enum class Str

namespace kv {

// The text of entry id (UTF-8; "\n" and "\r" break lines). The code asks by
// name (Str::...), which the build makes from the language file, so an entry
// it names always exists.
std::string_view ResString(Str id);
// An entry of a numbered family: first + offset (the place names, the facing
// texts, ...); the caller keeps the offset inside the family.
std::string_view ResString(Str first, int offset);
// By bare number, for the checks that walk the whole table; the game's code
// names its entries instead. An id the table lacks gives the empty text.
std::string_view ResStringNumber(int id);
bool HasResString(int id);
std::vector<int> ResStringIds();  // every id in the table, ascending

}  // namespace kv
