// The checker walks a scenario as a party could and proves its ending
// reachable; a copy broken in one link of the chain has that link named.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "Checker.h"
#include "dungeon/EventContents.h"
#include "tools/SampleSources.h"

namespace kv::kvrdata {
namespace {

namespace fs = std::filesystem;

constexpr const char* CannotFinish = "the story cannot be finished: ";

class EndingCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("korvane-ending-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The checker's line about the ending, or "" when it has none.
    std::string EndingLine(const ScenarioData& data) {
        Diagnostics diag;
        EXPECT_TRUE(SaveFiles(DataFileBytes(data), dir_, diag));
        for (const std::string& line : CheckDataFolder(dir_).Problems) {
            if (line.starts_with(CannotFinish))
                return line.substr(std::string(CannotFinish).size());
        }
        return "";
    }
    static ScenarioData Compiled(const SourceFiles& files) {
        Diagnostics diag;
        ScenarioData data;
        ReadSources(files, data, diag);
        EXPECT_TRUE(diag.Ok()) << (diag.Errors.empty() ? "" : diag.Errors.front());
        return data;
    }

    fs::path dir_;
};

// One change to the demo's events: every content of the given kind (and
// data, unless -1) in the events of a square of 石造りの淵 becomes NewKind
// with NewData (unless -1).
struct ContentEdit {
    int Floor;
    int X, Y;  // -1: any square of the floor
    ContentKind Kind;
    int Data;
    ContentKind NewKind;
    int NewData;
};

void Apply(Database& db, const ContentEdit& edit) {
    const EventDef* head = nullptr;
    for (size_t r = 1; r < db.Events.size(); ++r) {
        EventDef& row = db.Events[r];
        if (row.ID == 0) continue;
        if (head == nullptr || head->ID != row.ID) head = &row;
        const bool square = head->Dungeon == 21 && head->Floor == edit.Floor &&
                            (edit.X < 0 || (head->X == edit.X && head->Y == edit.Y));
        if (!square || row.Kind != static_cast<int>(edit.Kind)) continue;
        if (edit.Data >= 0 && row.DataID != edit.Data) continue;
        row.Kind = static_cast<uint8_t>(edit.NewKind);
        if (edit.NewData >= 0) row.DataID = static_cast<int16_t>(edit.NewData);
    }
}

TEST_F(EndingCheckTest, TheDemoIsFinishableAndEachBrokenLinkIsNamed) {
    using K = ContentKind;
    struct Row {
        const char* Break;
        std::vector<ContentEdit> Edits;
        const char* Named;  // "" for a story that can be finished
    };
    const std::vector<Row> rows = {
        {"nothing: the demo as it is", {}, ""},
        {"the riddle gives no silver key",
         {{2, 7, 2, K::Gift, 181, K::Nothing, -1}},
         "floor 3 of 石造りの淵: the step east from (9,9) is barred without item 181 (銀の鍵), "
         "which nothing gives"},
        {"the empress's fall marks another flag",
         {{3, 13, 9, K::FlagSet, 23, K::FlagSet, 24}},
         "the ending needs flag 23, which nothing sets"},
        {"no stairs lead down from floor 2",
         {{2, 1, 1, K::Stairs, -1, K::Nothing, -1}},
         "floor 3 of 石造りの淵: no way leads to (13,9) from where the party can go"},
        {"the empress never fights",
         {{3, 13, 9, K::Battle, -1, K::Nothing, -1}},
         "floor 3 of 石造りの淵: the event after a battle at (13,9) follows no battle there"},
        {"floor 3 has no way up and no way home",
         {{3, -1, -1, K::Stairs, -1, K::Nothing, -1},
          {3, -1, -1, K::Teleport, -1, K::Nothing, -1},
          {3, -1, -1, K::Return, -1, K::Nothing, -1}},
         "no way leads back to the castle from floor 3 of 石造りの淵 (13,9), where the final "
         "item or the story's flag is won"},
    };
    Diagnostics diag;
    const SourceFiles demo = LoadSourceFolder(KORVANE_DEMO_SOURCE, diag);
    ASSERT_TRUE(diag.Ok());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Break);
        ScenarioData data = Compiled(demo);
        for (const ContentEdit& edit : row.Edits) Apply(*data.Db, edit);
        EXPECT_EQ(EndingLine(data), row.Named);
    }
}

// The ruby handed to person 1 opens コルヴァーネの中心, where the crown
// lies; the party brings it home by the way it came in.
SourceFiles HiddenMazeScenario(bool rubyGiven) {
    const std::string items =
        "[[item]]\nrow = 252\nName = \"宝冠\"\nKind = 11\n\n"
        "[[item]]\nrow = 253\nName = \"ルビー\"\nKind = 11\n";
    std::string events = R"(
[[event]]
Dungeon = 21
Floor = 1
EventCase = "arrive"
  [[event.content]]
  Kind = "return"

[[event]]
Dungeon = 21
Floor = 1
X = 1
Dir = 1
EventCase = "arrive"
  [[event.content]]
  Kind = "person"
  DataID = 1

[[event]]
Dungeon = 24
Floor = 1
EventCase = "arrive"
  [[event.content]]
  Kind = "return"

[[event]]
Dungeon = 24
Floor = 1
X = 3
Dir = 1
EventCase = "arrive"
  [[event.content]]
  Kind = "gift"
  Target = 2
  DataID = 252
  DA = 1
  [[event.content]]
  Kind = "flag_set"
  DataID = 23
)";
    if (rubyGiven) {
        events +=
            "\n[[event]]\nDungeon = 21\nFloor = 1\nX = 2\nDir = 1\nEventCase = \"search\"\n"
            "  [[event.content]]\n  Kind = \"gift\"\n  Target = 2\n  DataID = 253\n"
            "  DA = 1\n";
    }
    return {{"items.toml", items},
            {"events.toml", events},
            {"maps/21-01.txt", FloorArt({})},
            {"maps/24-01.txt", FloorArt({})}};
}

