// The autopilot's path search on the demo's own floors: each walk it finds
// arrives, through doors and hidden doors and over the wrapping edges, never
// longer than the route the scenario's README gives, and round the iron gate.
// And its way through the spell grid to the spell it wants.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>

#include "battle/SpellPicker.h"
#include "core/Database.h"
#include "core/Game.h"
#include "core/MazeMap.h"
#include "playthrough/PathSearch.h"
#include "playthrough/SpellGridPath.h"

namespace kv::playthrough {
namespace {

namespace fs = std::filesystem;

constexpr int DemoPlace = 21;
constexpr std::array<std::array<int, 2>, 4> StepOf{{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

// The steps the search takes from one cell to another, or -1 when it finds
// no way or walks into a wall.
int Walk(const FloorLayers& layers, int floor, int x, int y, int toX, int toY) {
    for (int steps = 0; steps <= FloorCellCount; ++steps) {
        const int facing = FirstStep(layers, floor, x, y, toX, toY);
        if (facing == AlreadyThere) return steps;
        if (facing == NoWay) return -1;
        const bool wall = (layers.FloorWalls.At(x, y) & EdgeOf(facing)) != 0;
        const bool door = (layers.FloorDoors.At(x, y) & EdgeOf(facing)) != 0;
        if (wall && !door) return -1;
        x = (x + StepOf[static_cast<size_t>(facing)][0] + FloorSide) % FloorSide;
        y = (y + StepOf[static_cast<size_t>(facing)][1] + FloorSide) % FloorSide;
    }
    return -1;
}

TEST(PlaythroughPath, TheReadmesRoutesAreWalkedNoLongerAndTheGateIsWalkedRound) {
    if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR6.DAT")) GTEST_SKIP() << "no demo";
    Game game;
    ASSERT_TRUE(LoadDatabase(game, KORVANE_DEMO_DIR, false).Ok());
    struct Row {
        int Floor, X, Y, ToX, ToY;
        int MostSteps;  // the README's route, or the least a way round can take
        bool Round;     // the way must be longer than MostSteps instead
    };
    constexpr std::array<Row, 7> Rows{{
        {1, 0, 0, 18, 18, 24, false},  // the stairs down: S8 W4 S6 S* E S3 E
        {1, 0, 0, 15, 3, 20, false},   // the hidden room: S8 W6 N3 N* E N
        {1, 17, 8, 0, 8, 2, true},     // east through the gate is barred: the long way round
        {2, 17, 18, 7, 2, 26, false},  // the riddle: N3 W N* N4 W6 N6 W* N W2 N
        {2, 17, 18, 1, 1, 33, false},  // the stairs down: N3 W N* N4 W6 N9 W5 W W* W2
        {3, 2, 1, 9, 9, 15, false},    // the silver door's square: E E* E5 S8
        {3, 2, 1, 0, 17, 18, false},   // the magic circle: S W S* S13 W S
    }};
    for (const Row& row : Rows) {
        const FloorLayers layers = CopyFloorLayers(game, MazeOf(DemoPlace), row.Floor);
        const int steps = Walk(layers, row.Floor, row.X, row.Y, row.ToX, row.ToY);
        SCOPED_TRACE("floor " + std::to_string(row.Floor) + " to (" + std::to_string(row.ToX) +
                     "," + std::to_string(row.ToY) + ")");
        ASSERT_GE(steps, 0);
        if (row.Round)
            EXPECT_GT(steps, row.MostSteps);
        else
            EXPECT_LE(steps, row.MostSteps);
    }
    // A cell walled all round is out of reach, and the cell itself needs no step.
    FloorLayers shut;
    shut.FloorWalls.Cells[5 * FloorSide + 5] = 15;
    for (const auto& [dx, dy] : StepOf) {
        const int back = dx == 0 ? (dy < 0 ? 4 : 1) : (dx < 0 ? 2 : 8);
        shut.FloorWalls.Cells[static_cast<size_t>((5 + dy) * FloorSide + 5 + dx)] =
            static_cast<int16_t>(back);
    }
    EXPECT_EQ(FirstStep(shut, 1, 0, 0, 5, 5), NoWay);
    EXPECT_EQ(FirstStep(shut, 1, 5, 5, 5, 5), AlreadyThere);
}

// The arrows the autopilot presses in the spell grid land on the spell it
// wants, from whichever label is current: spells scattered over the mage's
// and the priest's columns, the last spell cast current or the first known.
TEST(PlaythroughPath, TheSpellGridIsWalkedToTheSpellWanted) {
    if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR6.DAT")) GTEST_SKIP() << "no demo";
    Game game;
    ASSERT_TRUE(LoadDatabase(game, KORVANE_DEMO_DIR, false).Ok());
    Creature caster;
    // HIBANA, NEMURA, INAZUMA; IYASU, IYASHIKAZE, OOIYASU, SHINBATSU.
    constexpr std::array<int, 7> Known{1, 2, 8, 28, 34, 37, 41};
    for (const int row : Known) {
        const SpellDef& s = game.Spells[static_cast<size_t>(row)];
        caster.Spell(s.School, s.SpellLevel, s.Slot) = 1;
    }
    for (const int last : {0, 37}) {
        caster.CommandArg = static_cast<int16_t>(last == 0 ? 0 : game.Spells[last].Code);
        for (const int row : Known) {
            SCOPED_TRACE("spell row " + std::to_string(row) + " after " + std::to_string(last));
            SpellGrid grid = BuildSpellGrid(game, caster);
            std::istringstream keys(GridKeys(game, caster, row));
            std::string key;
            while (keys >> key && key != "Enter") {
                const GridMove move = key == "Up"     ? GridMove::Up
                                      : key == "Down" ? GridMove::Down
                                      : key == "Left" ? GridMove::Left
                                                      : GridMove::Right;
                grid.Current = MoveInSpellGrid(grid, move);
            }
            EXPECT_EQ(key, "Enter");
            EXPECT_EQ(grid.SpellOf[static_cast<size_t>(grid.Current)], row);
        }
    }
    // A spell he does not know has no way to it.
    EXPECT_EQ(GridKeys(game, caster, 7), "");
}

}  // namespace
}  // namespace kv::playthrough
