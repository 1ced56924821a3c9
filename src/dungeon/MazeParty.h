#pragma once
// The party's comings and goings in the maze: choosing a place at the edge
// of town, entering, resuming a party left in the maze, suspending, falling,
// and finding companions left where they stood.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"

namespace kv {

// A cell of a maze and the way the party faces on it (0 north .. 3 west).
struct CellPosition {
    int Place = 0;  // place code, 20..27
    int Floor = 0;
    int X = 0;
    int Y = 0;
    int Facing = 2;
};

// The smallest party number 1..50 no roster character holds, or 0.
int FreePartyNumber(const Game& game);

// The party enters the maze at (0, 0) of floor 1 of the place, facing south.
// False when it cannot (no party, or a party that is wiped out).
bool EnterMaze(Game& game, Player& player, int place, GameDisplay& display);

// A party left in the maze takes up its trip again: the members are every
// character sharing the chosen character's party number, in marching order;
// it faces north. False when the chosen character is not out in the maze,
// or when the party did not survive landing (it has been handled as wiped
// out then).
bool ResumeAdventure(Game& game, Player& player, int slot, GameDisplay& display);

// For a scenario author: the first living characters of the roster (up to
// six) form a party standing on the named cell, without the town. False, with
// the reason in why, when nobody is alive or the cell is off the maps.
bool StartAtCell(Game& game, Player& player, const CellPosition& cell, GameDisplay& display,
                 std::string& why);

// Every member is set down in the maze where it stands and leaves the party
// list; the lost are erased. The party is empty afterwards.
void SetPartyDown(Game& game);

// Q: the party stays where it is and the castle comes back.
void SuspendAdventure(Game& game, Player& player, GameDisplay& display);

// The party fell, in the maze or in battle: its bodies stay at this cell,
// the game is saved, the player is told, and the castle comes back.
void HandleWipeOut(Game& game, Player& player, GameDisplay& display);

// S: characters standing at this cell who are not in the party may join it.
void FindCompanions(Game& game, Player& player, GameDisplay& display);

}  // namespace kv
