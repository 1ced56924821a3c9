#include "ViewScenes.h"

namespace kv::gen {
namespace {

constexpr int Sides = 2 | 8;  // the walls on the right and on the left

// Solid rock everywhere except the cells a scene opens.
ViewCells Rock() {
    ViewCells cells;
    cells.ViewWalls.fill(AllEdges);
    cells.ViewWalls[0] = 0;
    return cells;
}

void Set(std::array<int16_t, ViewCellCount + 1>& layer, int cell, int bits) {
    layer[static_cast<size_t>(cell)] = static_cast<int16_t>(bits);
}

}  // namespace

std::array<ViewScene, 4> SampleScenes() {
    ViewCells corridor = Rock();
    for (int cell : {15, 12, 8}) Set(corridor.ViewWalls, cell, Sides);
    Set(corridor.ViewWalls, 3, Sides | 1);

    ViewCells door = Rock();
    Set(door.ViewWalls, 15, Sides);
    Set(door.ViewWalls, 12, Sides | 1);
    Set(door.ViewDoors, 12, 1);

    ViewCells junction = Rock();
    Set(junction.ViewWalls, 15, Sides);
    Set(junction.ViewWalls, 12, 2);
    Set(junction.ViewWalls, 11, 1 | 4);
    Set(junction.ViewWalls, 8, Sides);
    Set(junction.ViewWalls, 3, Sides);
    Set(junction.ViewDoors, 15, 2);

    ViewCells room;
    for (int cell : {1, 2, 3, 4, 5}) Set(room.ViewWalls, cell, 1);
    for (int cell : {6, 11, 14}) Set(room.ViewWalls, cell, 8);
    for (int cell : {10, 13, 16}) Set(room.ViewWalls, cell, 2);
    Set(room.ViewDoors, 3, 1);
    return {{{"corridor", corridor}, {"door", door}, {"junction", junction}, {"room", room}}};
}

}  // namespace kv::gen
