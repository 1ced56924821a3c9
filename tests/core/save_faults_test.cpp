// A save that fails half way -- the folder turned read-only during the run, a
// rename refused, a backup that cannot move -- leaves the last good save and
// its backups whole, and the next save, once the fault is gone, goes through.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "core/AtomicFile.h"
#include "core/SaveFile.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

enum class Fault { OpenTemporary, WriteTemporary, RenameTemporary, RenameBackup };

// Which call fails while a FaultyCalls lives (function pointers cannot carry
// a capture, so the choice is kept here).
Fault ActiveFault;

// Puts the failing calls in place for one case and the real ones back after.
class FaultyCalls {
  public:
    explicit FaultyCalls(Fault fault) : saved_(CurrentFileCalls()) {
        ActiveFault = fault;
        FileCalls& calls = CurrentFileCalls();
        calls.Open = [](const char* path, int flags, mode_t mode) {
            if (ActiveFault == Fault::OpenTemporary && std::strstr(path, ".tmp-") != nullptr) {
                errno = EROFS;
                return -1;
            }
            return ::open(path, flags, mode);
        };
        calls.Write = [](int fd, const void* data, size_t size) -> ssize_t {
            if (ActiveFault == Fault::WriteTemporary && size > 0) {
                // Half the bytes land, then the disk is full.
                (void)!::write(fd, data, size / 2);
                errno = ENOSPC;
                return -1;
            }
            return ::write(fd, data, size);
        };
        calls.Rename = [](const char* from, const char* to) {
            const bool temporary = std::strstr(from, ".tmp-") != nullptr;
            if ((ActiveFault == Fault::RenameTemporary && temporary) ||
                (ActiveFault == Fault::RenameBackup && !temporary)) {
                errno = EIO;
                return -1;
            }
            return std::rename(from, to);
        };
    }
    ~FaultyCalls() { CurrentFileCalls() = saved_; }
    FaultyCalls(const FaultyCalls&) = delete;
    FaultyCalls& operator=(const FaultyCalls&) = delete;

  private:
    FileCalls saved_;
};

std::map<std::string, std::string> FolderContents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::string error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadFileBytes(entry.path(), error).value_or("?");
    }
    return files;
}

Game GameWithGold(const fs::path& folder, int32_t gold) {
    Game game;
    game.SaveFolder = folder;
    game.Roster[1].Id = 1;
    game.Roster[1].Name = "ぼうけんしゃ";
    game.Roster[1].Gold = gold;
    return game;
}

TEST(SaveFaults, ALastGoodSaveAndItsBackupsOutliveEveryFault) {
    struct Case {
        Fault Injected;
        bool SaveOk;  // the save itself still goes through (only a backup failed)
        const char* Said;
    };
    const Case cases[] = {
        {Fault::OpenTemporary, false, "Read-only file system"},
        {Fault::WriteTemporary, false, "No space left on device"},
        {Fault::RenameTemporary, false, "cannot replace"},
        {Fault::RenameBackup, true, "cannot move the backup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Injected));
        const fs::path folder =
            fs::temp_directory_path() / ("korvane-faults-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        // Three good saves a minute apart: the save and two backups.
        for (int32_t gold = 1; gold <= 3; ++gold) {
            Game game = GameWithGold(folder, gold);
            game.BackupsMovedAtMs = (gold - 1) * BackupIntervalMs;
            ASSERT_TRUE(SaveGame(game, gold * BackupIntervalMs).Ok);
        }
        const std::map<std::string, std::string> before = FolderContents(folder);
        ASSERT_EQ(before.size(), 3u);

        Game next = GameWithGold(folder, 4);
        next.BackupsMovedAtMs = 3 * BackupIntervalMs;
        {
            FaultyCalls faulty(c.Injected);
            const SaveResult result = SaveGame(next, 4 * BackupIntervalMs);
            EXPECT_EQ(result.Ok, c.SaveOk);
            EXPECT_NE(result.Message.find(c.Said), std::string::npos) << result.Message;
        }
        // Nothing half-written, no temporary left; every earlier copy whole.
        std::set<std::string> good;
        for (const auto& [name, bytes] : before) good.insert(bytes);
        for (const auto& [name, bytes] : FolderContents(folder)) {
            EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
            if (name == SaveFileName && c.SaveOk) continue;
            EXPECT_TRUE(good.count(bytes)) << name << " was damaged";
        }
        if (!c.SaveOk) {
            EXPECT_EQ(FolderContents(folder)[SaveFileName], before.at(SaveFileName));
        }

        // The fault gone, the next save goes through and reads back.
        const SaveResult again = SaveGame(next, 5 * BackupIntervalMs);
        EXPECT_TRUE(again.Ok);
        EXPECT_EQ(again.Message, "");
        Game read;
        std::string error;
        ASSERT_TRUE(LoadSaveBytes(read, ReadFileBytes(folder / SaveFileName, error).value_or("")));
        EXPECT_EQ(read.Roster[1].Gold, 4);
        fs::remove_all(folder);
    }
}

}  // namespace
}  // namespace kv
