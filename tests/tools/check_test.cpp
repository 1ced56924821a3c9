// The checker names each broken reference with file, record and field, and
// has nothing to say about a sound scenario.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "Checker.h"
#include "MapArt.h"
#include "tools/SampleSources.h"

namespace kv::kvrdata {
namespace {

namespace fs = std::filesystem;

class CheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("korvane-check-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CheckReport CompileAndCheck(const SourceFiles& sources) {
        Diagnostics diag;
        ScenarioData data;
        ReadSources(sources, data, diag);
        EXPECT_TRUE(diag.Ok()) << (diag.Errors.empty() ? "" : diag.Errors.front());
        EXPECT_TRUE(SaveFiles(DataFileBytes(data), dir_, diag));
        return CheckDataFolder(dir_);
    }

    static std::string Joined(const CheckReport& report) {
        std::string all;
        for (const std::string& line : report.Problems) all += line + "\n";
        return all;
    }

    fs::path dir_;
};

// Each place the menu always offers gets a floor and a way home, and the
// story an ending: the entrance of place 21 hands out the final item.
SourceFiles WithThePlacesOffered(SourceFiles sources) {
    for (const std::string place : {"21", "22", "23"}) {
        if (place != "21") sources["maps/" + place + "-01.txt"] = FloorArt({});
        sources["events.toml"] += "\n[[event]]\nDungeon = " + place +
                                  "\nFloor = 1\nEventCase = 1\n\n  [[event.content]]\n"
                                  "  Kind = \"return\"\n";
    }
    sources["items.toml"] += "\n[[item]]\nrow = 252\nName = \"宝冠\"\nKind = 11\n";
    sources["events.toml"] +=
        "\n[[event]]\nDungeon = 21\nFloor = 1\nEventCase = 1\n\n  [[event.content]]\n"
        "  Kind = \"gift\"\n  Target = 2\n  DataID = 252\n  DA = 1\n\n  [[event.content]]\n"
        "  Kind = \"flag_set\"\n  DataID = 23\n";
    return sources;
}

TEST_F(CheckTest, ASoundScenarioPasses) {
    const CheckReport report = CompileAndCheck(WithThePlacesOffered(SmallScenario()));
    EXPECT_TRUE(report.Ok()) << Joined(report);
    EXPECT_NE(report.Summary.find("2 items, 1 monsters, 8 event rows"), std::string::npos)
        << report.Summary;
    EXPECT_NE(report.Summary.find("no problems"), std::string::npos);
}

// Walls as numbers: (0,0) has a wall on its east side that (1,0) lacks,
// and (0,1) is solid rock.
std::string UnmirroredFloor() {
    FloorCells cells;
    cells.Walls[0] = EdgeNorth | EdgeEast | EdgeWest;
    cells.Walls[20] = 15;
    return FloorNumbers(cells);
}

TEST_F(CheckTest, EveryProblemIsNamed) {
    SourceFiles sources = SmallScenario();
    sources["items.toml"] +=
        "\n[[item]]\nrow = 13\nName = \"盾\"\nBrokenInto = 2500\nSpellNo = 9\n";
    sources["monsters.toml"] +=
        "\n[[monster]]\nrow = 4\nName = \"亡霊\"\nActions = [0, 7, 7, 600]\n"
        "DropItem = 44\n";
    sources["encounters.toml"] +=
        "\n[[encounter]]\nrow = 2\nNumber = 8\nPlace = 21\nFloor = 1\n"
        "Group2 = 99\n";
    sources["quests.toml"] += "\n[[quest]]\nrow = 2\nQuestTitle = \"報酬なし\"\n";
    sources["npc_trades.toml"] += "\n[[trade]]\nrow = 3\nTradeItems = [0, 12, 0, 77]\n";
    sources["events.toml"] += R"(
[[event]]
Dungeon = 21
Floor = 1
X = 20
EventCase = 1

  [[event.content]]
  Kind = "question"
  TrueID = 0
  FalseID = 9

  [[event.content]]
  Kind = "gift"
  DataID = 600

  [[event.content]]
  Kind = "teleport"
  LocFloor = 2
  LocX = 0
  LocY = 1

  [[event.content]]
  Kind = "battle"
  DataID = 99

  [[event.content]]
  Kind = 30

[[event]]
Dungeon = 21
Floor = 1
EventCase = "step"

  [[event.content]]
  Kind = "flag_toggle"
  DataID = 101

  [[event.content]]
  Kind = "flag_test"
  DataID = -1
  TrueID = 3
  FalseID = 3

  [[event.content]]
  Kind = "person"
  DataID = 21

  [[event.content]]
  Kind = "heal"
  Target = 2
  DA = 5000
  DB = 8
)";
    sources["maps/21-02.txt"] = UnmirroredFloor();
    sources["newgame.toml"] += "\n[[treasure]]\nrow = 2\nPlace = 30\nFloor = 1\nActive = 1\n";
    // Element 3521 of the automap is maze 1, floor 0, column 0, row 1.
    sources["newgame.toml"] = "SeenDoors = { 3521 = 5 }\n" + sources["newgame.toml"];

