#include "platform/UserFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(UserFolders, XdgValueWinsThenHomeThenTmp) {
    EXPECT_EQ(ResolveUserFolder("/xdg/conf", "/home/u", ".config"), "/xdg/conf/korvane");
    EXPECT_EQ(ResolveUserFolder(nullptr, "/home/u", ".config"), "/home/u/.config/korvane");
    EXPECT_EQ(ResolveUserFolder("", "/home/u", ".local/share"), "/home/u/.local/share/korvane");
    EXPECT_EQ(ResolveUserFolder("relative/x", "/home/u", ".config"), "/home/u/.config/korvane");
    EXPECT_EQ(ResolveUserFolder(nullptr, nullptr, ".config"), "/tmp/korvane");
    EXPECT_EQ(ResolveUserFolder(nullptr, "", ".config"), "/tmp/korvane");
    EXPECT_EQ(ResolveUserFolder(nullptr, "not/absolute", ".config"), "/tmp/korvane");
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserFolders, ReadTheEnvironment) {
    ScopedEnv home("HOME", "/home/player");
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(ConfigHome(), "/cfg/korvane");
        EXPECT_EQ(DataHome(), "/home/player/.local/share/korvane");
    }
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(ConfigHome(), "/home/player/.config/korvane");
    EXPECT_EQ(DataHome(), "/data/korvane");
}

TEST(UserFolders, ExecutableDirHoldsTheRunningProgram) {
    fs::path dir = ExecutableDir();
    ASSERT_TRUE(dir.is_absolute()) << dir;
    struct stat self {};
    ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
    bool found = false;
    for (const auto& entry : fs::directory_iterator(dir)) {
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 && info.st_ino == self.st_ino &&
            info.st_dev == self.st_dev) {
            found = true;
        }
    }
    EXPECT_TRUE(found) << dir;
}

}  // namespace
}  // namespace kv
