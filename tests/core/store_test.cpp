#include "core/PerUserStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include "common/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kv {
namespace {

namespace fs = std::filesystem;

class PerUserStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    void Put(const fs::path& path, const std::string& bytes) { testing::WriteBytes(path, bytes); }
    std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    ino_t Inode(const fs::path& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_ino;
    }

    testing::TempFolder folder_{"kv-store"};
    const fs::path& dir_ = folder_.Path();
};

TEST_F(PerUserStoreTest, ReadsTheApplicationsOwnFile) {
    Put(dir_ / "TLM.ini", "[Settings]\r\nSpeed=5\r\n");
    Put(dir_ / "Other.ini", "[Settings]\r\nSpeed=1\r\n");
    PerUserStore store(dir_);
    EXPECT_EQ(store.FileFor("TLM"), dir_ / "TLM.ini");
    EXPECT_EQ(store.Get("TLM", "Settings", "Speed", "0"), "5");
    EXPECT_EQ(store.Get("Other", "settings", "speed", "0"), "1");
    EXPECT_EQ(store.Get("TLM", "Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(store.Get("Nobody", "Settings", "Speed", "dflt"), "dflt");
}

TEST_F(PerUserStoreTest, FlushWritesOnlyChangedFilesAndKeepsTheRest) {
    Put(dir_ / "TLM.ini", "; kept\r\n[Settings]\r\nSpeed=5\r\n");
    {
        PerUserStore store(dir_);
        EXPECT_EQ(store.Get("Quiet", "A", "b", "c"), "c");
        ASSERT_TRUE(store.Set("TLM", "Settings", "Speed", "7"));
        ASSERT_TRUE(store.Set("TLM", "Window", "Left", "10"));
        std::string error;
        ASSERT_TRUE(store.Flush(error)) << error;
        EXPECT_TRUE(error.empty());

        // Nothing new since: the file is not rewritten (a rewrite is a new inode).
        const auto inode = Inode(dir_ / "TLM.ini");
        ASSERT_TRUE(store.Flush(error)) << error;
        EXPECT_EQ(Inode(dir_ / "TLM.ini"), inode);
    }
    EXPECT_EQ(Slurp(dir_ / "TLM.ini"),
              "; kept\r\n[Settings]\r\nSpeed=7\r\n[Window]\r\nLeft=10\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "Quiet.ini"));  // read, never changed: not written

    PerUserStore again(dir_);
    EXPECT_EQ(again.Get("TLM", "Window", "Left", ""), "10");
}

TEST_F(PerUserStoreTest, CreatesAMissingFolderOnFlush) {
    PerUserStore store(dir_ / "config" / "korvane");
    ASSERT_TRUE(store.Set("TLM", "S", "k", "v"));
    std::string error;
    ASSERT_TRUE(store.Flush(error)) << error;
    EXPECT_EQ(Slurp(dir_ / "config" / "korvane" / "TLM.ini"), "[S]\r\nk=v\r\n");
    for (const auto& entry : fs::directory_iterator(dir_ / "config" / "korvane")) {
        EXPECT_EQ(entry.path().filename(), "TLM.ini");  // no temporaries left
    }
}

TEST_F(PerUserStoreTest, GarbledOrUnreadableFilesReadAsEmpty) {
    Put(dir_ / "Junk.ini", std::string("\x00\xFF\xFE[\r\r\n=\n\x1A", 10));
    fs::create_directory(dir_ / "Dir.ini");
    Put(dir_ / "Huge.ini", "[S]\nk=v\n" + std::string(2 << 20, 'x'));
    PerUserStore store(dir_);
    EXPECT_EQ(store.Get("Junk", "S", "k", "d"), "d");
    EXPECT_EQ(store.Get("Dir", "S", "k", "d"), "d");
    EXPECT_EQ(store.Get("Huge", "S", "k", "d"), "d");

    // A garbled file can still take new settings.
    ASSERT_TRUE(store.Set("Junk", "S", "k", "v"));
    std::string error;
    ASSERT_TRUE(store.Flush(error)) << error;
    PerUserStore again(dir_);
    EXPECT_EQ(again.Get("Junk", "S", "k", "d"), "v");
}

TEST_F(PerUserStoreTest, WriteFailureIsReportedAndRetriedOnTheNextFlush) {
    fs::create_directory(dir_ / "TLM.ini");  // a folder where the file should be
    PerUserStore store(dir_);
    ASSERT_TRUE(store.Set("TLM", "S", "k", "v"));
    ASSERT_TRUE(store.Set("Fine", "S", "k", "v"));
    std::string error;
    EXPECT_FALSE(store.Flush(error));
    EXPECT_NE(error.find("TLM.ini"), std::string::npos) << error;
    EXPECT_EQ(Slurp(dir_ / "Fine.ini"), "[S]\r\nk=v\r\n");  // one failure does not stop the rest

    fs::remove(dir_ / "TLM.ini");
    ASSERT_TRUE(store.Flush(error)) << error;
    EXPECT_EQ(Slurp(dir_ / "TLM.ini"), "[S]\r\nk=v\r\n");
}

TEST_F(PerUserStoreTest, FolderThatIsAFileIsReported) {
    Put(dir_ / "blocked", "");
    PerUserStore store(dir_ / "blocked");
    EXPECT_EQ(store.Get("TLM", "S", "k", "d"), "d");
    ASSERT_TRUE(store.Set("TLM", "S", "k", "v"));
    std::string error;
    EXPECT_FALSE(store.Flush(error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
}

TEST_F(PerUserStoreTest, ApplicationNamesMustBePlainFileNames) {
    PerUserStore store(dir_ / "inner");
    for (const char* bad : {"", ".", "..", "../escape", "a/b"}) {
        EXPECT_FALSE(store.Set(bad, "S", "k", "v")) << bad;
        EXPECT_EQ(store.Get(bad, "S", "k", "d"), "d") << bad;
    }
    EXPECT_FALSE(store.Set("TLM", "S", "bad=key", "v"));
    std::string error;
    EXPECT_TRUE(store.Flush(error)) << error;
    EXPECT_FALSE(fs::exists(dir_ / "inner"));
    EXPECT_FALSE(fs::exists(dir_ / "escape.ini"));
}

}  // namespace
}  // namespace kv
