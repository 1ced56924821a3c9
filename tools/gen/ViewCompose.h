#pragma once
// Puts a maze view together from the sheets the way the game does: the two
// backgrounds, then every placement whose wall (or door) is present, its mask
// ANDed and its sprite XORed. Used to preview the art and to test that the
// sheets cut cleanly.
#include <array>

#include "platform/Image.h"

namespace kv::gen {

// Per view cell (1..16): wall bits and door bits in the viewer's frame
// (1 ahead, 2 right, 8 left).
struct ViewCells {
    std::array<int, 17> Walls{};
    std::array<int, 17> Doors{};
};

struct ViewArt {
    std::array<Image, 5> Walls;
    std::array<Image, 5> Doors;
    Image Ceiling;
    Image Floor;
};

Image ComposeView(const ViewArt& art, const ViewCells& cells);  // 480 x 256

// A few typical sights: a corridor ending in a wall, a door ahead, a side
// passage, an open room.
struct ViewScene {
    const char* Name;
    ViewCells Cells;
};
std::array<ViewScene, 4> SampleScenes();

}  // namespace kv::gen
