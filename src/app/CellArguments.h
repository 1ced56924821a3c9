#pragma once
// The maze cells and floors an author names on the command line:
//   --start PLACE:FLOOR:X,Y[:FACING]   e.g. 21:3:4,7:E
//   --export-map PLACE-FLOOR           e.g. 21-3
// PLACE is a maze's place code (20..27, as the transcript's "where" lines
// give it), FLOOR 1..21, X and Y 0..19, FACING N, E, S or W (or 0..3;
// south when left out, as a party entering from town faces).
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// place, floor, x, y, facing; nothing and a one-line reason when malformed.
std::optional<std::array<int, 5>> ParseStartCell(std::string_view text, std::string& error);

// place, floor.
std::optional<std::array<int, 2>> ParseMapFloor(std::string_view text, std::string& error);

}  // namespace kv
