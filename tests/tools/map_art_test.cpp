// Floors drawn as text: drawing and reading back give the same cells, both
// sides of every edge come from one character, and floors a drawing cannot
// hold fall back to numbers.
#include <gtest/gtest.h>

#include <random>

#include "MapArt.h"

namespace kv::kvrdata {
namespace {

size_t At(int x, int y) {
    return static_cast<size_t>(y * FloorSide + x);
}

// A floor with every kind of cell and edge, walls mirrored as the game wants.
FloorCells MixedFloor() {
    std::mt19937 rng(5);
    FloorCells c;
    auto edge = [&](int x, int y, int16_t bit, int nx, int ny, int16_t opposite) {
        const unsigned kind = rng() % 4;  // open, wall, door, hidden door
        const bool wall = kind == 1 || kind == 2, door = kind >= 2;
        for (auto [cx, cy, b] : {std::tuple{x, y, bit}, std::tuple{nx, ny, opposite}}) {
            if (cx < 0 || cy < 0 || cx >= FloorSide || cy >= FloorSide) continue;
            if (wall) c.Walls[At(cx, cy)] |= b;
            if (door) c.Doors[At(cx, cy)] |= b;
        }
    };
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            edge(x, y, EdgeNorth, x, y - 1, EdgeSouth);
            edge(x, y, EdgeWest, x - 1, y, EdgeEast);
            if (x == FloorSide - 1) edge(x, y, EdgeEast, x + 1, y, EdgeWest);
            if (y == FloorSide - 1) edge(x, y, EdgeSouth, x, y + 1, EdgeNorth);
            c.Flags[At(x, y)] = static_cast<int16_t>(rng() % 4);
        }
    }
    // A block of rock: four cells walled on every side.
    for (int y = 5; y < 7; ++y) {
        for (int x = 5; x < 7; ++x) {
            c.Walls[At(x, y)] = 15;
            c.Doors[At(x, y)] = 0;
            c.Flags[At(x, y)] = 0;
        }
    }
    for (int i = 5; i < 7; ++i) {
        c.Walls[At(i, 4)] |= EdgeSouth, c.Doors[At(i, 4)] &= ~EdgeSouth;
        c.Walls[At(i, 7)] |= EdgeNorth, c.Doors[At(i, 7)] &= ~EdgeNorth;
        c.Walls[At(4, i)] |= EdgeEast, c.Doors[At(4, i)] &= ~EdgeEast;
        c.Walls[At(7, i)] |= EdgeWest, c.Doors[At(7, i)] &= ~EdgeWest;
    }
    return c;
}

void ExpectSameCells(const FloorCells& a, const FloorCells& b) {
    EXPECT_EQ(a.Walls, b.Walls);
    EXPECT_EQ(a.Doors, b.Doors);
    EXPECT_EQ(a.Flags, b.Flags);
}

TEST(MapArtTest, DrawingAndReadingGiveTheSameCells) {
    const FloorCells floor = MixedFloor();
    const auto art = DrawFloor(floor);
    ASSERT_TRUE(art.has_value());
    EXPECT_NE(art->find("#|#"), std::string::npos);  // the rock block is drawn as rock
    FloorCells back;
    Diagnostics diag;
    ASSERT_TRUE(ParseFloor(*art, "f.txt", back, diag)) << diag.Errors.front();
    ExpectSameCells(floor, back);
    EXPECT_EQ(WriteFloor(floor), *art);
}

