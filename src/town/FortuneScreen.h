#pragma once
// The fortune teller's screens: the rankings menu and the fusion menu.
#include "ui/ScreenContext.h"

namespace kv {

void InstallFortuneScreen(ScreenContext& context);

}  // namespace kv
