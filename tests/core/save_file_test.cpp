// The save file: byte-exact round trips against an independent writer, the
// rules' own changes (slot 0 blank, names re-coded), first runs, short and
// unreadable files, failed saves and backups.
#include "core/SaveFile.h"

#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include "core/AtomicFile.h"
#include "core/NameCoding.h"
#include "core/Serializer.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// An independent writer of the save layout: explicit offsets and little-endian
// bytes, no shared code with the codec beyond the name coding.
class SaveImage {
  public:
    static constexpr size_t RosterOffset = 410158 - 51 * 2022;
    static constexpr size_t NameCodesAt = 8;     // inside a creature
    static constexpr size_t NameStringAt = 110;  // 16-bit length of Name
    static constexpr size_t SubStringAt = 154;   // 16-bit length of SubName

    explicit SaveImage(uint32_t seed) : bytes_(410158, '\0'), rng_(seed) {
        for (char& b : bytes_) b = static_cast<char>(rng_() & 0xFF);
        // Creature records hold two String fields; keep them empty as the game writes them.
        for (int slot = 0; slot < 51; ++slot) {
            Put16(Creature(slot) + NameStringAt, 0);
            Put16(Creature(slot) + SubStringAt, 0);
            SetName(slot, "");
        }
    }

    size_t Creature(int slot) const { return RosterOffset + static_cast<size_t>(slot) * 2022; }

    void Put16(size_t at, int value) {
        bytes_[at] = static_cast<char>(value & 0xFF);
        bytes_[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    }

    // The name as the game stores it: codes 1..n, zeros after.
    void SetName(int slot, const std::string& utf8) {
        std::array<int16_t, 51> codes{};
        EncodeName(utf8, codes, 1, 50);
        for (int k = 0; k <= 50; ++k) Put16(Creature(slot) + NameCodesAt + 2 * k, codes[k]);
    }

    std::string& Bytes() { return bytes_; }

  private:
    std::string bytes_;
    std::mt19937 rng_;
};

class SaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / "save");
        fs::create_directories(root_ / "data");
        game_ = std::make_unique<Game>();
        game_->SaveFolder = root_ / "save";
        game_->DataFolder = root_ / "data";
    }
    static std::string Read(const fs::path& p) { return testing::ReadBytes(p); }
    static void Write(const fs::path& p, const std::string& bytes) {
        testing::WriteBytes(p, bytes);
    }

    testing::TempFolder folder_{"kv-save"};
    const fs::path& root_ = folder_.Path();
    std::unique_ptr<Game> game_;
};

TEST_F(SaveFileTest, BlankStateIsTheDocumentedSize) {
    EXPECT_EQ(SaveBytes(*game_).size(), SaveFileSize);
    Serializer s = Serializer::Describing();
    SavedState state;
    SyncSaveFile(s, state);
    const Layout& layout = s.Fields();
    ASSERT_NE(FindField(layout, "Roster[0].Id"), nullptr);
    EXPECT_EQ(FindField(layout, "Roster[0].Id")->Offset, SaveImage::RosterOffset);
    EXPECT_EQ(FindField(layout, "LunaCount")->Offset, 404u);
    EXPECT_EQ(FindField(layout, "TreasureSpots")->Offset, 404u + 4 + 3 * 8004);
}

