#pragma once
// The fountain in the middle of the town square: a round basin, a column
// and a bowl, centred on x = 0 at depth z.
#include "TownSpace.h"

namespace kv::gen {

void DrawFountain(TownPainter& paint, double z);

}  // namespace kv::gen
