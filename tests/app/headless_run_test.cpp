// The real program, run headless through key scripts: what a test or a bug
// report sees of it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Database.h"
#include "platform/InstanceLock.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class HeadlessRun : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("korvane-app-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "save");
        fs::create_directories(dir_ / "data");
        fs::create_directories(dir_ / "config");
        WriteBlankScenario(dir_ / "data");
    }

    // The smallest scenario the game starts on: the four database files with
    // every table empty.
    static void WriteBlankScenario(const fs::path& folder) {
        auto db = std::make_unique<Database>();
        for (const DatabaseFile& file : DatabaseFiles()) {
            Serializer s = Serializer::Saving();
            file.Sync(s, *db);
            std::ofstream(folder / file.Name, std::ios::binary) << s.Output();
        }
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }

    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Runs korvane with the arguments; returns its exit status and keeps what
    // it wrote on the error stream.
    int Run(const std::string& args) {
        const std::string command = "XDG_CONFIG_HOME='" + (dir_ / "config").string() + "' '" +
                                    KORVANE_BINARY + "' " + args + " 2>'" +
                                    (dir_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        errors_ = Read(dir_ / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Folders() const {
        return "--data '" + (dir_ / "data").string() + "' --save-dir '" + (dir_ / "save").string() +
               "'";
    }

    fs::path dir_;
    std::string errors_;
};

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& png) {
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    return {static_cast<int>(be(16)), static_cast<int>(be(20))};
}

// The transcript's lines, one string each.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

constexpr const char* CastleMenu =
    "{\"t\":\"menu\",\"state\":8,\"caption\":\"コルヴァーネ帝都\",\"rows\":[\"G)ゴルドランの酒場\","
    "\"T)冒険者の宿\",\"M)メルヴィック商店\",\"A)アルセア寺院\",\"B)コルヴァーネ星占所\",\"E)"
    "町外れ\"],"
    "\"index\":0}";

TEST_F(HeadlessRun, TheTitleOpensTheCastleAndTheScriptEndingEndsTheRun) {
    const fs::path keys = Write("keys", "# the title, then a key to start\nwait:500 Enter Down\n");
    const fs::path transcript = dir_ / "t.jsonl";
    const fs::path shot = dir_ / "end.png";
    ASSERT_EQ(
        Run("--headless --seed 7 " + Folders() + " --keys '" + keys.string() + "' --transcript '" +
            transcript.string() + "' --screenshot '" + shot.string() + "'"),
        0)
        << errors_;
    const std::vector<std::string> lines = Lines(Read(transcript));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "{\"t\":\"music\",\"scene\":1,\"file\":\"\"}");
    EXPECT_EQ(lines[1], "{\"t\":\"caption\",\"text\":\"Korvane\"}");
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "{\"t\":\"caption\",\"text\":\"コルヴァーネ\"}"),
        lines.end());
    EXPECT_EQ(lines.back(), CastleMenu);
    EXPECT_EQ(PngSize(Read(shot)), std::make_pair(640, 480));
}

TEST_F(HeadlessRun, EscParksOnTheEdgeOfTownAndEndingTheGameSavesIt) {
    // The title, Esc to "E)町外れ", Enter, then the access key E for "E)ゲームの終了".
    const fs::path keys = Write("keys", "Enter Esc Enter E Enter\n");
    const fs::path transcript = dir_ / "t.jsonl";
    ASSERT_EQ(Run("--headless " + Folders() + " --keys '" + keys.string() + "' --transcript '" +
                  transcript.string() + "'"),
              0)
        << errors_;
    const std::vector<std::string> lines = Lines(Read(transcript));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(
        lines[lines.size() - 3].rfind("{\"t\":\"menu\",\"state\":9,\"caption\":\"町外れ\"", 0), 0u)
        << lines[lines.size() - 3];
    EXPECT_EQ(
        lines[lines.size() - 2],
        "{\"t\":\"save\",\"file\":\"" + (dir_ / "save" / "KVR1.DAT").string() + "\",\"ok\":true}");
    EXPECT_EQ(lines.back(), "{\"t\":\"music\",\"scene\":0,\"file\":\"\"}");
    EXPECT_EQ(fs::file_size(dir_ / "save" / "KVR1.DAT"), 410158u);
    // The window's place is kept per user, under the caption it had.
    const std::string store = Read(dir_ / "config" / "korvane" / "TLM.ini");
    EXPECT_NE(store.find("[コルヴァーネ]"), std::string::npos) << store;
    EXPECT_NE(store.find("Left="), std::string::npos) << store;
    EXPECT_NE(store.find("[Version]"), std::string::npos) << store;
}

