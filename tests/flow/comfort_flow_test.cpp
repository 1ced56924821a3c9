// The comforts played through the real session: a remapped key and a
// controller walk the maze, and a battle with fast messages ends in fewer key
// presses than with messages as written, showing the same messages.
#include <algorithm>
#include <fstream>

#include "battle/BattleFixture.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// The fixture's party with no random monsters on the way, the members joined
// in the tavern, the first maze entered; settings are the save folder's KVR.ini.
std::string PrepareComfort(Flow& flow, int members, const std::string& settings) {
    testing::BattleFixture fixture;
    flow.Scenario().Items = fixture.G().Items;
    std::string keys = "Enter  G Enter  A Enter";
    for (int slot = 1; slot <= members; ++slot) {
        Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
        c = fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[14] = 1;  // no random monsters
        keys += " Enter";
    }
    std::ofstream(flow.SaveFolder() / "KVR.ini", std::ios::binary) << settings;
    return keys + " Enter  C Enter  E Enter  D Enter  Enter  ";
}

TEST(ComfortFlow, ARemappedKeyAndAControllerWalkTheMazeAndTheControllerCamps) {
    Flow flow;
    const std::string enter =
        PrepareComfort(flow, 2, "[Keys]\r\nForward = K\r\nCamp = C\r\nJump = J\r\n");
    // K steps south, Up was given away; the controller turns east, steps, camps.
    ASSERT_TRUE(flow.Run(enter + "K  Up  pad:Left  pad:Up  pad:West pad:South")) << flow.Error();
    EXPECT_EQ(WhereLines(flow),
              (std::vector<Where>{{1, 0, 0, 2}, {1, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}}));
    ASSERT_FALSE(flow.Lines("list").empty());
    EXPECT_EQ(flow.Lines("list").back()["caption"], flow.State().Roster[1].Name);
    EXPECT_NE(flow.Error().find("korvane: [Keys] Jump = J: no such action"), std::string::npos)
        << flow.Error();
}

TEST(ComfortFlow, FastMessagesEndABattleInFewerPressesShowingTheSameMessages) {
    std::vector<std::string> shown[2];
    long presses[2] = {-1, -1};
    for (int run = 0; run < 2; ++run) {
        Flow flow;
        // One step south meets four pixies of one hit point; every round is automatic.
        std::string keys =
            PrepareComfort(flow, 4, run == 0 ? "" : "[Comforts]\r\nMessageSpeed=fast\r\n") + "Up";
        for (int i = 0; i < 85; ++i) keys += i % 21 == 1 ? " O" : run == 0 ? " Esc" : " wait:700";
        Game& scenario = flow.Scenario();
        scenario.Monsters[3] = testing::BattleFixture::Monster(3, "ピクシー", 0, 0);
        scenario.Monsters[3].HPDice = {0, 0, 1};
        scenario.Monsters[3].GroupDice = {0, 0, 2};
        for (int c : {0, 3, 4}) scenario.EncounterTable[c * 2001 + 3] = c ? 3 : 7;
        EventDef& e = scenario.Events[1];
        e.ID = e.EventCase = e.Floor = e.Y = 1;
        e.Dungeon = 21;
        e.Dir = 2;    // arrived at facing south
        e.Kind = 14;  // a battle
        e.DataID = 7;
        const std::vector<ScriptStep> steps = ParseKeyScript(keys).Steps;
        flow.OnStarted = [&](Session& session) {
            session.Screens().BattleOver = [&, mazeTakesOver =
                                                   session.Screens().BattleOver](BattleEnd end) {
                const size_t used = steps.size() - flow.Platform().Events().StepsLeft();
                presses[run] = std::count_if(steps.begin(), steps.begin() + used, [](auto& s) {
                    return s.Kind == ScriptStep::Type::Key;
                });
                mazeTakesOver(end);
            };
        };
        ASSERT_TRUE(flow.Run(keys)) << flow.Error();
        shown[run] = flow.Dialogs();
    }
    EXPECT_LT(0, presses[1]);  // the fast battle ended too, in fewer presses
    EXPECT_LT(presses[1], presses[0]);
    EXPECT_GT(shown[0].size(), 4u);
    EXPECT_EQ(shown[1], shown[0]);
}

}  // namespace
}  // namespace kv::test
