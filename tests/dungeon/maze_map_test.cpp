// The map layers and the automap keep column and row in opposite orders; the
// accessors must each find their element, and must never read or write
// outside the arrays whatever a corrupt file hands them.
#include <gtest/gtest.h>

#include <memory>

#include "core/MazeMap.h"

namespace kv {
namespace {

// Cells whose column and row differ, so a swapped order lands elsewhere.
struct Cell {
    int Maze, Floor, X, Y;
};
constexpr Cell AsymmetricCells[] = {{0, 0, 0, 1}, {1, 1, 19, 0}, {7, 21, 3, 17}, {2, 5, 12, 4}};

TEST(MazeMap, MapLayersPutTheRowBeforeTheColumn) {
    auto db = std::make_unique<Database>();
    for (const Cell& c : AsymmetricCells) {
        SCOPED_TRACE(::testing::Message()
                     << c.Maze << "/" << c.Floor << " (" << c.X << "," << c.Y << ")");
        const auto raw = static_cast<size_t>(c.Maze + 8 * c.Floor + 176 * c.Y + 3520 * c.X);
        for (size_t layer = 0; layer < 3; ++layer) db->MapLayers[layer][raw] = 11;
        EXPECT_EQ(WallMap(*db, c.Maze, c.Floor, c.X, c.Y), 11);
        EXPECT_EQ(DoorMap(*db, c.Maze, c.Floor, c.X, c.Y), 11);
        EXPECT_EQ(CellFlagMap(*db, c.Maze, c.Floor, c.X, c.Y), 11);
        EXPECT_EQ(WallMap(*db, c.Maze, c.Floor, c.Y, c.X), 0);
        const FloorLayers floor = CopyFloorLayers(*db, c.Maze, c.Floor);
        EXPECT_EQ(floor.FloorWalls.Cells[static_cast<size_t>(c.Y * FloorSide + c.X)], 11);
        EXPECT_EQ(floor.FloorDoors.At(c.X, c.Y), 11);
        for (size_t layer = 0; layer < 3; ++layer) db->MapLayers[layer][raw] = 0;

        EXPECT_TRUE(SetDoorMap(*db, c.Maze, c.Floor, c.X, c.Y, 6));
        EXPECT_EQ(db->MapLayers[1][raw], 6);
        db->MapLayers[1][raw] = 0;
    }
}

TEST(MazeMap, AutomapPutsTheColumnBeforeTheRow) {
    auto save = std::make_unique<SavedState>();
    for (const Cell& c : AsymmetricCells) {
        SCOPED_TRACE(::testing::Message()
                     << c.Maze << "/" << c.Floor << " (" << c.X << "," << c.Y << ")");
        const auto raw = static_cast<size_t>(c.Maze + 8 * c.Floor + 176 * c.X + 3520 * c.Y);
        save->SeenWalls[raw] = 9;
        save->SeenDoors[raw] = 3;
        EXPECT_EQ(SeenWalls(*save, c.Maze, c.Floor, c.X, c.Y), 9);
        EXPECT_EQ(SeenDoors(*save, c.Maze, c.Floor, c.X, c.Y), 3);
        EXPECT_EQ(SeenWalls(*save, c.Maze, c.Floor, c.Y, c.X), 0);
        save->SeenWalls[raw] = save->SeenDoors[raw] = 0;

        EXPECT_TRUE(SetSeenWalls(*save, c.Maze, c.Floor, c.X, c.Y, 5));
        EXPECT_EQ(save->SeenWalls[raw], 5);
        save->SeenWalls[raw] = 0;
    }
}

TEST(MazeMap, OutsideTheArraysReadsHarmlessAndWritesNothing) {
    auto game = std::make_unique<Game>();
    for (auto& layer : game->MapLayers) layer.assign(layer.size(), 15);
    game->SeenWalls.assign(game->SeenWalls.size(), 7);
    game->SeenDoors.assign(game->SeenDoors.size(), 7);
    const auto layersBefore = game->MapLayers;
    const auto seenBefore = game->SeenDoors;
    const Cell outside[] = {{-1, 1, 0, 0},           {MazeCount, 1, 0, 0}, {0, -1, 0, 0},
                            {0, MazeFloors, 0, 0},   {0, 1, -1, 0},        {0, 1, FloorSide, 0},
                            {0, 1, 0, -1},           {0, 1, 0, 20},        {MazeOf(1), 0, 0, 0},
                            {0, 1, 1 << 30, 1 << 30}};
    for (const Cell& c : outside) {
        SCOPED_TRACE(::testing::Message()
                     << c.Maze << "/" << c.Floor << " (" << c.X << "," << c.Y << ")");
        EXPECT_EQ(WallMap(*game, c.Maze, c.Floor, c.X, c.Y), 0);
        EXPECT_EQ(DoorMap(*game, c.Maze, c.Floor, c.X, c.Y), 0);
        EXPECT_EQ(CellFlagMap(*game, c.Maze, c.Floor, c.X, c.Y), 0);
        EXPECT_FALSE(IsSolidRock(*game, c.Maze, c.Floor, c.X, c.Y));
        EXPECT_EQ(SeenWalls(*game, c.Maze, c.Floor, c.X, c.Y), Unseen);
        EXPECT_EQ(SeenDoors(*game, c.Maze, c.Floor, c.X, c.Y), Unseen);
        EXPECT_FALSE(SetWallMap(*game, c.Maze, c.Floor, c.X, c.Y, 1));
        EXPECT_FALSE(SetCellFlagMap(*game, c.Maze, c.Floor, c.X, c.Y, 1));
        EXPECT_FALSE(SetSeenDoors(*game, c.Maze, c.Floor, c.X, c.Y, 1));
        EXPECT_EQ(CopyFloorLayers(*game, c.Maze, c.Floor).FloorWalls.At(c.X, c.Y), 0);
    }
    EXPECT_EQ(game->MapLayers, layersBefore);
    EXPECT_EQ(game->SeenDoors, seenBefore);

    // A layer cut short (as no loader makes it, but a bug might) is not read past.
    game->MapLayers[0].resize(100);
    EXPECT_EQ(WallMap(*game, 7, 21, 19, 19), 0);
    EXPECT_FALSE(SetWallMap(*game, 7, 21, 19, 19, 1));
}

}  // namespace
}  // namespace kv
