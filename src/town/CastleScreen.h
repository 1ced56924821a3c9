#pragma once
// The castle menu and the edge of town: the two screens every trip starts
// and ends on.
#include "town/CastleReturn.h"
#include "ui/ScreenContext.h"

namespace kv {

// Registers the castle and the edge of town on the main window.
void InstallCastleScreens(ScreenContext& context);

// Back to the castle menu with the castle music.
void ShowCastle(ScreenContext& context);

// To the edge of town with its music.
void ShowEdgeOfTown(ScreenContext& context);

// The end of a trip into the maze: the party comes home, the game is
// saved, the castle comes back on screen, and the ending is shown when the
// party has earned it.
void ReturnToCastle(ScreenContext& context);

}  // namespace kv