TEST(MapArtTest, EachEdgeCharacterSetsBothCells) {
    // Line 2: cell (0,0), the edge to (1,0), (1,0), the edge to (2,0); line 3
    // the edges below them. Comment lines do not count; blank lines are open.
    std::string art = "; comment\n+-+-+\n|.D.H\n+H+-+\n|.|x|\n+-+-+\n";
    for (int i = 5; i < 41; ++i) art += "\n";
    FloorCells cells;
    Diagnostics diag;
    ASSERT_TRUE(ParseFloor(art, "f.txt", cells, diag)) << diag.Errors.front();
    EXPECT_EQ(cells.Walls[At(0, 0)], EdgeNorth | EdgeWest | EdgeEast);
    EXPECT_EQ(cells.Doors[At(0, 0)], EdgeEast | EdgeSouth);
    EXPECT_EQ(cells.Walls[At(1, 0)], EdgeNorth | EdgeWest | EdgeSouth);
    EXPECT_EQ(cells.Doors[At(1, 0)], EdgeWest | EdgeEast);
    EXPECT_EQ(cells.Doors[At(2, 0)], EdgeWest);  // a hidden door is no wall
    EXPECT_EQ(cells.Doors[At(0, 1)], EdgeNorth);
    EXPECT_EQ(cells.Walls[At(0, 1)], EdgeWest | EdgeEast | EdgeSouth);
    EXPECT_EQ(cells.Flags[At(1, 1)], DarkCell | TeleportProofCell);
    EXPECT_EQ(cells.Walls[At(2, 0)], 0);
}

TEST(MapArtTest, FloorsADrawingCannotHoldAreWrittenAsNumbers) {
    FloorCells odd = MixedFloor();
    odd.Walls[At(3, 3)] ^= EdgeEast;  // one side of an edge only
    EXPECT_FALSE(DrawFloor(odd).has_value());
    FloorCells big;
    big.Flags[At(0, 0)] = -5;
    EXPECT_FALSE(DrawFloor(big).has_value());

    for (const FloorCells& floor : {odd, big}) {
        const std::string text = WriteFloor(floor);
        EXPECT_NE(text.find("walls\n"), std::string::npos);
        FloorCells back;
        Diagnostics diag;
        ASSERT_TRUE(ParseFloor(text, "f.txt", back, diag)) << diag.Errors.front();
        ExpectSameCells(floor, back);
    }
}

TEST(MapArtTest, BadDrawingsAreNamedByLineAndColumn) {
    Diagnostics diag;
    FloorCells cells;
    EXPECT_FALSE(ParseFloor("+-+\n|.|\n", "maps/21-01.txt", cells, diag));
    ASSERT_EQ(diag.Errors.size(), 1u);
    EXPECT_EQ(diag.Errors[0], "maps/21-01.txt: a floor drawing has 41 lines, found 2");

    std::string art;
    for (int i = 0; i < 41; ++i) art += "\n";
    art.replace(1, 0, " ?");                           // line 2, column 2: a cell
    art.insert(art.size() - 1, std::string(42, '-'));  // line 41 too long
    diag = {};
    EXPECT_FALSE(ParseFloor(art, "f.txt", cells, diag));
    ASSERT_EQ(diag.Errors.size(), 2u);
    EXPECT_EQ(diag.Errors[0], "f.txt line 41 column 42: the line is longer than 41 characters");
    EXPECT_EQ(diag.Errors[1], "f.txt line 2 column 2: '?' is not a cell (. d t x #)");

    diag = {};
    EXPECT_FALSE(ParseFloor("walls\n1 2 3\n", "n.txt", cells, diag));
    EXPECT_NE(diag.Errors.at(0).find("the number form needs 63 lines"), std::string::npos);
}

TEST(MapArtTest, FloorFileNames) {
    EXPECT_EQ(FloorFileName(21, 1), "maps/21-01.txt");
    int place = 0, floor = 0;
    EXPECT_TRUE(ParseFloorFileName("maps/26-21.txt", place, floor));
    EXPECT_EQ(place, 26);
    EXPECT_EQ(floor, 21);
    EXPECT_FALSE(ParseFloorFileName("maps/28-01.txt", place, floor));
    EXPECT_FALSE(ParseFloorFileName("maps/21-22.txt", place, floor));
    EXPECT_FALSE(ParseFloorFileName("maps/21-1.txt", place, floor));
}

}  // namespace
}  // namespace kv::kvrdata
