#pragma once
// The inn's screen: the rooms in the command menu, the guest from the party
// window.
#include "ui/ScreenContext.h"

namespace kv {

void InstallInnScreen(ScreenContext& context);
// From the castle (with a party): the rooms wait while a guest is chosen.
void OpenInn(ScreenContext& context);

}  // namespace kv
