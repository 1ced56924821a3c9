#pragma once
// Every subsystem's screens, installed on the main window in one place so the
// session does not grow with the game.
#include "ui/ScreenContext.h"

namespace kv {

void InstallScreens(ScreenContext& context);

}  // namespace kv
