// The demo's entrance by keys on the built demo: the way home is asked only
// when the party on the entrance faces the way out, north, and not each time
// it turns there or comes back along the first row.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "flow/DemoFlow.h"

namespace kv::test {
namespace {

constexpr const char* WayHome = "城へ戻りますか？";

TEST(DemoEntranceFlow, TheWayHomeIsAskedOnlyFacingTheWayOut) {
    if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) {
        GTEST_SKIP() << "no demo in " << KORVANE_DEMO_DIR;
    }
    Flow flow;
    int randomBattles = 0;
    ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
    StrongParty(flow.Scenario());
    EscapeRandomBattles(flow, randomBattles);

    Keys keys(FormAndEnter, South);  // entered facing south: nothing asked
    keys.Face(East);                 // turned to walk the first row
    keys.Walk("E W");                // and back along it, facing west
    keys.Face(West).Face(South);     // round the other way
    keys.Face(North).Press("N");     // the way out: asked, and staying
    keys.Walk("S").Press("Enter");   // the entrance words
    keys.Walk("N").Press("Y");       // walking back out: asked, and home
    ASSERT_TRUE(flow.Run(keys.Text(), DemoSeed)) << flow.Error();

    // The party walked the whole way, every turn and step on the entrance
    // going by without a question in its path, and home from the last cell.
    const std::vector<Where> expected = {
        {1, 0, 0, South}, {1, 0, 0, East},  {1, 1, 0, East},  {1, 1, 0, West},
        {1, 0, 0, West},  {1, 0, 0, South}, {1, 0, 0, North}, {1, 0, 0, South},
        {1, 0, 1, South}, {1, 0, 1, North}, {1, 0, 0, North},
    };
    std::vector<Where> where = WhereLines(flow);
    ASSERT_FALSE(where.empty());
    EXPECT_EQ(where.back().Floor, 0) << "home in the castle";
    where.pop_back();
    EXPECT_EQ(where, expected);
    EXPECT_EQ(Count(flow.Dialogs(), WayHome), 2u);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
}

}  // namespace
}  // namespace kv::test