    const CheckReport report = CompileAndCheck(sources);
    const std::string all = Joined(report);
    for (const char* expected : {
             "KVR3.DAT ItemDef 13 BrokenInto: item 2500 does not exist",
             "KVR3.DAT ItemDef 13 SpellNo: no spell has the code 9",
             "KVR5.DAT Monster 4 Actions[1,2]: action row 7 is empty",
             "KVR5.DAT Monster 4 Actions[3]: action 600 is not 0..500",
             "KVR5.DAT Monster 4 DropItem (Items[3]): item 44 does not exist",
             "KVR5.DAT EncounterTable row 2 group 2: monster 99 does not exist",
             "KVR4.DAT QuestDef 2 reward (QuestTextCodes[201]): item 0 does not exist",
             "KVR4.DAT NpcTradeDef 3 TradeItems[3]: item 77 does not exist",
             "KVR4.DAT EventDef 4 (event 6) X/Y: (20,0) is outside 0..19",
             "KVR4.DAT EventDef 4 (event 6 content 1, question) TrueID: jumps to position 0",
             "KVR4.DAT EventDef 4 (event 6 content 1, question) FalseID: jumps to position 9, "
             "past the end of its 5 contents",
             "KVR4.DAT EventDef 5 (event 6 content 2, gift) DataID: item 600 does not exist",
             "KVR4.DAT EventDef 6 (event 6 content 3, teleport) LocFloor/LocX/LocY: place 21 "
             "floor 2 (0,1) is solid rock",
             "KVR4.DAT EventDef 7 (event 6 content 4, battle) DataID: no encounter row has the "
             "number 99",
             "KVR4.DAT EventDef 8 (event 6 content 5, 30) Kind: 30 is not a content kind",
             "KVR6.DAT place 21 floor 2 WallMap (0,0) east and (1,0) west: wall not mirrored",
             // The maze wraps: the west wall of (0,0) faces the east side of (19,0).
             "KVR6.DAT place 21 floor 2 WallMap (19,0) east and (0,0) west: wall not mirrored",
             "KVR4.DAT EventDef 9 (event 7 content 1, flag_toggle) DataID: flag 101 is not 0..100",
             "KVR4.DAT EventDef 10 (event 7 content 2, flag_test) DataID: flag -1 is not 0..100",
             "KVR4.DAT EventDef 11 (event 7 content 3, person) DataID: person 21 is not 0..20",
             "KVR4.DAT EventDef 12 (event 7 content 4, heal) DA: 5000 dice, the game rolls at most "
             "1000",
             "KVR1.DAT TreasureSpots row 2: place 30 floor 1 (0,0) is off the maze",
             "KVR1.DAT SeenDoors: 1 cell is not -1 (unseen), first place 21 floor 0 (0,1) "
             "holds 5",
             "KVR6.DAT place 22: the place menu offers it, but it has no floor 1",
             "KVR6.DAT place 23: the place menu offers it, but it has no floor 1",
             "KVR4.DAT place 21: the place menu offers it, but no event in it leads back to the "
             "castle",
         }) {
        EXPECT_NE(all.find(expected), std::string::npos) << "missing: " << expected << "\nin:\n"
                                                         << all;
    }
    EXPECT_EQ(all.find("KVR6.DAT place 21:"), std::string::npos) << "place 21 has its floor";
    EXPECT_FALSE(report.Ok());
}

TEST_F(CheckTest, MissingFilesAreReported) {
    fs::create_directories(dir_);
    const CheckReport report = CheckDataFolder(dir_);
    ASSERT_FALSE(report.Ok());
    EXPECT_NE(report.Problems.front().find("KVR3.DAT is missing"), std::string::npos);
}

}  // namespace
}  // namespace kv::kvrdata
