#include "ViewCompose.h"

#include "ViewSheets.h"
#include "ui/Canvas.h"

namespace kv::gen {
namespace {

constexpr int kAll = 1 | 2 | 4 | 8;
constexpr int kSides = 2 | 8;

// Solid rock everywhere except the cells listed open.
ViewCells Rock() {
    ViewCells cells;
    cells.Walls.fill(kAll);
    cells.Walls[0] = 0;
    return cells;
}

}  // namespace

Image ComposeView(const ViewArt& art, const ViewCells& cells) {
    Image view(kViewWidth, kViewHeight, 0);
    Canvas canvas(view);
    canvas.Blit(0, 0, art.Ceiling);
    canvas.Blit(0, kFloorTop, art.Floor);
    for (const Placement& p : kPlacements) {
        const int walls = cells.Walls[static_cast<size_t>(p.Cell)];
        const int doors = cells.Doors[static_cast<size_t>(p.Cell)];
        if ((walls & p.Bit) == 0 && (doors & p.Bit) == 0) continue;
        // A door shows only where a wall is too; a door alone is a hidden door.
        const bool door = (walls & p.Bit) != 0 && (doors & p.Bit) != 0;
        const Image& sheet = door ? art.Doors[static_cast<size_t>(p.Layer)]
                                  : art.Walls[static_cast<size_t>(p.Layer)];
        canvas.Blit(p.X, p.Y, sheet, Rect{p.Sx, p.H, p.W, p.H}, RasterOp::And);
        canvas.Blit(p.X, p.Y, sheet, Rect{p.Sx, 0, p.W, p.H}, RasterOp::Xor);
    }
    return view;
}

std::array<ViewScene, 4> SampleScenes() {
    ViewCells corridor = Rock();
    for (int cell : {15, 12, 8}) corridor.Walls[static_cast<size_t>(cell)] = kSides;
    corridor.Walls[3] = kSides | 1;

    ViewCells door = Rock();
    door.Walls[15] = kSides;
    door.Walls[12] = kSides | 1;
    door.Doors[12] = 1;

    ViewCells junction = Rock();
    junction.Walls[15] = kSides;
    junction.Walls[12] = 2;
    junction.Walls[11] = 1 | 4;
    junction.Walls[8] = kSides;
    junction.Walls[3] = kSides;
    junction.Doors[15] = 2;

    ViewCells room;
    for (int cell : {1, 2, 3, 4, 5}) room.Walls[static_cast<size_t>(cell)] = 1;
    room.Walls[6] = 8;
    room.Walls[11] = 8;
    room.Walls[14] = 8;
    room.Walls[10] = 2;
    room.Walls[13] = 2;
    room.Walls[16] = 2;
    room.Walls[3] = 1;
    room.Doors[3] = 1;
    return {{{"corridor", corridor}, {"door", door}, {"junction", junction}, {"room", room}}};
}

}  // namespace kv::gen
