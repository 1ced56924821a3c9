// The map notebook: its file read at every kind of damage, written
// atomically with a damaged one kept aside, and a floor's notes drawn on an
// exported picture of the floor as walked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MazeFixture.h"
#include "common/Golden.h"
#include "dungeon/AutoMapWindow.h"
#include "dungeon/MapNotes.h"
#include "ui/UiFixture.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct NotesCase {
    const char* Name;
    const char* Toml;
    std::vector<FloorNote> Floor;  // of place 21, floor 3
    bool Damaged;
};

TEST(MapNotes, ReadsWhatItCanAndSaysWhenItCannot) {
    const std::string longNote = std::string(NoteMaxBytes - 1, 'a') + "泉";  // cut before 泉
    const std::vector<NotesCase> cases = {
        {"one note", "[[note]]\nplace=21\nfloor=3\nx=4\ny=7\ntext=\"泉\"\n", {{4, 7, "泉"}}, false},
        {"the edges of the maps",
         "[[note]]\nplace=21\nfloor=3\nx=19\ny=0\ntext=\"角\"\n"
         "[[note]]\nplace=21\nfloor=3\nx=20\ny=0\ntext=\"外\"\n"
         "[[note]]\nplace=28\nfloor=3\nx=1\ny=1\ntext=\"外\"\n"
         "[[note]]\nplace=21\nfloor=0\nx=1\ny=1\ntext=\"町\"\n",
         {{19, 0, "角"}},
         false},
        {"rows then columns",
         "[[note]]\nplace=21\nfloor=3\nx=1\ny=5\ntext=\"b\"\n"
         "[[note]]\nplace=21\nfloor=3\nx=9\ny=2\ntext=\"a\"\n"
         "[[note]]\nplace=21\nfloor=2\nx=0\ny=0\ntext=\"other floor\"\n",
         {{9, 2, "a"}, {1, 5, "b"}},
         false},
        {"no text, no place",
         "[[note]]\nplace=21\nfloor=3\nx=1\ny=1\n[[note]]\ntext=\"x\"",
         {},
         false},
        {"not TOML", "[[note]\nplace=", {}, true},
        {"note is not a list", "note = 3\n", {}, true},
    };
    for (const NotesCase& c : cases) {
        std::string problem;
        const MapNotes notes = MapNotes::FromToml(c.Toml, problem);
        const std::vector<FloorNote> floor = notes.OnFloor(21, 3);
        ASSERT_EQ(floor.size(), c.Floor.size()) << c.Name;
        for (size_t i = 0; i < floor.size(); ++i) {
            EXPECT_EQ(floor[i].X, c.Floor[i].X) << c.Name;
            EXPECT_EQ(floor[i].Y, c.Floor[i].Y) << c.Name;
            EXPECT_EQ(floor[i].Text, c.Floor[i].Text) << c.Name;
        }
        EXPECT_EQ(!problem.empty(), c.Damaged) << c.Name << ": " << problem;
    }

    MapNotes notes;
    notes.Set({21, 3, 4, 7}, longNote + "\nsecond line");
    EXPECT_EQ(notes.At({21, 3, 4, 7}), std::string(NoteMaxBytes - 1, 'a'));
    notes.Set({22, 1, 0, 0}, "引用符 \" と \\ も");
    std::string problem;
    const MapNotes back = MapNotes::FromToml(notes.ToToml(), problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(back.At({22, 1, 0, 0}), "引用符 \" と \\ も");
    EXPECT_EQ(back.At({21, 3, 4, 7}), notes.At({21, 3, 4, 7}));
    notes.Set({22, 1, 0, 0}, "");
    EXPECT_EQ(notes.OnFloor(22, 1).size(), 0u) << "an emptied note is rubbed out";
}

TEST(MapNotes, ADamagedNotebookIsKeptAsideWhenTheNextNoteIsWritten) {
    const fs::path folder = fs::path(::testing::TempDir()) / "map_notes_damaged";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string problem;
    EXPECT_TRUE(ReadNotes(folder, problem).Empty());
    EXPECT_EQ(problem, "") << "no notebook yet is no trouble";

    std::ofstream(folder / NotesFileName) << "[[note]\n";
    EXPECT_TRUE(ReadNotes(folder, problem).Empty());
    EXPECT_NE(problem.find("damaged (line 1"), std::string::npos) << problem;

    MapNotes notes;
    notes.Set({21, 1, 2, 2}, "扉の先");
    std::string error;
    ASSERT_TRUE(WriteNotes(folder, notes, error)) << error;
    std::ifstream bad(folder / (std::string(NotesFileName) + ".bad"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bad), {}), "[[note]\n");
    problem.clear();
    EXPECT_EQ(ReadNotes(folder, problem).At({21, 1, 2, 2}), "扉の先");
    EXPECT_EQ(problem, "");
    fs::remove_all(folder);
}

class MapExportTest : public test::UiTest {
  protected:
    testing::MazeFixture maze_;
};

TEST_F(MapExportTest, TheExportedFloorShowsItsNotes) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Game& g = maze_.G();
    const fs::path folder = fs::path(::testing::TempDir()) / "map_export_notes";
    fs::remove_all(folder);
    fs::create_directories(folder);
    g.SaveFolder = folder;
    // A walked corridor on floor 2 of place 21; the party is elsewhere.
    g.SeenWalls.assign(g.SeenWalls.size(), Unseen);
    g.SeenDoors.assign(g.SeenDoors.size(), Unseen);
    for (int x = 2; x <= 6; ++x) {
        SetSeenWalls(g, MazeOf(21), 2, x, 3, EdgeNorth | EdgeSouth);
        SetSeenDoors(g, MazeOf(21), 2, x, 3, x == 4 ? EdgeEast : 0);
    }
    maze_.AddMember(1);
    maze_.Stand(9, 9, 1, 1);
    MapNotes notes;
    notes.Set({21, 2, 2, 3}, "入口");
    notes.Set({21, 2, 6, 3}, "行き止まり：隠し扉？");
    notes.Set({21, 1, 6, 3}, "別の階");
    std::string error;
    ASSERT_TRUE(WriteNotes(folder, notes, error)) << error;

    const std::string file = (folder / "floor.png").string();
    ASSERT_TRUE(ExportFloorPicture(Manager(), g, 21, 2, file, error)) << error;
    const std::optional<Image> picture = Host().Images().Load(file);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(test::MatchesGolden(
        Host().Images(), test::Crop(*picture, {0, 0, 640, picture->Height}), "automap_notes"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kv
