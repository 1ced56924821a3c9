#pragma once
// The castle menu and the edge of town: the two screens every trip starts
// and ends on.
#include "ui/ScreenContext.h"

namespace kv {

// Registers the castle and the edge of town on the main window.
void InstallCastleScreens(ScreenContext& context);

// Back to the castle menu with the castle music.
void ShowCastle(ScreenContext& context);

// To the edge of town with its music.
void ShowEdgeOfTown(ScreenContext& context);

}  // namespace kv
