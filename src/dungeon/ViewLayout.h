#pragma once
// Where the pieces of the first-person view go. The picture style paints
// sprites cut from five sheets, one per depth layer, at fixed places of a
// 480 x 256 canvas, over two background pictures. The wireframe and polygon
// styles draw in a 220 x 220 space of five depth planes, each smaller than the
// one before it.
#include <algorithm>
#include <array>
#include <cstddef>

namespace kv {

inline constexpr int ViewLayers = 5;  // depth layers, 0 farthest
inline constexpr int ViewWidth = 480;
inline constexpr int ViewHeight = 256;

// The upper background is drawn at the top of the view, the lower one this
// far down; each is copied as a 640 x 300 block.
inline constexpr int FloorTop = 136;
inline constexpr int BackgroundWidth = 640;
inline constexpr int BackgroundHeight = 300;

// One row of the painting table: the sprite at Sx of layer Layer's sheet goes
// to (X, Y) when the view cell Cell has the edge Bit (1 in front, 2 on the
// right, 8 on the left). Rows are painted in table order, far to near.
struct SpritePlacement {
    int Layer;
    int Cell;  // view cell 1..16
    int Bit;
    int X, Y, W, H;
    int Sx;
};

inline constexpr std::array<SpritePlacement, 34> SpritePlacements = {{
    {0, 1, 1, 165, 120, 30, 16, 0},     {0, 2, 1, 195, 120, 30, 16, 0},
    {0, 3, 1, 225, 120, 30, 16, 0},     {0, 4, 1, 255, 120, 30, 16, 0},
    {0, 5, 1, 285, 120, 30, 16, 0},     {1, 1, 8, 90, 112, 75, 32, 0},
    {1, 2, 8, 150, 112, 45, 32, 75},    {1, 3, 8, 210, 112, 15, 32, 120},
    {1, 5, 2, 315, 112, 75, 32, 195},   {1, 4, 2, 285, 112, 45, 32, 150},
    {1, 3, 2, 255, 112, 15, 32, 135},   {1, 6, 1, 90, 112, 60, 32, 270},
    {1, 7, 1, 150, 112, 60, 32, 270},   {1, 8, 1, 210, 112, 60, 32, 270},
    {1, 9, 1, 270, 112, 60, 32, 270},   {1, 10, 1, 330, 112, 60, 32, 270},
    {2, 6, 8, -60, 96, 150, 64, 0},     {2, 7, 8, 60, 96, 90, 64, 150},
    {2, 8, 8, 180, 96, 30, 64, 240},    {2, 10, 2, 390, 96, 150, 64, 390},
    {2, 9, 2, 330, 96, 90, 64, 300},    {2, 8, 2, 270, 96, 30, 64, 270},
    {2, 11, 1, 60, 96, 120, 64, 540},   {2, 12, 1, 180, 96, 120, 64, 540},
    {2, 13, 1, 300, 96, 120, 64, 540},  {3, 11, 8, -120, 64, 180, 128, 0},
    {3, 12, 8, 120, 64, 60, 128, 180},  {3, 13, 2, 420, 64, 180, 128, 300},
    {3, 12, 2, 300, 64, 60, 128, 240},  {3, 14, 1, -120, 64, 240, 128, 480},
    {3, 15, 1, 120, 64, 240, 128, 480}, {3, 16, 1, 360, 64, 240, 128, 480},
    {4, 15, 8, 0, 0, 120, 256, 0},      {4, 15, 2, 360, 0, 120, 256, 120},
}};

// A layer's sprites are this tall; its sheet is twice as tall (the masks sit
// under the sprites) and as wide as its rightmost sprite reaches.
constexpr int LayerHeight(int layer) {
    return 16 << std::clamp(layer, 0, ViewLayers - 1);
}

constexpr int SheetWidth(int layer) {
    int width = 0;
    for (const SpritePlacement& p : SpritePlacements) {
        if (p.Layer == layer && p.Sx + p.W > width) width = p.Sx + p.W;
    }
    return width;
}

// The line drawings' space: 220 x 220 around (110, 110), five depth planes.
// Plane 0 is the screen itself; a cell at distance d (0 the party's own row)
// lies between plane d (near) and plane d + 1 (far).
inline constexpr int LineViewSize = 220;
inline constexpr int LineViewCentre = 110;
inline constexpr std::array<int, 5> PlaneHalfSizes = {110, 70, 40, 20, 10};

struct PlaneRect {
    int Left, Top, Right, Bottom;
};

// The square a cell dx to the side (negative: left) occupies on plane p:
// the front wall of a cell is this rectangle on its far plane; its side walls
// join the matching edges of its near and far planes.
constexpr PlaneRect CellOnPlane(int plane, int dx) {
    const int h = PlaneHalfSizes[static_cast<size_t>(std::clamp(plane, 0, 4))];
    return {LineViewCentre + (2 * dx - 1) * h, LineViewCentre - h,
            LineViewCentre + (2 * dx + 1) * h, LineViewCentre + h};
}

}  // namespace kv
