#include "playthrough/PathSearch.h"

#include <array>
#include <queue>

#include "core/MazeMap.h"

namespace kv::playthrough {

namespace {

struct Cell {
    int X, Y;
};
constexpr std::array<Cell, 4> StepOf{{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

int Wrap(int v) {
    return (v + FloorSide) % FloorSide;
}

// Steps the search never takes: floor 1's iron gate holds the party back
// unless its lever is pulled, and floor 2's trap is walked round.
struct Barred {
    int Floor, X, Y, Facing;
};
constexpr std::array<Barred, 5> BarredSteps{{
    {1, 18, 8, 1},
    {2, 10, 12, 2},
    {2, 10, 14, 0},
    {2, 9, 13, 1},
    {2, 11, 13, 3},
}};

bool IsBarred(int floor, int x, int y, int facing) {
    for (const Barred& b : BarredSteps)
        if (b.Floor == floor && b.X == x && b.Y == y && b.Facing == facing) return true;
    return false;
}

}  // namespace

int FirstStep(const FloorLayers& layers, int floor, int x, int y, int toX, int toY) {
    if (x == toX && y == toY) return AlreadyThere;
    // Breadth first from the target back, so each cell knows its way on.
    std::array<int, FloorCellCount> way;
    way.fill(NoWay);
    std::queue<Cell> open;
    open.push({toX, toY});
    way[static_cast<size_t>(toY * FloorSide + toX)] = AlreadyThere;
    while (!open.empty()) {
        const Cell c = open.front();
        open.pop();
        for (int d = 0; d < 4; ++d) {
            const Cell from{Wrap(c.X + StepOf[static_cast<size_t>(d)].X),
                            Wrap(c.Y + StepOf[static_cast<size_t>(d)].Y)};
            int& seen = way[static_cast<size_t>(from.Y * FloorSide + from.X)];
            if (seen != NoWay) continue;
            // The step from `from` towards c is facing (d + 2) % 4.
            const int back = (d + 2) % 4;
            const bool wall = (layers.FloorWalls.At(from.X, from.Y) & EdgeOf(back)) != 0;
            const bool door = (layers.FloorDoors.At(from.X, from.Y) & EdgeOf(back)) != 0;
            if ((wall && !door) || IsBarred(floor, from.X, from.Y, back)) continue;
            seen = back;
            open.push(from);
        }
    }
    return way[static_cast<size_t>(y * FloorSide + x)];
}

}  // namespace kv::playthrough
