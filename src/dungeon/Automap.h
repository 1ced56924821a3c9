#pragma once
// The party remembers the walls and doors of every cell it has stood on.
#include "core/Game.h"

namespace kv {

// The current cell's walls and doors into the automap of the save.
void RecordVisit(Game& game);

}  // namespace kv
