#pragma once
// The shop's screens: the shop menu and its lists in the command menu.
#include "ui/ScreenContext.h"

namespace kv {

void InstallShopScreen(ScreenContext& context);

}  // namespace kv
