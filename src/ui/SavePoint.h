#pragma once
// Saving at a save point as the player sees it: the save is written, the
// transcript notes it, and a save that fails says so in a message (the old
// save is still there), once until a save goes well again.
#include "core/Game.h"

namespace kv {

class Dialogs;
class WindowManager;

bool SaveAtSavePoint(Game& game, WindowManager& manager, Dialogs* dialogs);

}  // namespace kv