TEST_F(SaveFileTest, AForeignSaveComesBackByteForByteButForTheRulesChanges) {
    SaveImage image(2024);
    image.SetName(1, "アリス");
    image.SetName(2, "髙橋～①∥￢");  // characters that trip a plain Shift_JIS table
    image.SetName(3, std::string(50, 'Z'));
    std::string fifty;
    for (int i = 0; i < 50; ++i) fifty += "竜";
    image.SetName(4, fifty);
    const std::string original = image.Bytes();

    ASSERT_TRUE(LoadSaveBytes(*game_, original));
    EXPECT_EQ(game_->Roster[1].Name, "アリス");
    EXPECT_EQ(game_->Roster[2].Name, "髙橋～①∥￢");
    EXPECT_EQ(game_->Roster[3].Name, std::string(50, 'Z'));
    EXPECT_EQ(game_->Roster[4].Name, fifty);
    EXPECT_EQ(game_->Roster[0].Id, 0) << "slot 0 must be blank after loading";

    // Expected: the same bytes, except roster slot 0, which the game keeps blank.
    std::string expected = original;
    const std::string blank = SaveRecord(kv::Creature{});
    expected.replace(image.Creature(0), blank.size(), blank);
    const std::string saved = SaveBytes(*game_);
    Serializer d = Serializer::Describing();
    SavedState layoutState;
    SyncSaveFile(d, layoutState);
    EXPECT_EQ(saved, expected) << FirstDifference(saved, expected, d.Fields());
    EXPECT_EQ(SaveBytes(*game_), saved) << "two saves in a row differ";
}

TEST_F(SaveFileTest, RenamingShorterLeavesNoTrailingCodes) {
    game_->Roster[5].Id = 5;
    game_->Roster[5].Name = "ながいなまえのひと";
    SaveBytes(*game_);
    game_->Roster[5].Name = "短";
    const std::string bytes = SaveBytes(*game_);
    Game reloaded;
    ASSERT_TRUE(LoadSaveBytes(reloaded, bytes));
    EXPECT_EQ(reloaded.Roster[5].Name, "短");
    for (int k = 2; k <= 50; ++k) EXPECT_EQ(reloaded.Roster[5].NameCodes[k], 0) << k;
    EXPECT_EQ(game_->Roster[5].Name, "短") << "saving must give the names back";
}

TEST_F(SaveFileTest, SaveGameThenOpenAndLoadSaveOnDisk) {
    game_->Roster[1].Id = 1;
    game_->Roster[1].Name = "勇者ロト";
    game_->EventFlags[23] = 1;
    game_->Stock[17] = 9;
    game_->SeenWalls[70399] = -1;
    game_->QuestState[100] = 3;
    ASSERT_TRUE(SaveGame(*game_, 0).Ok);
    EXPECT_EQ(fs::file_size(game_->SaveFolder / SaveFileName), SaveFileSize);

    Game loaded;
    loaded.SaveFolder = game_->SaveFolder;
    const SaveLoadReport report = OpenAndLoadSave(loaded);
    EXPECT_EQ(report.From, SaveLoadReport::Source::Existing);
    EXPECT_FALSE(report.Short);
    EXPECT_EQ(loaded.Roster[1].Name, "勇者ロト");
    EXPECT_EQ(loaded.EventFlags[23], 1);
    EXPECT_EQ(loaded.Stock[17], 9);
    EXPECT_EQ(loaded.SeenWalls[70399], -1);
    EXPECT_EQ(loaded.QuestState[100], 3);
}

TEST_F(SaveFileTest, FirstRunTakesTheScenarioNewGameSaveAndSettings) {
    Game scenario;
    scenario.Stock[3] = 5;
    Write(game_->DataFolder / SaveFileName, SaveBytes(scenario));
    Write(game_->DataFolder / SettingsFileName, "[ダンジョン]\r\n描画= 1\r\n");
    const SaveLoadReport report = OpenAndLoadSave(*game_);
    EXPECT_EQ(report.From, SaveLoadReport::Source::NewGame);
    EXPECT_EQ(game_->Stock[3], 5);
    EXPECT_TRUE(fs::exists(game_->SaveFolder / SaveFileName));
    EXPECT_EQ(Read(game_->SaveFolder / SettingsFileName), "[ダンジョン]\r\n描画= 1\r\n");
}

