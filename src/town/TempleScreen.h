#pragma once
// The temple's screen: the patients in the command menu, the payer from the
// party window.
#include "ui/ScreenContext.h"

namespace kv {

void InstallTempleScreen(ScreenContext& context);

}  // namespace kv
