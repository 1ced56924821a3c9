#pragma once
// The maze view's picture sheets. The view paints sprites cut from five
// sheets, one a depth layer, at fixed places of a 480 x 256 canvas; each
// sprite sits on black in the sheet's upper half with its mask directly
// below it (black where the sprite is opaque, white where it is transparent:
// the view ANDs the mask, then XORs the sprite).
#include <array>
#include <vector>

#include "Paint.h"
#include "platform/Image.h"

namespace kv::gen {

constexpr int kViewLayers = 5;
constexpr int kViewWidth = 480;
constexpr int kViewHeight = 256;

// One row of the view's painting table.
struct Placement {
    int Layer;
    int Cell;  // view cell 1..16
    int Bit;   // 1 front wall, 2 right-hand wall, 8 left-hand wall
    int X, Y, W, H;
    int Sx;  // where the sprite starts in its sheet
};

extern const std::array<Placement, 34> kPlacements;

enum class FaceKind { Front, Left, Right };

// A distinct picture in a sheet (several placements may share one).
struct SheetSprite {
    int Sx, W, H;
    FaceKind Kind;
};

int LayerHeight(int layer);  // sprite height; the sheet is twice as high
int SheetWidth(int layer);
std::vector<SheetSprite> SheetSprites(int layer);

// The sprite's outline in sprite coordinates: a rectangle for a front wall,
// a trapezoid for a side wall (tall at its near edge, half as tall at its far).
std::vector<PointF> SpriteOutline(const SheetSprite& sprite);

// A whole sheet: walls, or walls with doors.
Image RenderSheet(int layer, bool doors);

// Upper background (ceiling, drawn at the top of the view) and lower
// background (floor, drawn 136 pixels down), 640 x 300 each.
Image RenderCeiling();
Image RenderFloor();
constexpr int kFloorTop = 136;

}  // namespace kv::gen
