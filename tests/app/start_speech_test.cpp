// --start, --export-map and --speech on the real program: the cell and floor
// arguments at their edges, a party stood on the named cell of a copy while
// the author's save folder stays as it was, and a walk heard as speak lines.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "app/CellArguments.h"
#include "common/TestCharacter.h"
#include "core/Database.h"
#include "core/MazeMap.h"
#include "core/SaveFile.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct CellCase {
    const char* Text;
    std::optional<std::array<int, 5>> Cell;
};

TEST(StartCell, ParsesAtItsEdges) {
    const std::vector<CellCase> cases = {
        {"21:3:4,7:E", std::array<int, 5>{21, 3, 4, 7, 1}},
        {"20:1:0,0", std::array<int, 5>{20, 1, 0, 0, 2}},  // south when left out
        {"27:21:19,19:w", std::array<int, 5>{27, 21, 19, 19, 3}},
        {"22:2:5,5:0", std::array<int, 5>{22, 2, 5, 5, 0}},
        {"19:1:0,0", std::nullopt},
        {"28:1:0,0", std::nullopt},
        {"21:0:0,0", std::nullopt},
        {"21:22:0,0", std::nullopt},
        {"21:1:20,0", std::nullopt},
        {"21:1:0,0:X", std::nullopt},
        {"21:1:0,0:4", std::nullopt},
        {"21:1:3", std::nullopt},
        {"21:1:3,4:N:1", std::nullopt},
        {"", std::nullopt},
    };
    for (const CellCase& c : cases) {
        std::string error;
        EXPECT_EQ(ParseStartCell(c.Text, error), c.Cell) << c.Text;
        EXPECT_EQ(error.empty(), c.Cell.has_value()) << c.Text << ": " << error;
    }
    std::string error;
    EXPECT_EQ(ParseMapFloor("27-21", error), (std::array<int, 2>{27, 21}));
    EXPECT_EQ(ParseMapFloor("21-0", error), std::nullopt);
    EXPECT_EQ(error, "--export-map: the floor must be 1 to 21, got '0'");
}

class StartRun : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("korvane-startrun-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        for (const char* sub : {"data", "save", "config", "tmp"})
            fs::create_directories(dir_ / sub);
        // Floor 2 of place 21: (4,4) has a wall east and a door north.
        auto game = std::make_unique<Game>();
        SetWallMap(*game, MazeOf(21), 2, 4, 4, EdgeEast | EdgeNorth);
        SetDoorMap(*game, MazeOf(21), 2, 4, 4, EdgeNorth);
        for (const DatabaseFile& file : DatabaseFiles()) {
            Serializer s = Serializer::Saving();
            file.Sync(s, *game);
            std::ofstream(dir_ / "data" / file.Name, std::ios::binary) << s.Output();
        }
        // Eight characters; the first is dead, so slots 2..7 make the party.
        for (int slot = 1; slot <= 8; ++slot) {
            testing::TestCharacter who;
            who.Name = std::string(1, static_cast<char>('A' + slot - 1));
            who.In(*game, slot);
        }
        game->Roster[1].Status = StatusDead;
        save_ = SaveBytes(*game);
        std::ofstream(dir_ / "save" / SaveFileName, std::ios::binary) << save_;
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(const std::string& args, const std::string& keys) {
        std::ofstream(dir_ / "keys") << keys;
        const std::string command =
            "XDG_CONFIG_HOME='" + (dir_ / "config").string() + "' TMPDIR='" +
            (dir_ / "tmp").string() + "' '" + KORVANE_BINARY + "' --headless --keys '" +
            (dir_ / "keys").string() + "' --transcript '" + (dir_ / "t.jsonl").string() +
            "' --data '" + (dir_ / "data").string() + "' --save-dir '" + (dir_ / "save").string() +
            "' --seed 3 " + args + " 2>'" + (dir_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        errors_ = Read(dir_ / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::vector<nlohmann::json> Lines(const std::string& kind) const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(dir_ / "t.jsonl");
        for (std::string line; std::getline(in, line);) {
            nlohmann::json parsed = nlohmann::json::parse(line);
            if (parsed["t"] == kind) lines.push_back(parsed);
        }
        return lines;
    }

    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The run's own temporary folder (TMPDIR), so runs beside it do not count.
    std::set<fs::path> StartFolders() const {
        std::set<fs::path> found;
        for (const auto& entry : fs::directory_iterator(dir_ / "tmp")) {
            if (entry.path().filename().string().starts_with("korvane-start-")) found.insert(entry);
        }
        return found;
    }

    fs::path dir_;
    std::string save_;
    std::string errors_;
};

TEST_F(StartRun, ThePartyStandsOnTheCellAndTheSaveFolderIsUntouched) {
    const std::set<fs::path> before = StartFolders();
    // The keys run out in the maze: the game ends there and saves, on the copy.
    ASSERT_EQ(Run("--start 21:2:3,4:E", "Up  Ctrl"), 0) << errors_;
    const std::vector<nlohmann::json> where = Lines("where");
    ASSERT_GE(where.size(), 2u);
    EXPECT_EQ(where[0].dump(), R"({"facing":1,"floor":2,"place":21,"t":"where","x":3,"y":4})");
    EXPECT_EQ(where[1]["x"], 4);
    const std::vector<nlohmann::json> party = Lines("party");
    ASSERT_FALSE(party.empty());
    ASSERT_EQ(party.back()["rows"].size(), 6u);
    EXPECT_EQ(party.back()["rows"][0][0], "１：Ｂ");  // A is dead
    EXPECT_EQ(party.back()["rows"][5][0], "６：Ｇ");
    EXPECT_TRUE(Lines("speak").empty()) << "no voice without --speech";
    EXPECT_FALSE(Lines("save").empty());
    // The author's folder holds its one file, as it was.
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir_ / "save")) files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Read(dir_ / "save" / SaveFileName), save_);
    EXPECT_EQ(StartFolders(), before) << "the copy is removed at exit";
}

TEST_F(StartRun, BadArgumentsOrNobodyAliveEndWithOneLine) {
    EXPECT_EQ(Run("--start 21:1:20,0", ""), 2);
    EXPECT_EQ(errors_, "korvane: --start: the cell must be X,Y with each 0 to 19, got '20,0'\n");
    auto game = std::make_unique<Game>();
    std::ofstream(dir_ / "save" / SaveFileName, std::ios::binary) << SaveBytes(*game);
    EXPECT_EQ(Run("--start 21:1:0,0", ""), 2);
    EXPECT_EQ(errors_, "korvane: --start 21:1:0,0: no living character in the roster\n");
    EXPECT_EQ(Run("--export-map 21-1", ""), 2);
    EXPECT_EQ(errors_, "korvane: --export-map needs a floor and a file\n");
}

TEST_F(StartRun, AWalkIsHeardAsSpeakLines) {
    ASSERT_EQ(Run("--start 21:2:3,4:E --speech", "Up  Left  Right Right"), 0) << errors_;
    std::vector<std::string> said;
    for (const nlohmann::json& line : Lines("speak")) said.push_back(line["text"]);
    const std::vector<std::string> expected = {
        "迷宮21、2階、東3、南4、東を向いています。前は通路",
        "迷宮21、2階、東4、南4、東を向いています。前は壁",
        "迷宮21、2階、東4、南4、北を向いています。前は扉",
        "迷宮21、2階、東4、南4、東を向いています。前は壁",
        "迷宮21、2階、東4、南4、南を向いています。前は通路",
    };
    EXPECT_EQ(said, expected);
}

}  // namespace
}  // namespace kv