TEST_F(HeadlessRun, SameSeedAndKeysGiveTheSameTranscriptAndPicture) {
    const fs::path keys =
        Write("keys", "seed:99 wait:1000 Enter Esc Enter shot:" + (dir_ / "s").string() +
                          "1.png Up Up Enter\n");
    const std::string base = "--headless " + Folders() + " --keys '" + keys.string() + "'";
    // Each run starts from the same state: no save yet, nothing stored per user.
    auto fresh = [&] {
        fs::remove_all(dir_ / "save");
        fs::remove_all(dir_ / "config");
        fs::create_directories(dir_ / "save");
        fs::create_directories(dir_ / "config");
    };
    ASSERT_EQ(Run(base + " --transcript '" + (dir_ / "a.jsonl").string() + "'"), 0) << errors_;
    fs::rename(dir_ / "s1.png", dir_ / "first.png");
    const std::string firstSave = Read(dir_ / "save" / "KVR1.DAT");
    fresh();
    ASSERT_EQ(Run(base + " --transcript '" + (dir_ / "b.jsonl").string() + "'"), 0) << errors_;
    EXPECT_GT(Lines(Read(dir_ / "a.jsonl")).size(), 5u);
    EXPECT_EQ(Read(dir_ / "a.jsonl"), Read(dir_ / "b.jsonl"));
    EXPECT_EQ(Read(dir_ / "first.png"), Read(dir_ / "s1.png"));
    EXPECT_FALSE(firstSave.empty());
    EXPECT_EQ(firstSave, Read(dir_ / "save" / "KVR1.DAT"));
}

TEST_F(HeadlessRun, BadOptionsFoldersAndScriptsEndWithStatusTwoAndOneLine) {
    const fs::path good = Write("keys", "Enter\n");
    const fs::path bad = Write("bad", "Enter\nNoSuchKey\n");
    struct Case {
        std::string args;
        std::string says;
    };
    const Case cases[] = {
        {"--frobnicate", "unknown option"},
        {"--headless --keys '" + good.string() + "' --data '" + (dir_ / "missing").string() + "'",
         "scenario folder not found"},
        {"--headless --keys '" + good.string() + "' --data '" + (dir_ / "data").string() +
             "' --save-dir '" + (dir_ / "nowhere").string() + "'",
         "save folder not found"},
        {"--headless " + Folders() + " --keys '" + (dir_ / "absent").string() + "'",
         "cannot read the key script"},
        {"--headless " + Folders() + " --keys '" + bad.string() + "'", "line 2"},
        {"--headless " + Folders() + " --keys '" + good.string() + "' --seed x", "--seed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.args;
        EXPECT_NE(errors_.find(c.says), std::string::npos) << c.args << " said: " << errors_;
        EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1)
            << "more than one line for " << c.args;
    }
}

TEST_F(HeadlessRun, ASecondCopyOnTheSameSaveFolderStepsAsideSilently) {
    InstanceLock first;
    std::string error;
    ASSERT_TRUE(first.Acquire(dir_ / "save", error)) << error;
    const fs::path keys = Write("keys", "Enter\n");
    const fs::path transcript = dir_ / "t.jsonl";
    EXPECT_EQ(Run("--headless " + Folders() + " --keys '" + keys.string() + "' --transcript '" +
                  transcript.string() + "'"),
              0);
    EXPECT_EQ(errors_, "");
    EXPECT_FALSE(fs::exists(transcript)) << "the second copy ran anyway";

    // Another save folder is another game: that copy runs.
    fs::create_directories(dir_ / "other");
    EXPECT_EQ(Run("--headless --data '" + (dir_ / "data").string() + "' --save-dir '" +
                  (dir_ / "other").string() + "' --keys '" + keys.string() + "' --transcript '" +
                  transcript.string() + "'"),
              0)
        << errors_;
    EXPECT_TRUE(fs::exists(transcript));
}

TEST_F(HeadlessRun, AScenarioWithMissingOrShortFilesIsReportedAndNotStarted) {
    fs::remove(dir_ / "data" / "KVR5.DAT");
    fs::resize_file(dir_ / "data" / "KVR3.DAT", 10);
    const fs::path keys = Write("keys", "Enter wait:100\n");
    const fs::path shot = dir_ / "refused.png";
    EXPECT_EQ(Run("--headless " + Folders() + " --keys '" + keys.string() + "' --screenshot '" +
                  shot.string() + "'"),
              3);
    EXPECT_NE(errors_.find("KVR5.DAT is missing (4 116 741 bytes expected)"), std::string::npos)
        << errors_;
    EXPECT_NE(errors_.find("KVR3.DAT is too short: 10 bytes, at least 562 485 expected"),
              std::string::npos)
        << errors_;
    EXPECT_TRUE(fs::exists(shot));
}

