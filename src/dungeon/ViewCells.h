#pragma once
// The sixteen cells the first-person view looks at, and what it sees of them.
// Seen facing north, the cells are three rows of five, five and three cells
// ahead of the party and the row it stands in:
//
//    1  2  3  4  5        (three ahead)
//    6  7  8  9 10        (two ahead)
//      11 12 13           (one ahead)
//      14 15 16           (15 is the party's own cell)
//
// Each cell's walls and doors are turned into the viewer's frame, so bit 1 is
// always the wall in front, 2 the one on the right, 4 behind, 8 on the left.
#include <array>
#include <cstdint>

#include "core/Game.h"
#include "core/MazeMap.h"

namespace kv {

inline constexpr int ViewCellCount = 16;
inline constexpr int PartyViewCell = 15;

// Offset of a view cell from the party as seen facing north: dy < 0 is
// ahead, dx > 0 to the right. Element 0 is unused.
struct ViewOffset {
    int Dx, Dy;
};
inline constexpr std::array<ViewOffset, ViewCellCount + 1> ViewCellOffsets = {{
    {0, 0},
    {-2, -3},
    {-1, -3},
    {0, -3},
    {1, -3},
    {2, -3},
    {-2, -2},
    {-1, -2},
    {0, -2},
    {1, -2},
    {2, -2},
    {-1, -1},
    {0, -1},
    {1, -1},
    {-1, 0},
    {0, 0},
    {1, 0},
}};

// What the view sees of each cell 1..16 (element 0 unused).
struct ViewCells {
    std::array<int16_t, ViewCellCount + 1> ViewWalls{};  // FloorWalls in the viewer's frame
    std::array<int16_t, ViewCellCount + 1> ViewDoors{};  // FloorDoors in the viewer's frame
    std::array<int16_t, ViewCellCount + 1> ViewFlags{};  // CellFlagMap as it is
};

struct FloorPoint {
    int X, Y;
};

// The floor cell of view cell 1..16 for a party at (x, y) facing 0 north,
// 1 east, 2 south or 3 west. The floor wraps at its edges.
FloorPoint ViewCellPosition(int cell, int partyX, int partyY, int facing);

// A cell's edge bits turned from the map's frame into the viewer's. Closed on
// all four sides stays closed whatever the facing.
int16_t TurnToViewer(int16_t edges, int facing);

// Samples the view cells around the party: walls and doors from the current
// floor's layers, darkness from the maze's CellFlagMap.
ViewCells SampleViewCells(const Game& game, const FloorLayers& floor);

}  // namespace kv
