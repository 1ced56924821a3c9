#pragma once
// A few typical sights to preview the view's pictures with: a corridor
// ending in a wall, a door ahead, a side passage, an open room.
#include <array>

#include "dungeon/ViewCells.h"

namespace kv::gen {

struct ViewScene {
    const char* Name;
    ViewCells Cells;
};

std::array<ViewScene, 4> SampleScenes();

}  // namespace kv::gen
