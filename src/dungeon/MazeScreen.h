#pragma once
// The maze on the main window: the place menu at the edge of town, entering
// and resuming, and the dungeon screen itself, whose keys walk, turn, search,
// camp and leave, and which takes the party back after a battle.
#include "ui/ScreenContext.h"

namespace kv {

// Registers the place menu and the dungeon screen, and the context's ways
// to resume a party left in the maze and to come back from a battle.
void InstallMazeScreens(ScreenContext& context);

}  // namespace kv
