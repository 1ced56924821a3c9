#pragma once
// The maze view's picture sheets. The view paints sprites cut from five
// sheets, one a depth layer, at the places its layout fixes; each sprite sits
// on black in the sheet's upper half with its mask directly below it (black
// where the sprite is opaque, white where it is transparent: the view ANDs
// the mask, then XORs the sprite).
#include <vector>

#include "Paint.h"
#include "dungeon/ViewLayout.h"
#include "platform/Image.h"

namespace kv::gen {

enum class FaceKind { Front, Left, Right };

// A distinct picture in a sheet (several placements may share one).
struct SheetSprite {
    int Sx, W, H;
    FaceKind Kind;
};

std::vector<SheetSprite> SheetSprites(int layer);

// The sprite's outline in sprite coordinates: a rectangle for a front wall,
// a trapezoid for a side wall (tall at its near edge, half as tall at its far).
std::vector<PointF> SpriteOutline(const SheetSprite& sprite);

// A whole sheet: walls, or walls with doors.
Image RenderSheet(int layer, bool doors);

// Upper background (ceiling, drawn at the top of the view) and lower
// background (floor, drawn FloorTop pixels down), 640 x 300 each.
Image RenderCeiling();
Image RenderFloor();

}  // namespace kv::gen
