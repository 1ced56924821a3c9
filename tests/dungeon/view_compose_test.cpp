// The picture style picks the wall sheet, the door sheet or nothing for each
// placement, and leaves dark cells and missing pictures out.
#include <gtest/gtest.h>

#include "dungeon/ViewCompose.h"

namespace kv {
namespace {

constexpr uint32_t Ceiling = 0x102030;
constexpr uint32_t Floor = 0x405060;

// The wall sprite of layer L is 0x0000L1, the door sprite 0x0000L2; every
// mask is black, so each sprite covers its whole rectangle.
uint32_t WallColour(int layer) {
    return static_cast<uint32_t>(layer * 16 + 1);
}
uint32_t DoorColour(int layer) {
    return static_cast<uint32_t>(layer * 16 + 2);
}

Image Sheet(int layer, uint32_t sprite) {
    const int h = LayerHeight(layer);
    Image sheet(SheetWidth(layer), 2 * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < sheet.Width; ++x) sheet.At(x, y) = sprite;
    }
    return sheet;
}

ViewArt PlainArt() {
    ViewArt art;
    for (int layer = 0; layer < ViewLayers; ++layer) {
        art.Walls[static_cast<size_t>(layer)] = Sheet(layer, WallColour(layer));
        art.Doors[static_cast<size_t>(layer)] = Sheet(layer, DoorColour(layer));
    }
    art.Ceiling = Image(BackgroundWidth, BackgroundHeight, Ceiling);
    art.Floor = Image(BackgroundWidth, BackgroundHeight, Floor);
    return art;
}

TEST(ViewCompose, EachPlacementShowsWallDoorOrNothing) {
    const ViewArt art = PlainArt();
    const struct {
        const char* Sight;
        int Cell, Bit;
        int16_t Walls, Doors, Flags;
        int X, Y;  // a point only this placement covers
        uint32_t Expected;
    } cases[] = {
        {"near left wall", 15, 8, 8, 0, 0, 20, 40, WallColour(4)},
        {"near left door", 15, 8, 8, 8, 0, 20, 40, DoorColour(4)},
        {"hidden door looks like wall", 15, 8, 0, 8, 0, 20, 40, WallColour(4)},
        {"door on the other side only", 15, 8, 8 | 2, 2, 0, 20, 40, WallColour(4)},
        {"open to the left", 15, 8, 2, 2, 0, 20, 40, Ceiling},
        {"dark cell hides its walls", 15, 8, 8, 8, DarkCell, 20, 200, Floor},
        {"front wall two ahead", 8, 1, 1, 0, 0, 240, 128, WallColour(1)},
        {"far front door", 3, 1, 1, 1, 0, 240, 128, DoorColour(0)},
        {"right wall one ahead", 13, 2, 2, 0, 0, 430, 128, WallColour(3)},
    };
    for (const auto& c : cases) {
        ViewCells cells;
        const auto cell = static_cast<size_t>(c.Cell);
        cells.ViewWalls[cell] = c.Walls;
        cells.ViewDoors[cell] = c.Doors;
        cells.ViewFlags[cell] = c.Flags;
        const Image view = ComposeView(art, cells);
        ASSERT_EQ(view.Width, ViewWidth);
        ASSERT_EQ(view.Height, ViewHeight);
        EXPECT_EQ(view.At(c.X, c.Y), c.Expected) << c.Sight;
    }
}

TEST(ViewCompose, NearerPlacementsPaintOverFartherOnesAndMissingSheetsLeaveTheBackground) {
    ViewArt art = PlainArt();
    ViewCells cells;
    cells.ViewWalls[3] = 1;   // far front wall, behind ...
    cells.ViewWalls[12] = 1;  // ... the front wall one ahead
    EXPECT_EQ(ComposeView(art, cells).At(240, 128), WallColour(2));

    art.Walls[2] = Image();                // a picture that failed to load
    art.Walls[0] = Image(4, 4, 0xFFFFFF);  // one far too small for its layer
    const Image view = ComposeView(art, cells);
    EXPECT_EQ(view.At(240, 128), Ceiling);
    EXPECT_EQ(view.At(240, 150), Floor);
}

}  // namespace
}  // namespace kv
