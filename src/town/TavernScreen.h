#pragma once
// The tavern: the party is formed here, members leave, are looked at, and
// share their gold.
#include "ui/ScreenContext.h"

namespace kv {

// Registers the tavern on the main window.
void InstallTavernScreen(ScreenContext& context);

}  // namespace kv
