// What the first-person view samples around the party, and where its line
// drawings put a cell.
#include <gtest/gtest.h>

#include <memory>

#include "dungeon/ViewCells.h"
#include "dungeon/ViewLayout.h"

namespace kv {
namespace {

TEST(ViewCells, EdgesTurnIntoTheViewersFrame) {
    const struct {
        int16_t Edges;
        int Facing;
        int16_t Seen;
    } cases[] = {
        {EdgeNorth, 0, 1}, {EdgeEast, 1, 1},      {EdgeSouth, 2, 1},
        {EdgeWest, 3, 1},  // ahead
        {EdgeEast, 0, 2},  {EdgeSouth, 1, 2},     {EdgeWest, 2, 2},
        {EdgeNorth, 3, 2},                                                         // right
        {EdgeNorth, 1, 8}, {EdgeEast, 2, 8},      {EdgeNorth | EdgeSouth, 1, 10},  // left
        {AllEdges, 1, 15}, {AllEdges, 3, 15},     {0, 2, 0},
        {-1, 1, 15},       {16 | EdgeWest, 3, 1},  // corrupt values keep their edge bits only
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TurnToViewer(c.Edges, c.Facing), c.Seen)
            << "edges " << c.Edges << " facing " << c.Facing;
    }
}

TEST(ViewCells, CellsLieAheadOfTheFacingAndWrapAroundTheFloor) {
    const struct {
        int Cell, X, Y, Facing;
        FloorPoint At;
    } cases[] = {
        {15, 4, 9, 0, {4, 9}}, {3, 4, 9, 0, {4, 6}},    {1, 4, 9, 0, {2, 6}},
        {3, 4, 9, 1, {7, 9}},  {1, 4, 9, 1, {7, 7}},    {1, 5, 5, 2, {7, 8}},
        {1, 5, 5, 3, {2, 7}},  {16, 5, 5, 3, {5, 4}},   {3, 0, 0, 0, {0, 17}},
        {5, 19, 0, 1, {2, 2}}, {14, 0, 19, 2, {1, 19}},
    };
    for (const auto& c : cases) {
        const FloorPoint at = ViewCellPosition(c.Cell, c.X, c.Y, c.Facing);
        EXPECT_EQ(at.X, c.At.X) << "cell " << c.Cell << " facing " << c.Facing;
        EXPECT_EQ(at.Y, c.At.Y) << "cell " << c.Cell << " facing " << c.Facing;
    }
}

TEST(ViewCells, SamplingReadsTheCurrentFloorAroundTheParty) {
    auto game = std::make_unique<Game>();
    game->CurrentPlace = 21;
    game->CurrentFloor = 2;
    game->PartyX = 19;
    game->PartyY = 3;
    game->PartyFacing = 1;  // east, towards column 0 across the edge of the floor
    const int maze = MazeOf(21);
    SetWallMap(*game, maze, 2, 19, 3, EdgeEast | EdgeNorth);
    SetDoorMap(*game, maze, 2, 19, 3, EdgeEast);
    SetWallMap(*game, maze, 2, 0, 3, AllEdges);  // one ahead: rock
    SetWallMap(*game, maze, 2, 1, 2, EdgeSouth);
    SetCellFlagMap(*game, maze, 2, 1, 2, DarkCell);  // two ahead, one to the left
    SetWallMap(*game, maze + 1, 2, 0, 3, EdgeWest);  // the next maze: never looked at

    const ViewCells view = SampleViewCells(*game, CopyFloorLayers(*game, maze, 2));
    EXPECT_EQ(view.ViewWalls[PartyViewCell], 1 | 8);  // the east wall is ahead, north on the left
    EXPECT_EQ(view.ViewDoors[PartyViewCell], 1);
    EXPECT_EQ(view.ViewWalls[12], AllEdges);
    EXPECT_EQ(view.ViewWalls[7], 2);
    EXPECT_EQ(view.ViewFlags[7], DarkCell);
    EXPECT_EQ(view.ViewFlags[8], 0);
}

TEST(ViewLayout, CellsOnTheDepthPlanes) {
    const struct {
        int Plane, Dx;
        PlaneRect Rect;
    } cases[] = {
        {0, 0, {0, 0, 220, 220}},     // the screen
        {3, -2, {10, 90, 50, 130}},   // cell 1, near plane
        {4, -2, {60, 100, 80, 120}},  // cell 1, far plane
        {1, 1, {180, 40, 320, 180}},
    };
    for (const auto& c : cases) {
        const PlaneRect r = CellOnPlane(c.Plane, c.Dx);
        EXPECT_EQ((std::array{r.Left, r.Top, r.Right, r.Bottom}),
                  (std::array{c.Rect.Left, c.Rect.Top, c.Rect.Right, c.Rect.Bottom}))
            << "plane " << c.Plane << " dx " << c.Dx;
    }
}

}  // namespace
}  // namespace kv
