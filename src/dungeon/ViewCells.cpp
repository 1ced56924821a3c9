#include "dungeon/ViewCells.h"

namespace kv {
namespace {

// Multiplying the four edge bits by these (mod 15) turns them a quarter for
// each step of the facing: facing east, the east wall becomes the one ahead.
constexpr std::array<int, 4> FacingMultipliers = {1, 8, 4, 2};

int WrapOnFloor(int coordinate) {
    const int wrapped = coordinate % FloorSide;
    return wrapped < 0 ? wrapped + FloorSide : wrapped;
}

}  // namespace

FloorPoint ViewCellPosition(int cell, int partyX, int partyY, int facing) {
    const ViewOffset offset = cell >= 1 && cell <= ViewCellCount
                                  ? ViewCellOffsets[static_cast<size_t>(cell)]
                                  : ViewOffset{0, 0};
    const int dx = offset.Dx, dy = offset.Dy;
    int x = partyX, y = partyY;
    switch (facing & 3) {
        case 0:
            x += dx;
            y += dy;
            break;
        case 1:
            x -= dy;
            y += dx;
            break;
        case 2:
            x -= dx;
            y -= dy;
            break;
        default:
            x += dy;
            y -= dx;
            break;
    }
    return {WrapOnFloor(x), WrapOnFloor(y)};
}

int16_t TurnToViewer(int16_t edges, int facing) {
    // Only the four edge bits mean anything; a corrupt value keeps just those.
    const int bits = edges & AllEdges;
    if (bits == AllEdges) return AllEdges;
    return static_cast<int16_t>(FacingMultipliers[static_cast<size_t>(facing & 3)] * bits % 15);
}

ViewCells SampleViewCells(const Game& game, const FloorLayers& floor) {
    ViewCells cells;
    const int maze = MazeOf(game.CurrentPlace);
    for (int k = 1; k <= ViewCellCount; ++k) {
        const FloorPoint at = ViewCellPosition(k, game.PartyX, game.PartyY, game.PartyFacing);
        const auto i = static_cast<size_t>(k);
        cells.ViewWalls[i] = TurnToViewer(floor.FloorWalls.At(at.X, at.Y), game.PartyFacing);
        cells.ViewDoors[i] = TurnToViewer(floor.FloorDoors.At(at.X, at.Y), game.PartyFacing);
        cells.ViewFlags[i] = CellFlagMap(game, maze, game.CurrentFloor, at.X, at.Y);
    }
    return cells;
}

}  // namespace kv
