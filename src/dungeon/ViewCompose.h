#pragma once
// The picture style of the first-person view: the two backgrounds, then every
// sprite placement whose wall (or door) is there, its mask ANDed and its
// sprite XORed, far to near.
#include <array>

#include "dungeon/ViewCells.h"
#include "dungeon/ViewLayout.h"
#include "platform/Image.h"

namespace kv {

// The view's pictures, as the scenario ships them: the wall sheets w0..w4.jpg,
// the door sheets d0..d4.jpg (one per depth layer), the upper background
// b1.jpg and the lower one b2.jpg.
struct ViewArt {
    std::array<Image, ViewLayers> Walls;
    std::array<Image, ViewLayers> Doors;
    Image Ceiling;
    Image Floor;
};

// A ViewWidth x ViewHeight picture of what the cells show. A dark cell's
// walls are not drawn; an edge set as a door alone is a hidden door and looks
// like a wall. Pictures smaller than their layout asks are clipped, never
// read past their end.
Image ComposeView(const ViewArt& art, const ViewCells& cells);

}  // namespace kv
