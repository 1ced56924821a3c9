#include "app/SoundFont.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(SoundFont, TheOptionThenTheSettingThenTheSystemsOwn) {
    const fs::path dir = fs::temp_directory_path() / ("korvane-sf-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string mine = (dir / "mine.sf2").string();
    const std::string kept = (dir / "kept.sf2").string();
    std::ofstream(mine) << "sfbk";
    std::ofstream(kept) << "sfbk";
    const std::string gone = (dir / "gone.sf2").string();
    const std::string folder = dir.string();

    struct Case {
        std::string option, stored;
        std::string soundFont;
        bool off;
        std::string warns;  // a piece of the one line, or empty for none
    };
    const Case cases[] = {
        {"", "", "", false, ""},
        {mine, "", mine, false, ""},
        {"", kept, kept, false, ""},
        {mine, kept, mine, false, ""},
        {gone, kept, gone, true, "soundfont not found: " + gone + "; the music is off"},
        {"", gone, gone, true, gone + " (from the [Sound] setting)"},
        {folder, "", folder, true, "soundfont not found: " + folder},
    };
    for (const Case& c : cases) {
        std::string warning = "stale";
        const MusicSettings music = ChooseMusic(c.option, c.stored, warning);
        EXPECT_EQ(music.SoundFont, c.soundFont) << c.option << " | " << c.stored;
        EXPECT_EQ(music.Off, c.off) << c.option << " | " << c.stored;
        if (c.warns.empty()) {
            EXPECT_EQ(warning, "");
        } else {
            EXPECT_NE(warning.find(c.warns), std::string::npos) << warning;
            EXPECT_EQ(warning.find('\n'), std::string::npos);
        }
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kv
