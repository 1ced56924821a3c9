#pragma once
// The current floor's walls and doors as movement and the view read them:
// FloorWalls and FloorDoors, copied from the maps on every floor change.
#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

inline constexpr int FloorSide = 20;  // cells per row and per column
inline constexpr int FloorCellCount = FloorSide * FloorSide;

// One floor's walls or doors.
struct FloorLayer {
    std::array<int16_t, FloorCellCount> Cells{};  // cell (x, y) at y * 20 + x

    // Outside the floor reads as an open cell.
    int16_t At(int x, int y) const {
        if (x < 0 || x >= FloorSide || y < 0 || y >= FloorSide) return 0;
        return Cells[static_cast<size_t>(y * FloorSide + x)];
    }
};

struct FloorLayers {
    FloorLayer FloorWalls;
    FloorLayer FloorDoors;
};

}  // namespace kv
