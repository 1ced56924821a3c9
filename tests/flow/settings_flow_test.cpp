// The settings window from the edge of town, played by keys through the real
// session: a music scene chosen through the file chooser and the view style
// changed, both found in KVR.ini after the game has ended.
#include <unistd.h>

#include "common/TestFiles.h"
#include "core/Cp932.h"
#include "core/Settings.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// The scenario's settings, shipped as CP932: a comment and a key the game
// does not know must both survive the window's OK.
constexpr std::string_view ShippedIni =
    "; 古い設定\r\n"
    "[ＢＧＭ]\r\n"
    "タイトル=title.mid\r\n"
    "城下=old castle.mid\r\n"
    "音量=5\r\n"
    "[ダンジョン]\r\n"
    "描画= 0\r\n"
    "[画像]\r\n"
    "スライム=slime.bmp\r\n";

// Title, E) to the edge of town, F) the settings window (the scene list has
// the focus). Alt+W draws the maze filled; Alt+B back to the scene list,
// Down to 城下町, Alt+B again to its 参照 button, which opens the chooser in
// the scenario folder. It has no MIDI files, so the folder list has the
// keys: Down Enter opens "music", Tab moves to its files and Enter takes
// the first. Shift+Tab to the file name and Enter is OK.
constexpr std::string_view ChooseAndConfirm =
    "Enter  E Enter  F Enter  Alt+W  Alt+B Down  Alt+B Enter  Down Enter  Tab Enter  "
    "Shift+Tab Enter";

class SettingsFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        flow_.Scenario().Monsters[7].Name = "スライム";
        flow_.Scenario().MonsterKillCount[7] = 1;
        testing::WriteBytes(flow_.DataFolder() / "KVR.ini", Utf8ToCp932(ShippedIni));
        const fs::path music = flow_.DataFolder() / "music";
        fs::create_directories(music);
        for (const char* name : {"castle.mid", "theme.MID", "notes.txt", "castle.jpg"}) {
            testing::WriteBytes(music / name, "x");
        }
    }

    std::string SavedIni() const { return testing::ReadBytes(flow_.SaveFolder() / "KVR.ini"); }

    Flow flow_;
};

TEST_F(SettingsFlow, SceneMusicAndViewStyleReachKvrIniInItsOwnEncoding) {
    ASSERT_TRUE(flow_.Run(ChooseAndConfirm)) << flow_.Error();

    // The chooser listed the scenario folder, then the MIDI files of
    // "music" in either letter case, and nothing else.
    const std::vector<nlohmann::json> files = flow_.Lines("list");
    std::vector<nlohmann::json> chooser;
    for (const nlohmann::json& line : files) {
        if (line["name"] == "fll") chooser.push_back(line);
    }
    ASSERT_EQ(chooser.size(), 2u);
    EXPECT_EQ(chooser[0]["rows"], nlohmann::json::array());
    EXPECT_EQ(chooser[1]["caption"], (flow_.DataFolder() / "music").string());
    EXPECT_EQ(chooser[1]["rows"], (nlohmann::json{"castle.mid", "theme.MID"}));

    // In force at once...
    const std::string chosen = (flow_.DataFolder() / "music" / "castle.mid").string();
    EXPECT_EQ(flow_.State().Config.ViewMode, 1);
    EXPECT_EQ(flow_.State().Config.SceneMusic[SceneCastle], chosen);
    EXPECT_EQ(flow_.State().Config.SceneMusic[SceneTitle], "title.mid");
    EXPECT_TRUE(flow_.Dialogs().empty());

    // ...and in the file, still CP932, with what the game does not own kept.
    const std::string bytes = SavedIni();
    ASSERT_EQ(DetectEncoding(bytes), TextEncoding::Cp932);
    const SettingsFile file = SettingsFile::Parse(bytes);
    EXPECT_EQ(file.Text().GetOr(OptionSection, "描画", ""), " 1");
    EXPECT_EQ(file.Read(MusicSection, "城下"), chosen);
    EXPECT_EQ(file.Read(MusicSection, "音量"), "5");
    EXPECT_EQ(file.Read(PictureSection, "スライム"), "slime.bmp");
    EXPECT_EQ(Cp932ToUtf8(bytes).rfind("; 古い設定\r\n[ＢＧＭ]\r\n", 0), 0u);

    // The next start reads them back.
    ASSERT_TRUE(flow_.Run("Enter")) << flow_.Error();
    EXPECT_EQ(flow_.State().Config.ViewMode, 1);
    EXPECT_EQ(flow_.State().Config.SceneMusic[SceneCastle], chosen);
}

