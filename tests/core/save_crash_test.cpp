// A save interrupted at any moment -- the process killed mid-write -- leaves
// a save that loads: the old one or the new one, never a mixture; and the
// next start removes the unfinished temporaries.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "core/AtomicFile.h"
#include "core/SaveFile.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(SaveCrash, KillingTheProcessDuringSavesNeverLeavesABrokenSave) {
    const fs::path folder =
        fs::temp_directory_path() / ("korvane-crash-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);

    // Two states that differ all through the file, so a mixture would show.
    Game a;
    Game b;
    a.SaveFolder = b.SaveFolder = folder;
    for (size_t i = 0; i < a.SeenWalls.size(); ++i) b.SeenWalls[i] = static_cast<int16_t>(i | 1);
    for (int slot = 1; slot <= 50; ++slot) {
        b.Roster[slot].Id = slot;
        b.Roster[slot].Name = "ぼうけんしゃ" + std::to_string(slot);
    }
    b.EventFlags.fill(-1);
    const std::string bytesA = SaveBytes(a);
    const std::string bytesB = SaveBytes(b);
    ASSERT_TRUE(SaveGame(a, 0).Ok);

    std::mt19937 rng(4242);
    int killedMidway = 0;
    const int rounds = 200;
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Save the two states in turn until killed.
            for (int i = 0;; ++i) SaveGame(i % 2 == 0 ? b : a, 0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 4000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        killedMidway += WIFSIGNALED(status) ? 1 : 0;

        std::string error;
        const std::optional<std::string> now = ReadFileBytes(folder / SaveFileName, error);
        ASSERT_TRUE(now.has_value()) << "round " << round << ": " << error;
        ASSERT_TRUE(*now == bytesA || *now == bytesB)
            << "round " << round << ": the save is neither the old nor the new one (" << now->size()
            << " bytes)";
        Game loaded;
        loaded.SaveFolder = folder;
        const SaveLoadReport report = OpenAndLoadSave(loaded);
        ASSERT_FALSE(report.Short);
        ASSERT_FALSE(report.Fatal);
    }
    EXPECT_EQ(killedMidway, rounds);

    // The next start clears what the killed saves left half written.
    std::vector<std::string> problems;
    PrepareSaveFolder(a, problems);
    EXPECT_TRUE(problems.empty());
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << entry.path();
    }
    EXPECT_TRUE(fs::exists(folder / SaveFileName));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kv
