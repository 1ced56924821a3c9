#pragma once
// The dungeon's materials as functions of face coordinates, and the torch
// light that falls off with depth. The wall sheets and the floor and ceiling
// backgrounds all light the same way, so walls meet the floor without seams.
#include "Paint.h"

namespace kv::gen {

// A wall face: u across (0 one end, 1 the other; tiles in u), v from the
// ceiling (0) to the floor (1).
Colour WallAlbedo(double u, double v);
// A wall with a door in its middle.
Colour DoorAlbedo(double u, double v);

// Floor and ceiling: x across in cells (cell centres on whole numbers),
// depth in cells from the viewer's own cell.
Colour FloorAlbedo(double x, double depth);
Colour CeilingAlbedo(double x, double depth);

// Torch light at a depth given in planes (0 the screen, 4 the farthest
// plane), warm near the viewer and fading to black.
Colour Lit(Colour albedo, double depthPlanes);

}  // namespace kv::gen
