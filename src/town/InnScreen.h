#pragma once
// The inn's screen: the rooms in the command menu, the guest from the party
// window.
#include "ui/ScreenContext.h"

namespace kv {

void InstallInnScreen(ScreenContext& context);

}  // namespace kv
