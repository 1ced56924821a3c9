#include "core/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include "common/TestFiles.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace kv {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    void Put(const fs::path& path, const std::string& bytes) { testing::WriteBytes(path, bytes); }
    std::string Slurp(const fs::path& path) {
        std::string error;
        auto bytes = ReadFileBytes(path, error);
        EXPECT_TRUE(bytes) << error;
        return bytes.value_or("");
    }
    std::set<std::string> Names(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    testing::TempFolder folder_{"kv-atomic"};
    const fs::path& dir_ = folder_.Path();
};

TEST_F(AtomicFileTest, WritesExactBytesAndReplacesOldContent) {
    const fs::path file = dir_ / "KVR1.DAT";
    std::string error;
    const std::string binary("\x00\xFF\r\n\x1A\x82\xA0", 7);
    ASSERT_TRUE(WriteFileAtomic(file, binary, error)) << error;
    EXPECT_EQ(Slurp(file), binary);

    ASSERT_TRUE(WriteFileAtomic(file, "second, shorter", error)) << error;
    EXPECT_EQ(Slurp(file), "second, shorter");
    ASSERT_TRUE(WriteFileAtomic(file, "", error)) << error;
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(Names(dir_), std::set<std::string>{"KVR1.DAT"});
}

TEST_F(AtomicFileTest, KeepsThePermissionsOfTheReplacedFile) {
    const fs::path file = dir_ / "private.ini";
    Put(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(file, "new", error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(AtomicFileTest, StepsAroundStaleTemporariesOfACrashedRun) {
    const fs::path file = dir_ / "save.dat";
    const std::string stale = ".save.dat.tmp-" + std::to_string(::getpid()) + "-0";
    Put(dir_ / stale, "left over");
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(file, "fresh", error)) << error;
    EXPECT_EQ(Slurp(file), "fresh");
    EXPECT_EQ(Slurp(dir_ / stale), "left over");
}

TEST_F(AtomicFileTest, FailsCleanlyWhenTheTargetIsAFolder) {
    const fs::path target = dir_ / "taken";
    fs::create_directory(target);
    Put(target / "inside", "keep me");
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(target, "bytes", error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
    EXPECT_NE(error.find("directory"), std::string::npos) << error;
    EXPECT_EQ(Slurp(target / "inside"), "keep me");
    EXPECT_EQ(Names(dir_), std::set<std::string>{"taken"});
}

TEST_F(AtomicFileTest, FailsCleanlyWhenTheFolderIsMissing) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(dir_ / "gone" / "file.ini", "x", error));
    EXPECT_NE(error.find("file.ini"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomic(fs::path(), "x", error));
    EXPECT_FALSE(error.empty());
}

// A write that dies half-way (here: the file size limit) must leave the old
// file whole and take its temporary with it.
TEST_F(AtomicFileTest, KeepsTheOldFileWhenWritingFailsHalfWay) {
    const fs::path file = dir_ / "KVR1.DAT";
    Put(file, "the old save");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    std::string error;
    bool ok = WriteFileAtomic(file, std::string(64 * 1024, 'x'), error);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("KVR1.DAT"), std::string::npos) << error;
    EXPECT_EQ(Slurp(file), "the old save");
    EXPECT_EQ(Names(dir_), std::set<std::string>{"KVR1.DAT"});
}

TEST_F(AtomicFileTest, ReadReportsMissingFoldersAndOversizedFiles) {
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir_ / "nothing.ini", error));
    EXPECT_NE(error.find("nothing.ini"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(ReadFileBytes(dir_, error));
    EXPECT_NE(error.find("directory"), std::string::npos) << error;

    Put(dir_ / "big", std::string(100, 'b'));
    EXPECT_FALSE(ReadFileBytes(dir_ / "big", error, 99));
    EXPECT_NE(error.find("larger"), std::string::npos) << error;
    auto exact = ReadFileBytes(dir_ / "big", error, 100);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->size(), 100u);
}

TEST_F(AtomicFileTest, BackupsRotateNewestFirstAndDropTheOldest) {
    const fs::path file = dir_ / "KVR1.DAT";
    std::string error;
    ASSERT_TRUE(RotateBackups(file, 3, error)) << error;  // nothing to back up yet
    EXPECT_TRUE(Names(dir_).empty());

    for (int version = 1; version <= 4; ++version) {
        Put(file, std::string("v").append(std::to_string(version)));
        ASSERT_TRUE(RotateBackups(file, 3, error)) << error;
    }
    EXPECT_EQ(BackupPath(file, 2).filename(), "KVR1.DAT.bak2");
    EXPECT_EQ(Slurp(file), "v4");
    EXPECT_EQ(Slurp(BackupPath(file, 1)), "v4");
    EXPECT_EQ(Slurp(BackupPath(file, 2)), "v3");
    EXPECT_EQ(Slurp(BackupPath(file, 3)), "v2");
    EXPECT_EQ(Names(dir_), (std::set<std::string>{"KVR1.DAT", "KVR1.DAT.bak1", "KVR1.DAT.bak2",
                                                  "KVR1.DAT.bak3"}));

    ASSERT_TRUE(RotateBackups(file, 0, error));
    EXPECT_EQ(Slurp(BackupPath(file, 1)), "v4");
}

TEST_F(AtomicFileTest, BackupFailureIsReported) {
    const fs::path file = dir_ / "KVR1.DAT";
    Put(file, "data");
    fs::create_directory(BackupPath(file, 1));  // in the way of the newest backup
    Put(BackupPath(file, 1) / "x", "x");
    std::string error;
    EXPECT_FALSE(RotateBackups(file, 1, error));
    EXPECT_NE(error.find("KVR1.DAT.bak1"), std::string::npos) << error;
    EXPECT_EQ(Slurp(file), "data");
}

}  // namespace
}  // namespace kv
