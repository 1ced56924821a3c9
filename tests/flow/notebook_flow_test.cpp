// The map notebook by keys: a note written on the automap's cursor cell is
// in the notebook beside the save, and after a restart the automap lists it
// again and marks its cell.
#include <fstream>

#include "dungeon/MapNotes.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// Aria knows the mapping spell, typed by name.
void PrepareNotebook(Flow& flow) {
    Game& g = flow.Scenario();
    Creature& c = g.Roster[1];
    c.Id = 1;
    c.Name = "アリア";
    c.Alignment = 2;
    c.Level = 3;
    c.HP = c.MaxHP = 20;
    c.Skills[14] = 1;  // no encounters
    SpellDef& s = g.Spells[1];
    s.Code = 1;
    s.Name = s.AltName = "MAPPO";
    s.School = 1;
    s.SpellLevel = 1;
    s.Slot = 1;
    s.Effect = 3;  // the map
    s.SpellFlags = 2;
    c.Spell(1, 1, 1) = 1;
    c.MPAt(1, 1) = c.MaxMPAt(1, 1) = 3;
    std::ofstream(flow.SaveFolder() / "KVR.ini") << "[ダンジョン]\n呪文選択=0\n";
}

const std::string Mapping = "I Enter  S Enter \"mappo\" Enter  ";

TEST(NotebookFlow, ANoteSurvivesARestart) {
    Flow flow;
    PrepareNotebook(flow);
    ASSERT_TRUE(flow.Run(
        // Title, the tavern, Aria joins, the edge of town, the first maze.
        "Enter  G Enter  A Enter  Enter Enter  C Enter  E Enter  D Enter  Enter  " + Mapping +
        // The cursor comes out on the party's cell (0,0), goes to (1,1), and N
        // writes there; Esc closes the map.
        "Right  Right Down  N \"泉：回復\" Enter  Esc"))
        << flow.Error();
    EXPECT_EQ(nlohmann::json(flow.Lines("note")).dump(),
              R"([{"floor":1,"place":21,"t":"note","text":"泉：回復","x":1,"y":1}])");
    EXPECT_FALSE(flow.Lines("automap")[0].contains("notes")) << "nothing written yet";

    // Started anew: resume, map again; Esc on the note asks first and N keeps it.
    ASSERT_TRUE(
        flow.Run("Enter  E Enter  O Enter  Enter  " + Mapping + "Right Right Down  N Esc  N"))
        << flow.Error();
    EXPECT_EQ(flow.Dialogs().back(), "このメモを消しますか？");
    EXPECT_TRUE(flow.Lines("note").empty());
    const std::vector<nlohmann::json> maps = flow.Lines("automap");
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0]["notes"], nlohmann::json::array({"1 (1,1) 泉：回復"}));
    std::string problem;
    EXPECT_EQ(ReadNotes(flow.SaveFolder(), problem).At({21, 1, 1, 1}), "泉：回復");
    EXPECT_EQ(problem, "");
}

}  // namespace
}  // namespace kv::test
