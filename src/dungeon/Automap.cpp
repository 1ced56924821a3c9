#include "dungeon/Automap.h"

#include "core/MazeMap.h"

namespace kv {

void RecordVisit(Game& game) {
    const int maze = MazeOf(game.CurrentPlace);
    const int16_t walls = WallMap(game, maze, game.CurrentFloor, game.PartyX, game.PartyY);
    const int16_t doors = DoorMap(game, maze, game.CurrentFloor, game.PartyX, game.PartyY);
    SetSeenWalls(game, maze, game.CurrentFloor, game.PartyX, game.PartyY, walls);
    SetSeenDoors(game, maze, game.CurrentFloor, game.PartyX, game.PartyY, doors);
}

}  // namespace kv
