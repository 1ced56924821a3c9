#pragma once
// The training grounds (menu state 10): where the roster is looked after.
#include "ui/ScreenContext.h"

namespace kv {

void InstallTrainingScreen(ScreenContext& context);

}  // namespace kv
