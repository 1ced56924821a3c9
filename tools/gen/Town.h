#pragma once
// The town backdrop behind the castle-town menus: the market square at dusk,
// houses with lit windows and lamps on either side, the castle keep on its
// hill beyond. From y = kTownPanelTop down the menus cover the picture, so
// that part is plain dark ground.
#include "platform/Image.h"

namespace kv::gen {

constexpr int kTownWidth = 640;
constexpr int kTownHeight = 480;
constexpr int kTownPanelTop = 280;

Image RenderTown();

}  // namespace kv::gen
