#pragma once
// The battle on the main window: the monster list, the command list, the
// monster's picture over the maze, the party panel and the help panel.
#include "ui/ScreenContext.h"

namespace kv {

// Registers the battle for its own menu state and installs
// context.StartBattle.
void InstallBattleScreen(ScreenContext& context);

}  // namespace kv
