#include "dungeon/Automap.h"

#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

bool IsEdgeValue(int16_t value) {
    return value >= 0 && value <= AllEdges;
}

}  // namespace

void RecordVisit(Game& game) {
    const int maze = MazeOf(game.CurrentPlace);
    const int16_t walls = WallMap(game, maze, game.CurrentFloor, game.PartyX, game.PartyY);
    const int16_t doors = DoorMap(game, maze, game.CurrentFloor, game.PartyX, game.PartyY);
    SetSeenWalls(game, maze, game.CurrentFloor, game.PartyX, game.PartyY, walls);
    SetSeenDoors(game, maze, game.CurrentFloor, game.PartyX, game.PartyY, doors);
}

AutomapCell AutomapCellAt(const Game& game, int x, int y) {
    return AutomapCellAt(game, game.CurrentPlace, game.CurrentFloor, x, y);
}

AutomapCell AutomapCellAt(const Game& game, int place, int floor, int x, int y) {
    const int maze = MazeOf(place);
    AutomapCell cell;
    cell.Walls = SeenWalls(game, maze, floor, x, y);
    cell.Doors = SeenDoors(game, maze, floor, x, y);
    if (!IsEdgeValue(cell.Walls) || !IsEdgeValue(cell.Doors)) {
        cell.State = AutomapCellState::Unseen;
    } else if ((CellFlagMap(game, maze, floor, x, y) & DarkCell) != 0) {
        cell.State = AutomapCellState::Dark;
    } else {
        cell.State = AutomapCellState::Known;
    }
    return cell;
}

std::string AutomapPositionLine(const Game& game) {
    return Wide("現在地　" + std::to_string(game.CurrentFloor) + "階（" +
                std::to_string(game.PartyX) + "," + std::to_string(game.PartyY) + "）" +
                std::string(ResString(Str::FacingNorth, game.PartyFacing & 3)));
}

}  // namespace kv