TEST_F(EndingCheckTest, AHandOverOpensTheMazeWhereTheEndingLies) {
    EXPECT_EQ(EndingLine(Compiled(HiddenMazeScenario(true))), "");
    EXPECT_EQ(EndingLine(Compiled(HiddenMazeScenario(false))),
              "the place menu offers コルヴァーネの中心 only with flag 21, set only by handing "
              "over item 253 (ルビー), which nothing gives");
}

// A floor of 石造りの淵 whose crown lies at (5,5), walled in on all four
// sides unless a row opens one; the way home is at the entrance.
SourceFiles CrownFloor(char westEdge, const std::string& events) {
    return {{"items.toml", "[[item]]\nrow = 252\nName = \"宝冠\"\nKind = 11\n"},
            {"events.toml", R"(
[[event]]
Dungeon = 21
Floor = 1
EventCase = "arrive"
  [[event.content]]
  Kind = "return"

[[event]]
Dungeon = 21
Floor = 1
X = 5
Y = 5
EventCase = "search"
  [[event.content]]
  Kind = "gift"
  Target = 2
  DataID = 252
  DA = 1
  [[event.content]]
  Kind = "flag_set"
  DataID = 23
)" + events},
            {"maps/21-01.txt",
             FloorArt({{10, 11, '-'}, {12, 11, '-'}, {11, 12, '|'}, {11, 10, westEdge}})}};
}

std::string Event(int x, int y, int dir, const char* trigger, const std::string& contents) {
    return "\n[[event]]\nDungeon = 21\nFloor = 1\nX = " + std::to_string(x) +
           "\nY = " + std::to_string(y) + "\nDir = " + std::to_string(dir) + "\nEventCase = \"" +
           trigger + "\"\n" + contents;
}
std::string Content(const std::string& keys) {
    return "  [[event.content]]\n" + keys + "\n";
}

TEST_F(EndingCheckTest, TheWalkGoesOnlyWhereTheRulesLetAParty) {
    const std::string teleportIn =
        Event(3, 3, 1, "arrive", Content("Kind = \"teleport\"\nLocFloor = 1\nLocX = 5\nLocY = 5"));
    // The door west of the crown is barred unless flag 50 is 1.
    const std::string barred =
        Event(4, 5, 1, "step",
              Content("Kind = \"flag_test\"\nDataID = 50\nTrueID = 3\nFalseID = 2") +
                  Content("Kind = \"barrier\""));
    const std::string lever = Event(9, 9, 0, "search", Content("Kind = \"flag_set\"\nDataID = 50"));
    const std::string locked = Event(4, 5, 1, "step", Content("Kind = \"lock\"\nDataID = 30"));
    struct Row {
        const char* Way;
        char WestEdge;
        std::string Events;
        const char* Named;
    };
    const std::vector<Row> rows = {
        {"walled in", '|', "",
         "floor 1 of 石造りの淵: no way leads to (5,5) from where the party can go"},
        {"an open edge", ' ', "", ""},
        {"a door", 'D', "", ""},
        {"a hidden door", 'H', "", ""},
        // A cell closed on four sides without a door is rock: the party dies there.
        {"a teleport into the rock", '|', teleportIn,
         "floor 1 of 石造りの淵: no way leads to (5,5) from where the party can go"},
        {"a teleport into a cell a hidden door leads out of", 'H', teleportIn, ""},
        {"a barred door nothing unbars", 'D', barred,
         "floor 1 of 石造りの淵: the step east from (4,5) is barred without flag 50, which "
         "nothing sets"},
        {"a barred door a lever unbars", 'D', barred + lever, ""},
        {"a locked door, which someone can open", 'D', locked, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Way);
        EXPECT_EQ(EndingLine(Compiled(CrownFloor(row.WestEdge, row.Events))), row.Named);
    }
}

// A teleport out of the walled room with no way back leaves the crown won
// but never brought home.
TEST_F(EndingCheckTest, ACrownThatCannotBeBroughtHomeIsNamed) {
    const std::string oneWay =
        Event(4, 5, 1, "arrive", Content("Kind = \"teleport\"\nLocFloor = 1\nLocX = 5\nLocY = 5"));
    SourceFiles files = CrownFloor('|', oneWay);
    files["maps/21-01.txt"] = FloorArt({{10, 11, '-'},
                                        {12, 11, '-'},
                                        {11, 12, 'H'},
                                        {11, 10, '|'},
                                        {11, 14, '|'},
                                        {10, 13, '-'},
                                        {12, 13, '-'}});
    EXPECT_EQ(EndingLine(Compiled(files)),
              "no way leads back to the castle from floor 1 of 石造りの淵 (5,5), where the final "
              "item or the story's flag is won");
}

}  // namespace
}  // namespace kv::kvrdata