TEST_F(SettingsFlow, CancelKeepsTheSettingsAndTheFile) {
    // The same choices, left with Esc instead of OK.
    ASSERT_TRUE(
        flow_.Run("Enter  E Enter  F Enter  Alt+W  Alt+B Down  Alt+B Enter  Down Enter  "
                  "Tab Enter  Esc"))
        << flow_.Error();
    EXPECT_EQ(flow_.State().Config.ViewMode, 0);
    EXPECT_EQ(flow_.State().Config.SceneMusic[SceneCastle], "old castle.mid");
    EXPECT_EQ(SavedIni(), Utf8ToCp932(ShippedIni));
}

TEST_F(SettingsFlow, ANameCp932CannotSpellIsRefusedAndTheWindowStays) {
    // Typed into the slime's picture name: OK refuses it, Esc closes the
    // message, Backspace takes the "é" back, and OK is taken.
    ASSERT_TRUE(flow_.Run("Enter  E Enter  F Enter  Alt+M \"é\" Enter  Esc  Backspace Enter"))
        << flow_.Error();
    EXPECT_EQ(flow_.Dialogs(),
              std::vector<std::string>{"このファイル名には KVR.ini に書けない文字があります。\n"
                                       "slime.bmpé"});
    EXPECT_EQ(flow_.Lines("settings").size(), 1u);
    EXPECT_EQ(SettingsFile::Parse(SavedIni()).Read(PictureSection, "スライム"), "slime.bmp");
}

TEST_F(SettingsFlow, TypingNamesAPictureForEveryRowOfItsNameButNotAScene) {
    // A second monster of the same name, killed too: two rows, one key.
    flow_.Scenario().Monsters[9].Name = "スライム";
    flow_.Scenario().MonsterKillCount[9] = 1;
    // Typing into the scene's file name does nothing; typing onto the first
    // slime row's picture is kept, and the later row does not undo it.
    ASSERT_TRUE(flow_.Run("Enter  E Enter  F Enter  Alt+F \"x\"  Alt+M \"2\" Enter"))
        << flow_.Error();
    const SettingsFile file = SettingsFile::Parse(SavedIni());
    EXPECT_EQ(file.Read(PictureSection, "スライム"), "slime.bmp2");
    EXPECT_EQ(file.Read(MusicSection, "タイトル"), "title.mid");
    EXPECT_EQ(flow_.State().Config.SceneMusic[SceneTitle], "title.mid");
}

TEST_F(SettingsFlow, AFailedWriteSaysSoOnceAndLeavesTheOldFileWhole) {
    // Every name a write of KVR.ini could take for its temporary is taken.
    flow_.OnStarted = [this](Session&) {
        const std::string stem = ".KVR.ini.tmp-" + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 1000; ++attempt) {
            fs::create_directory(flow_.SaveFolder() / (stem + std::to_string(attempt)));
        }
    };
    ASSERT_TRUE(flow_.Run(ChooseAndConfirm)) << flow_.Error();
    const std::vector<std::string> dialogs = flow_.Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].rfind("設定を保存できませんでした。\n", 0), 0u) << dialogs[0];
    EXPECT_NE(dialogs[0].find("KVR.ini"), std::string::npos) << dialogs[0];
    EXPECT_EQ(SavedIni(), Utf8ToCp932(ShippedIni));
    // The game goes on with the new settings for the rest of the run.
    EXPECT_EQ(flow_.State().Config.ViewMode, 1);
}

}  // namespace
}  // namespace kv::test
