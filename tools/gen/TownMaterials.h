#pragma once
// Surfaces of the town square as functions of the point in metres: walls,
// roofs, wood, glass lit from inside, cobbles.
#include "TownSpace.h"

namespace kv::gen {

Albedo Plain(Colour tint);
Albedo Plaster(Colour tint, uint32_t seed);
Albedo Stonework(Colour tint, uint32_t seed);
Albedo Roofing(Colour tint, uint32_t seed);
Albedo Wood(Colour tint, uint32_t seed);
// Warm light from inside a window between heights sill and head.
Albedo Interior(Colour tint, double sill, double head);
Albedo Cobbles();
// The lanterns mirrored in the damp cobbles at picture point (x, y), where
// the ground point p is seen.
Colour Reflections(double x, double y, Vec3 p);

}  // namespace kv::gen
