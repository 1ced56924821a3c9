#pragma once
// The numbered string table: every message text the game shows by number,
// kept in one language file (strings.ja.txt) compiled into the program.
#include <string_view>
#include <vector>

namespace kv {

// The text of entry id (UTF-8; "\n" and "\r" break lines). An id the table
// lacks gives the empty text; a test checks that every id the code asks for
// exists, so that only happens with a broken build.
std::string_view ResString(int id);
bool HasResString(int id);
std::vector<int> ResStringIds();  // every id in the table, ascending

}  // namespace kv
