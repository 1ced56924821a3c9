#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace kv {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kv-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::create_directory(dir_ / "a");
        fs::create_directory(dir_ / "b");
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

TEST_F(InstanceLockTest, SecondLockOnOneFolderFailsUntilTheFirstIsReleased) {
    std::string error;
    InstanceLock first;
    ASSERT_TRUE(first.Acquire(dir_ / "a", error)) << error;
    EXPECT_TRUE(first.IsHeld());
    EXPECT_TRUE(fs::exists(dir_ / "a" / InstanceLock::LockFileName));

    InstanceLock second;
    error = "stale";
    EXPECT_FALSE(second.Acquire(dir_ / "a", error));
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(error, "") << "a busy folder is not an error to report";

    first.Release();
    EXPECT_FALSE(first.IsHeld());
    EXPECT_TRUE(second.Acquire(dir_ / "a", error)) << error;
}

TEST_F(InstanceLockTest, DifferentFoldersDoNotConflict) {
    std::string error;
    InstanceLock a, b;
    ASSERT_TRUE(a.Acquire(dir_ / "a", error)) << error;
    EXPECT_TRUE(b.Acquire(dir_ / "b", error)) << error;
}

TEST_F(InstanceLockTest, DestructionAndMovesHandTheLockOnCorrectly) {
    std::string error;
    {
        InstanceLock scoped;
        ASSERT_TRUE(scoped.Acquire(dir_ / "a", error)) << error;
    }
    InstanceLock held;
    ASSERT_TRUE(held.Acquire(dir_ / "a", error)) << error;

    InstanceLock moved(std::move(held));
    EXPECT_TRUE(moved.IsHeld());
    InstanceLock probe;
    EXPECT_FALSE(probe.Acquire(dir_ / "a", error));  // still held after the move

    InstanceLock target;
    ASSERT_TRUE(target.Acquire(dir_ / "b", error)) << error;
    target = std::move(moved);  // drops b, takes over a
    EXPECT_TRUE(probe.Acquire(dir_ / "b", error)) << error;
    InstanceLock other;
    EXPECT_FALSE(other.Acquire(dir_ / "a", error));

    // Re-acquiring elsewhere lets go of the old folder.
    EXPECT_FALSE(target.Acquire(dir_ / "c-missing-is-an-error", error));
    EXPECT_FALSE(target.IsHeld());
    EXPECT_NE(error.find("c-missing-is-an-error"), std::string::npos) << error;
    EXPECT_TRUE(other.Acquire(dir_ / "a", error)) << error;
}

TEST_F(InstanceLockTest, LockHeldByAnotherProcessBlocksUs) {
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child holds the lock until the parent has tried and says so.
        std::string childError;
        InstanceLock lock;
        char status = lock.Acquire(dir_ / "a", childError) ? 'y' : 'n';
        char ignored;
        if (::write(ready[1], &status, 1) != 1 || ::read(done[0], &ignored, 1) < 0) ::_exit(2);
        ::_exit(status == 'y' ? 0 : 1);
    }
    char status = 0;
    ASSERT_EQ(::read(ready[0], &status, 1), 1);
    ASSERT_EQ(status, 'y');

    std::string error;
    InstanceLock lock;
    EXPECT_FALSE(lock.Acquire(dir_ / "a", error));
    EXPECT_EQ(error, "");

    std::ifstream pidFile(dir_ / "a" / InstanceLock::LockFileName);
    long holder = 0;
    pidFile >> holder;
    EXPECT_EQ(holder, child);

    ASSERT_EQ(::write(done[1], "x", 1), 1);
    int exitStatus = 0;
    ASSERT_EQ(::waitpid(child, &exitStatus, 0), child);
    EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);
    EXPECT_TRUE(lock.Acquire(dir_ / "a", error)) << error;
    for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
}

}  // namespace
}  // namespace kv
