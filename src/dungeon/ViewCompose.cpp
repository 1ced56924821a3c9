#include "dungeon/ViewCompose.h"

#include "ui/Canvas.h"

namespace kv {

Image ComposeView(const ViewArt& art, const ViewCells& cells) {
    Image view(ViewWidth, ViewHeight, 0);
    Canvas canvas(view);
    canvas.Blit(0, 0, art.Ceiling);
    canvas.Blit(0, FloorTop, art.Floor);
    for (const SpritePlacement& p : SpritePlacements) {
        const auto cell = static_cast<size_t>(p.Cell);
        if ((cells.ViewFlags[cell] & DarkCell) != 0) continue;
        const int walls = cells.ViewWalls[cell];
        const int doors = cells.ViewDoors[cell];
        if ((walls & p.Bit) == 0 && (doors & p.Bit) == 0) continue;
        const bool door = (walls & p.Bit) != 0 && (doors & p.Bit) != 0;
        const auto layer = static_cast<size_t>(p.Layer);
        const Image& sheet = door ? art.Doors[layer] : art.Walls[layer];
        canvas.Blit(p.X, p.Y, sheet, Rect{p.Sx, p.H, p.W, p.H}, RasterOp::And);
        canvas.Blit(p.X, p.Y, sheet, Rect{p.Sx, 0, p.W, p.H}, RasterOp::Xor);
    }
    return view;
}

}  // namespace kv
