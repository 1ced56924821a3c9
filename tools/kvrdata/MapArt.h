#pragma once
// One maze floor as a text file: a 41 x 41 drawing of the 20 x 20 cells with
// their edges, or, for data a drawing cannot express, three grids of numbers.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Diagnostics.h"
#include "core/Game.h"
#include "core/MazeMap.h"

namespace kv::kvrdata {

// The three layers of one floor, cell (x, y) at y * 20 + x.
struct FloorCells {
    std::array<int16_t, FloorCellCount> Walls{};
    std::array<int16_t, FloorCellCount> Doors{};
    std::array<int16_t, FloorCellCount> Flags{};
    bool Empty() const;
};

// The cells of maze (place code - 20) and floor, and back.
FloorCells GetFloor(const Database& db, int maze, int floor);
void PutFloor(Database& db, int maze, int floor, const FloorCells& cells);

// The drawing, or nothing when these cells cannot be drawn (a side of a
// wall stored in one cell only, values outside the drawn bits).
std::optional<std::string> DrawFloor(const FloorCells& cells);
std::string FloorNumbers(const FloorCells& cells);
// The drawing when there is one, else the numbers.
std::string WriteFloor(const FloorCells& cells);

// Reads either form; problems are reported with file, line and column.
bool ParseFloor(std::string_view text, const std::string& file, FloorCells& cells,
                Diagnostics& diag);

// "maps/21-01.txt" for place code 21, floor 1, and back.
std::string FloorFileName(int placeCode, int floor);
bool ParseFloorFileName(std::string_view name, int& placeCode, int& floor);

}  // namespace kv::kvrdata
