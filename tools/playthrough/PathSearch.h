#pragma once
// The autopilot's way through one floor: a breadth-first search over the
// walls and doors (hidden doors too), across the floor's wrapping edges,
// round the steps an event bars.
#include "core/FloorLayers.h"

namespace kv::playthrough {

inline constexpr int AlreadyThere = 4;
inline constexpr int NoWay = -1;

// The facing of the first step from (x, y) on the shortest way to (toX,
// toY) of this floor of the demo's first place; AlreadyThere or NoWay.
int FirstStep(const FloorLayers& layers, int floor, int x, int y, int toX, int toY);

}  // namespace kv::playthrough
