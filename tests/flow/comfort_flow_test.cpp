// The comforts played through the real session: keys of one's own step in
// the maze, a controller walks it and camps, and a battle with fast messages
// ends in fewer key presses than the same battle with messages as written.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

using namespace kv::testing;

constexpr int NoEncounterSkill = 14;  // no random monsters on the way

// Title, the tavern, two join, the castle, the edge of town, the first maze.
const std::string FormAndEnter =
    "Enter  G Enter  A Enter  Enter Enter Enter  C Enter  E Enter  D Enter  Enter  ";

void WriteSettings(Flow& flow, const std::string& text) {
    std::ofstream(flow.SaveFolder() / "KVR.ini", std::ios::binary) << text;
}

void TwoWalkers(Flow& flow) {
    for (int slot : {1, 2}) {
        Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = slot == 1 ? "アリア" : "ベル";
        c.Alignment = 2;
        c.Level = 3;
        c.HP = c.MaxHP = 20;
        c.Skills[NoEncounterSkill] = 1;
    }
}

// From the entrance (facing south): a step south, a turn to the east, a step east.
const std::vector<Where> StepTurnStep = {{1, 0, 0, 2}, {1, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}};

TEST(ComfortFlow, ARemappedKeyStepsAndTheKeyItReplacedDoesNot) {
    Flow flow;
    TwoWalkers(flow);
    WriteSettings(flow, "[Keys]\r\nForward = K\r\nTurnLeft = J\r\nCamp = Nope\r\n");
    ASSERT_TRUE(flow.Run(FormAndEnter + "K  Up  J  K")) << flow.Error();
    EXPECT_EQ(WhereLines(flow), StepTurnStep);
    EXPECT_NE(flow.Error().find("korvane: [Keys] Camp = Nope: no such key; Camp keeps I\n"),
              std::string::npos)
        << flow.Error();
}

TEST(ComfortFlow, AControllerWalksTheMazeAndCampsWhateverKeyTheCampHas) {
    Flow flow;
    TwoWalkers(flow);
    WriteSettings(flow, "[Keys]\r\nCamp = C\r\n");
    ASSERT_TRUE(flow.Run(FormAndEnter + "pad:Up  pad:Left  pad:Up  pad:West pad:South"))
        << flow.Error();
    EXPECT_EQ(WhereLines(flow), StepTurnStep);
    // West chose a member and South took the first: her camp.
    const std::vector<nlohmann::json> lists = flow.Lines("list");
    ASSERT_FALSE(lists.empty());
    EXPECT_EQ(lists.back()["name"], "lstCommand");
    EXPECT_EQ(lists.back()["caption"], "アリア");
}

// Four fighters against four pixies of one hit point, met by an event one
// step south of the entrance. The presses the script has used when the battle
// ends go into presses.
void PixieBattle(Flow& flow, int& presses, const std::vector<ScriptStep>& steps) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    Creature pixie = BattleFixture::Monster(3, "ピクシー", 0, 0);
    pixie.HPDice = {0, 0, 1};
    pixie.GroupDice = {0, 0, 2};
    scenario.Monsters[3] = pixie;
    scenario.EncounterTable[0 * 2001 + 3] = 7;
    scenario.EncounterTable[3 * 2001 + 3] = 3;
    scenario.EncounterTable[4 * 2001 + 3] = 3;
    for (int slot = 1; slot <= 4; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)];
        c = fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[NoEncounterSkill] = 1;
    }
    EventDef& e = scenario.Events[1];
    e = EventDef{};
    e.ID = 1;
    e.Dungeon = 21;
    e.Floor = 1;
    e.Y = 1;
    e.Dir = 2;  // arrived at facing south
    e.EventCase = 1;
    e.Kind = 14;  // a battle
    e.DataID = 7;
    flow.OnStarted = [&flow, &presses, &steps](Session& session) {
        ScreenContext& context = session.Screens();
        context.BattleOver = [&, mazeTakesOver = context.BattleOver](BattleEnd end) {
            EXPECT_EQ(end, BattleEnd::Victory);
            const size_t used = steps.size() - flow.Platform().Events().StepsLeft();
            presses = static_cast<int>(
                std::count_if(steps.begin(), steps.begin() + used,
                              [](const ScriptStep& s) { return s.Kind == ScriptStep::Type::Key; }));
            mazeTakesOver(end);
        };
    };
}

TEST(ComfortFlow, FastMessagesEndABattleInFewerPressesShowingTheSameMessages) {
    const std::string enter =
        "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
        "Up ";
    std::string asWritten = enter + "Esc";
    std::string fast = enter + "wait:700";
    for (int round = 0; round < 4; ++round) {
        asWritten += "  O";
        fast += "  O";
        for (int i = 0; i < 20; ++i) {
            asWritten += " Esc";
            fast += " wait:700";
        }
    }
    std::vector<std::string> shown[2];
    int presses[2] = {-1, -1};
    for (int run = 0; run < 2; ++run) {
        const std::string& keys = run == 0 ? asWritten : fast;
        const std::vector<ScriptStep> steps = ParseKeyScript(keys).Steps;
        Flow flow;
        PixieBattle(flow, presses[run], steps);
        if (run == 1) WriteSettings(flow, "[Comforts]\r\nMessageSpeed = fast\r\n");
        ASSERT_TRUE(flow.Run(keys)) << flow.Error();
        shown[run] = flow.Dialogs();
    }
    ASSERT_GT(presses[1], 0);
    EXPECT_LT(presses[1], presses[0]);
    EXPECT_GT(shown[0].size(), 4u);
    EXPECT_EQ(shown[1], shown[0]);
}

}  // namespace
}  // namespace kv::test
