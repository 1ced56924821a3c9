#pragma once
// Typed access to the maze maps and to the automap. Both hold 8 mazes x 22
// floors x 20 x 20 cells in 70,400 elements, but in different orders: the
// database's layers put the row before the column (element (maze, floor, y, x)
// at maze + 8*floor + 176*y + 3520*x), the save's automap the column before
// the row (maze + 8*floor + 176*x + 3520*y). Every accessor here takes
// (maze, floor, x, y) so no caller has to remember which is which.
//
// A maze is the place code minus 20 (MazeOf). Data read from disk may be
// corrupt, so nothing here trusts its arguments: reading outside the arrays
// gives a harmless value (0, an open cell with no flags, for the maps; -1,
// never seen, for the automap) and writing outside them changes nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/FloorLayers.h"
#include "core/Game.h"

namespace kv {

inline constexpr int FirstMazePlace = 20;  // place code of maze 0
inline constexpr int MazeCount = 8;        // place codes 20..27
inline constexpr int MazeFloors = 22;      // floors 0..21; floor 0 is never entered

static_assert(MazeCount * MazeFloors * FloorCellCount == MapElements);

// Edge bits of a WallMap or DoorMap cell.
enum EdgeBit : int16_t { EdgeNorth = 1, EdgeEast = 2, EdgeSouth = 4, EdgeWest = 8 };
inline constexpr int16_t AllEdges = EdgeNorth | EdgeEast | EdgeSouth | EdgeWest;

// The edge in front of a party facing 0 north, 1 east, 2 south, 3 west.
constexpr int16_t EdgeOf(int facing) {
    return static_cast<int16_t>(1 << (facing & 3));
}

// CellFlagMap bits.
enum CellFlag : int16_t { DarkCell = 1, TeleportProofCell = 2 };

// An automap cell the party has never stood on.
inline constexpr int16_t Unseen = -1;

constexpr int MazeOf(int placeCode) {
    return placeCode - FirstMazePlace;
}

constexpr bool OnMap(int maze, int floor, int x, int y) {
    return maze >= 0 && maze < MazeCount && floor >= 0 && floor < MazeFloors && x >= 0 &&
           x < FloorSide && y >= 0 && y < FloorSide;
}

// Element of (maze, floor, x, y) in WallMap, DoorMap and CellFlagMap.
constexpr std::optional<size_t> MapPosition(int maze, int floor, int x, int y) {
    if (!OnMap(maze, floor, x, y)) return std::nullopt;
    return static_cast<size_t>(maze + 8 * floor + 176 * y + 3520 * x);
}

// Element of (maze, floor, x, y) in SeenWalls and SeenDoors.
constexpr std::optional<size_t> SeenPosition(int maze, int floor, int x, int y) {
    if (!OnMap(maze, floor, x, y)) return std::nullopt;
    return static_cast<size_t>(maze + 8 * floor + 176 * x + 3520 * y);
}

namespace detail {

inline int16_t ReadAt(const std::vector<int16_t>& values, std::optional<size_t> at,
                      int16_t outside) {
    return at && *at < values.size() ? values[*at] : outside;
}

inline bool WriteAt(std::vector<int16_t>& values, std::optional<size_t> at, int16_t value) {
    if (!at || *at >= values.size()) return false;
    values[*at] = value;
    return true;
}

enum MapLayerIndex : size_t { WallLayer = 0, DoorLayer = 1, FlagLayer = 2 };

}  // namespace detail

// The three map layers of the database.
inline int16_t WallMap(const Database& db, int maze, int floor, int x, int y) {
    return detail::ReadAt(db.MapLayers[detail::WallLayer], MapPosition(maze, floor, x, y), 0);
}
inline int16_t DoorMap(const Database& db, int maze, int floor, int x, int y) {
    return detail::ReadAt(db.MapLayers[detail::DoorLayer], MapPosition(maze, floor, x, y), 0);
}
inline int16_t CellFlagMap(const Database& db, int maze, int floor, int x, int y) {
    return detail::ReadAt(db.MapLayers[detail::FlagLayer], MapPosition(maze, floor, x, y), 0);
}
inline bool SetWallMap(Database& db, int maze, int floor, int x, int y, int16_t value) {
    return detail::WriteAt(db.MapLayers[detail::WallLayer], MapPosition(maze, floor, x, y), value);
}
inline bool SetDoorMap(Database& db, int maze, int floor, int x, int y, int16_t value) {
    return detail::WriteAt(db.MapLayers[detail::DoorLayer], MapPosition(maze, floor, x, y), value);
}
inline bool SetCellFlagMap(Database& db, int maze, int floor, int x, int y, int16_t value) {
    return detail::WriteAt(db.MapLayers[detail::FlagLayer], MapPosition(maze, floor, x, y), value);
}

// Solid rock: closed on all four sides with no door to pass.
inline bool IsSolidRock(const Database& db, int maze, int floor, int x, int y) {
    return WallMap(db, maze, floor, x, y) == AllEdges && DoorMap(db, maze, floor, x, y) == 0;
}

// The automap of the save.
inline int16_t SeenWalls(const SavedState& save, int maze, int floor, int x, int y) {
    return detail::ReadAt(save.SeenWalls, SeenPosition(maze, floor, x, y), Unseen);
}
inline int16_t SeenDoors(const SavedState& save, int maze, int floor, int x, int y) {
    return detail::ReadAt(save.SeenDoors, SeenPosition(maze, floor, x, y), Unseen);
}
inline bool SetSeenWalls(SavedState& save, int maze, int floor, int x, int y, int16_t value) {
    return detail::WriteAt(save.SeenWalls, SeenPosition(maze, floor, x, y), value);
}
inline bool SetSeenDoors(SavedState& save, int maze, int floor, int x, int y, int16_t value) {
    return detail::WriteAt(save.SeenDoors, SeenPosition(maze, floor, x, y), value);
}

// The walls and doors of one floor; a floor off the map is all open.
inline FloorLayers CopyFloorLayers(const Database& db, int maze, int floor) {
    FloorLayers layers;
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            const auto cell = static_cast<size_t>(y * FloorSide + x);
            layers.FloorWalls.Cells[cell] = WallMap(db, maze, floor, x, y);
            layers.FloorDoors.Cells[cell] = DoorMap(db, maze, floor, x, y);
        }
    }
    return layers;
}

}  // namespace kv
