#pragma once
// The town backdrop behind the castle-town menus: the market square at dusk,
// houses with lit windows and lamps on either side, the castle keep on its
// hill beyond. From y = TownPanelTop down the menus cover the picture, so
// that part is plain dark ground.
#include "platform/Image.h"

namespace kv::gen {

constexpr int TownWidth = 640;
constexpr int TownHeight = 480;
constexpr int TownPanelTop = 280;

Image RenderTown();

}  // namespace kv::gen