TEST_F(SaveFileTest, PreparingTheSaveFolderBringsWhicheverScenarioFileIsMissing) {
    // What the save folder holds beforehand; the scenario has both files.
    // Each missing file is copied in; a file already there is the player's
    // and stays as it is.
    struct Case {
        const char* What;
        bool HasSave;
        bool HasSettings;
    };
    const Case cases[] = {
        {"a first run", false, false},
        {"a save without a settings file", true, false},
        {"a settings file without a save", false, true},
        {"both", true, true},
    };
    const std::string scenarioSave = "new game";
    const std::string scenarioSettings = "[ＢＧＭ]\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const fs::path folder = root_ / c.What;
        fs::create_directories(folder);
        game_->SaveFolder = folder;
        Write(game_->DataFolder / SaveFileName, scenarioSave);
        Write(game_->DataFolder / SettingsFileName, scenarioSettings);
        if (c.HasSave) Write(folder / SaveFileName, "player's save");
        if (c.HasSettings) Write(folder / SettingsFileName, "player's settings");
        std::vector<std::string> problems;
        PrepareSaveFolder(*game_, problems);
        EXPECT_TRUE(problems.empty());
        EXPECT_EQ(Read(folder / SaveFileName), c.HasSave ? "player's save" : scenarioSave);
        EXPECT_EQ(Read(folder / SettingsFileName),
                  c.HasSettings ? "player's settings" : scenarioSettings);
    }
}

// The id of a process that has ended and been reaped.
pid_t DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    if (child > 0) ::waitpid(child, &status, 0);
    return child;
}

TEST_F(SaveFileTest, StartingUpRemovesTheTemporariesOfCopiesNoLongerRunning) {
    const pid_t dead = DeadProcessId();
    ASSERT_GT(dead, 0);
    const std::string gone = std::to_string(dead);
    const std::string self = std::to_string(::getpid());
    const std::string never = std::to_string(std::numeric_limits<pid_t>::max());
    struct Case {
        std::string Name;
        bool Removed;
    };
    const Case cases[] = {
        {".KVR1.DAT.tmp-" + gone + "-0", true},
        {".KVR1.DAT.bak1.tmp-" + gone + "-3", true},
        {".KVR.ini.tmp-" + never + "-0", true},
        // Start-up comes before this run's first save: a temporary with our
        // own id is a dead copy's whose id came round again.
        {".KVR1.DAT.tmp-" + self + "-0", true},
        {".KVR1.DAT.tmp-1-0", false},  // a process that is running
        {".KVR1.DAT.tmp-0-0", false},
        {".KVR1.DAT.tmp--5-0", false},
        {".KVR1.DAT.tmp-99999999999999999999-0", false},
        {".KVR1.DAT.tmp-" + gone, false},
        {".KVR1.DAT.tmp-" + gone + "-x", false},
        {".KVR1.DAT.tmp-" + gone + "-0~", false},
        {"KVR1.DAT.tmp-" + gone + "-0", false},
        {".tmp-" + gone + "-0", false},
        {"KVR1.DAT.bak1", false},
    };
    for (const Case& c : cases) Write(game_->SaveFolder / c.Name, "400 KB of an unfinished save");
    const fs::path folderLikeATemp = game_->SaveFolder / (".KVR1.DAT.tmp-" + gone + "-1");
    fs::create_directory(folderLikeATemp);

    std::vector<std::string> problems;
    PrepareSaveFolder(*game_, problems);
    EXPECT_TRUE(problems.empty());
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(game_->SaveFolder / c.Name), !c.Removed) << c.Name;
    }
    EXPECT_TRUE(fs::is_directory(folderLikeATemp)) << "only files are temporaries";
}

TEST_F(SaveFileTest, NoSaveAndNoNewGameSaveStartsBlank) {
    game_->Stock[3] = 5;  // stale state must not survive
    const SaveLoadReport report = OpenAndLoadSave(*game_);
    EXPECT_EQ(report.From, SaveLoadReport::Source::Blank);
    EXPECT_EQ(game_->Stock[3], 0);
    EXPECT_TRUE(report.Problems.empty());
}

