#pragma once
// The party remembers the walls and doors of every cell it has stood on, and
// reads that knowledge back as a map of the floor it is on.
#include <cstdint>
#include <string>

#include "core/Game.h"

namespace kv {

// The current cell's walls and doors into the automap of the save.
void RecordVisit(Game& game);

// How the map shows a cell of the current floor.
enum class AutomapCellState {
    Unseen,  // never stood on: hatched
    Dark,    // stood on, but darkness hides it: hatched too
    Known,   // its walls and doors are drawn
};

struct AutomapCell {
    AutomapCellState State = AutomapCellState::Unseen;
    int16_t Walls = 0;  // edge bits, meaningful when Known
    int16_t Doors = 0;
};

// A cell (0..19, 0..19) of the party's place and floor as the party knows it.
// A remembered value outside 0..15 (a damaged save) reads as never seen
// rather than as a cell with doors on every side.
AutomapCell AutomapCellAt(const Game& game, int x, int y);
// The same for any place code and floor (a floor exported to a picture).
AutomapCell AutomapCellAt(const Game& game, int place, int floor, int x, int y);

// "現在地　３階（１２，５）南を向いています": floor, cell and facing, full-width.
std::string AutomapPositionLine(const Game& game);

}  // namespace kv
