#pragma once
// The shop's screens: the shop menu and its lists in the command menu.
#include "ui/ScreenContext.h"

namespace kv {

void InstallShopScreen(ScreenContext& context);
// From the castle: the shop menu waits while the party window picks the
// shopper.
void OpenShop(ScreenContext& context);

}  // namespace kv
