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

namespace kv::kvrdata {

inline constexpr int kFloorSize = 20;
inline constexpr int kMapPlaces = 8;   // place codes 20..27
inline constexpr int kMapFloors = 22;  // floors 0..21
inline constexpr int kFirstMapPlace = 20;

// Edge bits of a cell, as WallMap and DoorMap hold them.
inline constexpr int16_t kNorth = 1;
inline constexpr int16_t kEast = 2;
inline constexpr int16_t kSouth = 4;
inline constexpr int16_t kWest = 8;
// CellFlagMap bits.
inline constexpr int16_t kDarkCell = 1;
inline constexpr int16_t kTeleportProofCell = 2;

// The three layers of one floor, cell (x, y) at y * 20 + x.
struct FloorCells {
    std::array<int16_t, kFloorSize * kFloorSize> Walls{};
    std::array<int16_t, kFloorSize * kFloorSize> Doors{};
    std::array<int16_t, kFloorSize * kFloorSize> Flags{};
    bool Empty() const;
};

// Element of (place index, floor, x, y) in the map layers.
constexpr size_t MapIndex(int place, int floor, int x, int y) {
    return static_cast<size_t>(place + 8 * floor + 176 * y + 3520 * x);
}

FloorCells GetFloor(const Database& db, int place, int floor);
void PutFloor(Database& db, int place, int floor, const FloorCells& cells);

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