TEST_F(SaveFileTest, AShortSaveLoadsWithAZeroTailAndIsKeptAside) {
    Game before;
    before.EventFlags[1] = 77;
    before.Roster[50].Id = 50;
    const std::string full = SaveBytes(before);
    const std::string cut = full.substr(0, 1000);
    Write(game_->SaveFolder / SaveFileName, cut);
    const SaveLoadReport report = OpenAndLoadSave(*game_);
    EXPECT_TRUE(report.Short);
    EXPECT_EQ(game_->EventFlags[1], 77);
    EXPECT_EQ(game_->Roster[50].Id, 0);
    ASSERT_FALSE(report.KeptAside.empty());
    EXPECT_EQ(Read(report.KeptAside), cut);
    // A second short load does not overwrite the first copy kept aside.
    const SaveLoadReport again = OpenAndLoadSave(*game_);
    EXPECT_NE(again.KeptAside, report.KeptAside);
    EXPECT_EQ(Read(report.KeptAside), cut);
}

TEST_F(SaveFileTest, AnUnreadableSaveStopsTheGameInsteadOfBeingOverwritten) {
    fs::create_directories(game_->SaveFolder / SaveFileName);  // a folder where the file should be
    const SaveLoadReport report = OpenAndLoadSave(*game_);
    EXPECT_TRUE(report.Fatal);
    ASSERT_EQ(report.Problems.size(), 1u);
    // The title shows the line: it starts with the file's name.
    EXPECT_EQ(report.Problems[0].rfind("KVR1.DAT cannot be read: ", 0), 0u) << report.Problems[0];
}

TEST_F(SaveFileTest, AFailedSaveSaysSoAndLeavesTheOldSave) {
    game_->EventFlags[2] = 1;
    ASSERT_TRUE(SaveGame(*game_, 0).Ok);
    const std::string old = Read(game_->SaveFolder / SaveFileName);
    game_->EventFlags[2] = 2;
    const fs::path folder = game_->SaveFolder;
    game_->SaveFolder = root_ / "gone";  // no such folder: the write cannot happen
    const SaveResult failed = SaveGame(*game_, 0);
    EXPECT_FALSE(failed.Ok);
    EXPECT_FALSE(failed.Message.empty());
    EXPECT_EQ(Read(folder / SaveFileName), old);
}

TEST_F(SaveFileTest, BackupsMoveAlongAtMostOnceAMinute) {
    // One save after another, each of the version shown at the time shown
    // (milliseconds on the run's clock); then what the save and its three
    // backups hold (0: no such file). A save within a minute of the last time
    // the backups moved only replaces the save, so holding a key that saves
    // cannot turn the backups into copies of one moment.
    struct Step {
        int64_t AtMs;
        int Version;
        std::array<int, 4> Files;  // KVR1.DAT, .bak1, .bak2, .bak3
    };
    const Step steps[] = {
        {0, 1, {1, 0, 0, 0}},        // the first save: nothing to back up
        {1'000, 2, {2, 1, 0, 0}},    // the first backup is made at once
        {2'000, 3, {3, 1, 0, 0}},    // within the minute: the save alone
        {60'999, 4, {4, 1, 0, 0}},   //
        {61'000, 5, {5, 4, 1, 0}},   // a minute on
        {61'500, 6, {6, 4, 1, 0}},   //
        {200'000, 7, {7, 6, 4, 1}},  //
        {300'000, 8, {8, 7, 6, 4}},  // the oldest drops off
        {10, 9, {9, 8, 7, 6}},       // a clock that went back counts as time gone by
    };
    const fs::path save = game_->SaveFolder / SaveFileName;
    auto versionIn = [](const fs::path& file) {
        Game loaded;
        if (!fs::exists(file) || !LoadSaveBytes(loaded, Read(file))) return 0;
        return loaded.EventFlags[9];
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("version " + std::to_string(step.Version));
        game_->EventFlags[9] = step.Version;
        ASSERT_TRUE(SaveGame(*game_, step.AtMs).Ok);
        EXPECT_EQ(versionIn(save), step.Files[0]);
        for (int n = 1; n <= 3; ++n) {
            EXPECT_EQ(versionIn(BackupPath(save, n)), step.Files[n]) << ".bak" << n;
        }
        EXPECT_FALSE(fs::exists(BackupPath(save, 4)));
    }
}

}  // namespace
}  // namespace kv
