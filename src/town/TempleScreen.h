#pragma once
// The temple's screen: the patients in the command menu, the payer from the
// party window.
#include "ui/ScreenContext.h"

namespace kv {

void InstallTempleScreen(ScreenContext& context);
// From the castle (with a party): the patient list, or a word that nobody
// is there.
void OpenTemple(ScreenContext& context);

}  // namespace kv
