#include "platform/Screenshots.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(Screenshots, PicturesFolderFromTheDesktopsUserDirs) {
    struct Case {
        const char* text;
        std::optional<fs::path> folder;
    };
    const Case cases[] = {
        {"XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", fs::path("/home/u/Pictures")},
        {"# by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
         "XDG_PICTURES_DIR=\"$HOME/ピクチャ\"\n",
         fs::path("/home/u/ピクチャ")},
        {"  XDG_PICTURES_DIR=\"/srv/pics\"\r\n", fs::path("/srv/pics")},
        {"XDG_PICTURES_DIR=$HOME/shots\n", fs::path("/home/u/shots")},
        // The home itself means the desktop has no pictures folder.
        {"XDG_PICTURES_DIR=\"$HOME/\"\n", std::nullopt},
        {"XDG_PICTURES_DIR=\"$HOME\"\n", std::nullopt},
        {"XDG_PICTURES_DIR=\"pics\"\n", std::nullopt},
        {"XDG_MUSIC_DIR=\"$HOME/Music\"\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PicturesFromUserDirs(c.text, "/home/u"), c.folder) << c.text;
    }
    EXPECT_EQ(PicturesFromUserDirs("XDG_PICTURES_DIR=\"$HOME/P\"\n", ""), std::nullopt);
}

TEST(Screenshots, NamedByTheTimeAndNeverReplaced) {
    const fs::path folder =
        fs::temp_directory_path() / ("korvane-shots-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const std::time_t when = 1796812805;  // 2026-12-09 10:40:05 UTC
    const char* expected[] = {"korvane-2026-12-09-104005.png", "korvane-2026-12-09-104005-2.png",
                              "korvane-2026-12-09-104005-3.png"};
    for (const char* name : expected) {
        const fs::path path = ScreenshotPath(folder, when);
        EXPECT_EQ(path, folder / name);
        std::ofstream(path) << "png";
    }
    fs::remove_all(folder);
}

TEST(Screenshots, TheEnvironmentNamesTheFolderFirst) {
    ::setenv("XDG_PICTURES_DIR", "/srv/pictures", 1);
    EXPECT_EQ(ScreenshotFolder(), fs::path("/srv/pictures/korvane"));
    const fs::path home =
        fs::temp_directory_path() / ("korvane-home-" + std::to_string(::getpid()));
    fs::create_directories(home / ".config");
    ::unsetenv("XDG_PICTURES_DIR");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(ScreenshotFolder(), home / "Pictures" / "korvane");
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(ScreenshotFolder(), home / "Bilder" / "korvane");
    fs::remove_all(home);
}

}  // namespace
}  // namespace kv