TEST_F(HeadlessRun, AFirstRunTakesTheScenarioNewGameSave) {
    std::ofstream(dir_ / "data" / "KVR1.DAT", std::ios::binary) << std::string(410158, '\0');
    const fs::path keys = Write("keys", "Enter\n");
    ASSERT_EQ(Run("--headless " + Folders() + " --keys '" + keys.string() + "'"), 0) << errors_;
    EXPECT_EQ(fs::file_size(dir_ / "save" / "KVR1.DAT"), 410158u);
}

TEST_F(HeadlessRun, VersionAndHelpSayWhatTheyShould) {
    EXPECT_EQ(Run("--version > '" + (dir_ / "out").string() + "'"), 0);
    EXPECT_EQ(Read(dir_ / "out").rfind("korvane ", 0), 0u);
    EXPECT_EQ(Run("--help > '" + (dir_ / "out").string() + "'"), 0);
    const std::string help = Read(dir_ / "out");
    for (const char* option : {"--data", "--save-dir", "--seed", "--headless", "--keys",
                               "--transcript", "--screenshot", "--record"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

TEST_F(HeadlessRun, F12PutsAPictureInThePicturesFolderAndSaysWhere) {
    ::setenv("XDG_PICTURES_DIR", (dir_ / "pictures").c_str(), 1);
    // F12 on the title and again in the castle: the game never sees the key.
    const fs::path keys = Write("keys", "wait:500 F12 Enter F12\n");
    const fs::path transcript = dir_ / "t.jsonl";
    ASSERT_EQ(Run("--headless " + Folders() + " --keys '" + keys.string() + "' --transcript '" +
                  transcript.string() + "'"),
              0)
        << errors_;
    ::unsetenv("XDG_PICTURES_DIR");
    EXPECT_EQ(Lines(Read(transcript)).back(), CastleMenu);

    const std::vector<std::string> said = Lines(errors_);
    ASSERT_EQ(said.size(), 2u) << errors_;
    std::vector<fs::path> shots;
    for (const auto& entry : fs::directory_iterator(dir_ / "pictures" / "korvane")) {
        shots.push_back(entry.path());
    }
    ASSERT_EQ(shots.size(), 2u);
    for (const fs::path& shot : shots) {
        EXPECT_EQ(PngSize(Read(shot)), std::make_pair(640, 480)) << shot;
        EXPECT_TRUE(shot.filename().string().starts_with("korvane-20")) << shot;
        const std::string line = "korvane: screenshot saved as " + shot.string();
        EXPECT_NE(std::find(said.begin(), said.end(), line), said.end()) << errors_;
    }
    // The title and the castle look different: two pictures, not one twice.
    EXPECT_NE(Read(shots[0]), Read(shots[1]));
}

TEST_F(HeadlessRun, AMissingSoundfontIsOneLineAndTheGameStillStarts) {
    struct Case {
        std::string option;
        std::string setting;  // the per-user [Sound] SoundFont=
        std::string says;
    };
    const std::string gone = (dir_ / "gone.sf2").string();
    const Case cases[] = {
        {"--soundfont '" + gone + "'", "",
         "korvane: soundfont not found: " + gone + "; the music is off"},
        {"", gone,
         "korvane: soundfont not found: " + gone + " (from the [Sound] setting); the music is off"},
    };
    const fs::path keys = Write("keys", "wait:500 Enter\n");
    for (const Case& c : cases) {
        fs::create_directories(dir_ / "config" / "korvane");
        std::ofstream(dir_ / "config" / "korvane" / "TLM.ini")
            << (c.setting.empty() ? "" : "[Sound]\nSoundFont=" + c.setting + "\n");
        const fs::path transcript = dir_ / "t.jsonl";
        ASSERT_EQ(Run("--headless " + c.option + " " + Folders() + " --keys '" + keys.string() +
                      "' --transcript '" + transcript.string() + "'"),
                  0)
            << errors_;
        EXPECT_EQ(Lines(errors_), std::vector<std::string>{c.says}) << errors_;
        EXPECT_EQ(Lines(Read(transcript)).back(), CastleMenu);
    }
}

}  // namespace
}  // namespace kv
