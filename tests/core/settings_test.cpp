// The settings file: defaults, the value rule, option numbers, both encodings
// read and written back byte for byte, pictures read on demand, and files
// named for another system found in the scenario folder.
#include "core/Settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Cp932.h"
#include "core/DataFileLookup.h"
#include "core/Game.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / ("korvane-settings-" + std::string(info->name()) + "-" +
                                             std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "save");
        fs::create_directories(root_ / "data");
        game_ = std::make_unique<Game>();
        game_->SaveFolder = root_ / "save";
        game_->DataFolder = root_ / "data";
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path Ini() const { return root_ / "save" / "KVR.ini"; }
    static std::string Read(const fs::path& p) {
        std::string error;
        return ReadFileBytes(p, error).value_or("<missing>");
    }
    static void Write(const fs::path& p, const std::string& bytes) {
        std::string error;
        ASSERT_TRUE(WriteFileAtomic(p, bytes, error)) << error;
    }
    // A settings file holding one option line.
    int32_t OptionFrom(const std::string& key, const std::string& value) {
        Write(Ini(), "[ダンジョン]\r\n" + key + "=" + value + "\r\n");
        LoadSettings(*game_);
        for (const OptionField& option : OptionFields) {
            if (option.Key == key) return game_->Config.*option.Field;
        }
        ADD_FAILURE() << "no option " << key;
        return -999;
    }

    fs::path root_;
    std::unique_ptr<Game> game_;
};

TEST_F(SettingsTest, MissingFileGivesTheDefaultsAndForgetsOldValues) {
    Settings& s = game_->Config;
    s.ViewMode = 7;
    s.ShowSearchFailure = 7;
    s.ShowBattleHelp = 0;
    s.SpellEntryMode = 0;
    s.UseAltSpellNames = 0;
    s.TrapByList = 0;
    s.SceneMusic[0] = "zero.mid";
    s.SceneMusic[5] = "tavern.mid";
    s.SceneMusic[30] = "spare.mid";

    LoadSettings(*game_);

    EXPECT_EQ(s.ViewMode, 0);
    EXPECT_EQ(s.ShowSearchFailure, 0);
    EXPECT_EQ(s.ShowBattleHelp, 1);
    EXPECT_EQ(s.SpellEntryMode, 1);
    EXPECT_EQ(s.UseAltSpellNames, 1);
    EXPECT_EQ(s.TrapByList, 1);
    for (int scene = 0; scene < SceneMusicSize; ++scene) {
        EXPECT_EQ(s.SceneMusic[scene], "") << scene;
    }
    EXPECT_FALSE(fs::exists(Ini())) << "reading never creates the file";
}

TEST_F(SettingsTest, EachSceneReadsItsOwnKey) {
    // The keys as the file spells them: full-width digits, no "!".
    const std::vector<std::string> keys = {
        "タイトル", "城下",       "町外れ", "商店",     "酒場",        "寺院",   "宿屋",
        "星占所",   "訓練場",     "迷宮１", "迷宮２",   "戦闘１",      "戦闘２", "ボス１",
        "ボス２",   "勝利＆宝箱", "全滅",   "キャンプ", "エンカウント"};
    std::string text = "[ＢＧＭ]\r\n";
    for (size_t i = 0; i < keys.size(); ++i) {
        text += keys[i] + "=scene" + std::to_string(i + 1) + ".mid\r\n";
    }
    // Spellings the file does not use must not be picked up.
    text += "[ダンジョン]\r\n迷宮1=wrong.mid\r\n";
    Write(Ini(), text);

    LoadSettings(*game_);

    for (int scene = 1; scene <= 19; ++scene) {
        EXPECT_EQ(game_->Config.SceneMusic[scene], "scene" + std::to_string(scene) + ".mid");
    }
    EXPECT_EQ(game_->Config.SceneMusic[0], "");
    EXPECT_EQ(game_->Config.SceneMusic[20], "");
    EXPECT_EQ(std::string(SceneNames[18].Row), "エンカウント!");
    EXPECT_EQ(std::string(SceneNames[9].Row), "迷宮1");
}

TEST_F(SettingsTest, HalfWidthSpellingsAreNotTheKeys) {
    Write(Ini(), "[ＢＧＭ]\r\n迷宮1=a.mid\r\nエンカウント!=b.mid\r\n[BGM]\r\nタイトル=c.mid\r\n");
    LoadSettings(*game_);
    EXPECT_EQ(game_->Config.SceneMusic[10], "");
    EXPECT_EQ(game_->Config.SceneMusic[19], "");
    EXPECT_EQ(game_->Config.SceneMusic[1], "");
}

TEST(SettingValueRule, BlanksAroundAValueAreNeverPartOfIt) {
    EXPECT_EQ(SettingValue("  castle.mid  "), "castle.mid");
    EXPECT_EQ(SettingValue("\tC:\\My Music\\a b.mid \t"), "C:\\My Music\\a b.mid");
    EXPECT_EQ(SettingValue("   "), "");
    EXPECT_EQ(SettingValue(""), "");
}

TEST(SettingValueRule, AtMost254CharactersAreRead) {
    const std::string exact(254, 'a');
    EXPECT_EQ(SettingValue(exact), exact);
    EXPECT_EQ(SettingValue("  " + exact + "  "), exact);
    EXPECT_EQ(SettingValue(exact + "bcd"), exact);
    // Characters, not bytes: a cut never splits a character.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "あ";
    EXPECT_EQ(SettingValue(wide), wide.substr(0, 254 * 3));
    // A blank the cut leaves at the end is not kept either.
    EXPECT_EQ(SettingValue(std::string(253, 'a') + " tail"), std::string(253, 'a'));
}

TEST_F(SettingsTest, LongValuesInTheFileFollowTheRule) {
    const std::string exact(254, 'x');
    Write(Ini(), "[ＢＧＭ]\r\nタイトル=   " + exact + "   \r\n城下=" + exact + "yz\r\n");
    LoadSettings(*game_);
    EXPECT_EQ(game_->Config.SceneMusic[1], exact);
    EXPECT_EQ(game_->Config.SceneMusic[2], exact);
}

TEST_F(SettingsTest, OptionsReadAsDecimalWithJunkAsZero) {
    EXPECT_EQ(OptionFrom("描画", " 1"), 1);
    EXPECT_EQ(OptionFrom("描画", "1   "), 1);
    EXPECT_EQ(OptionFrom("呪文選択", " 2"), 2);
    EXPECT_EQ(OptionFrom("呪文選択", "junk"), 0);
    EXPECT_EQ(OptionFrom("呪文選択", "2nd"), 2);
    EXPECT_EQ(OptionNumber("-1"), -1);
    EXPECT_EQ(OptionNumber("+3"), 3);
    EXPECT_EQ(OptionFrom("呪文選択", "x1"), 0);
    EXPECT_EQ(OptionNumber("99999999999"), 2147483647);
    EXPECT_EQ(OptionNumber("-99999999999"), -2147483647 - 1);
    // Present but empty is not missing: it reads as 0, not the default 1.
    EXPECT_EQ(OptionFrom("ワナ選択", ""), 0);
    EXPECT_EQ(OptionFrom("戦闘中ヘルプウィンド", "   "), 0);
    EXPECT_EQ(OptionFrom("呪文名", "0"), 0);
    // A number no choice has reads as 1: ticked, or the selection window.
    EXPECT_EQ(OptionFrom("呪文選択", "3"), 1);
    EXPECT_EQ(OptionFrom("呪文選択", "-1"), 1);
    EXPECT_EQ(OptionFrom("描画", "2"), 1);
    EXPECT_EQ(OptionFrom("何かを探す", "-1"), 1);
}

TEST(OptionTextRule, NonNegativeNumbersGetALeadingBlank) {
    EXPECT_EQ(OptionText(0), " 0");
    EXPECT_EQ(OptionText(1), " 1");
    EXPECT_EQ(OptionText(12), " 12");
    EXPECT_EQ(OptionText(-1), "-1");
    for (int32_t v : {0, 1, 2, -5, 2147483647}) EXPECT_EQ(OptionNumber(OptionText(v)), v);
}

TEST(EncodingDetection, OnlyValidUtf8WithNonAsciiIsUtf8) {
    EXPECT_EQ(DetectEncoding("[ＢＧＭ]\r\n"), TextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[a]\r\n"), TextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding(Utf8ToCp932("[ＢＧＭ]\r\n")), TextEncoding::Cp932);
    EXPECT_EQ(DetectEncoding("[plain]\r\nkey=1\r\n"), TextEncoding::Cp932);
    EXPECT_EQ(DetectEncoding(""), TextEncoding::Cp932);
    EXPECT_EQ(DetectEncoding("\xC0\x80"), TextEncoding::Cp932);          // overlong
    EXPECT_EQ(DetectEncoding("\xED\xA0\x80"), TextEncoding::Cp932);      // surrogate
    EXPECT_EQ(DetectEncoding("\xF4\x90\x80\x80"), TextEncoding::Cp932);  // past U+10FFFF
    EXPECT_EQ(DetectEncoding("\xE3\x81"), TextEncoding::Cp932);          // cut short
}

// The same file in either encoding; LF line endings, a comment, an unknown
// section and a key with a blank before "=" must all survive a save.
const std::string Before =
    "; 設定ファイル\n"
    "[ＢＧＭ]\n"
    "タイトル =  /music/title.mid  \n"
    "城下=castle.mid\n"
    "[その他]\n"
    "窓=1\n"
    "[ダンジョン]\n"
    "描画=1\n"
    "呪文選択=2\n"
    "[画像]\n"
    "スライム=slime.bmp\n"
    "ソードマン=sword.bmp\n";

const std::string After =
    "; 設定ファイル\n"
    "[ＢＧＭ]\n"
    "タイトル =  /music/title.mid  \n"
    "城下=\n"
    "町外れ=\n商店=\n酒場=\n寺院=\n宿屋=\n星占所=\n訓練場=\n迷宮１=\n迷宮２=\n"
    "戦闘１=\n戦闘２=\nボス１=\nボス２=\n勝利＆宝箱=\n全滅=\nキャンプ=\n"
    "エンカウント=C:\\音楽\\enc.mid\n"
    "[その他]\n"
    "窓=1\n"
    "[ダンジョン]\n"
    "描画= 0\n"
    "呪文選択= 2\n"
    "何かを探す= 0\n"
    "戦闘中ヘルプウィンド= 1\n"
    "ワナ選択= 1\n"
    "呪文名= 1\n"
    "[画像]\n"
    "スライム=\n"
    "ソードマン=sword.bmp\n"
    "ゾンビ=late.gif\n";

// Reads Before from the file, changes a few things and saves.
void EditAndSave(Game& game) {
    LoadSettings(game);
    EXPECT_EQ(game.Config.SceneMusic[1], "/music/title.mid");
    EXPECT_EQ(game.Config.SceneMusic[2], "castle.mid");
    EXPECT_EQ(game.Config.ViewMode, 1);
    EXPECT_EQ(game.Config.SpellEntryMode, 2);
    EXPECT_EQ(game.Config.ShowBattleHelp, 1);
    EXPECT_EQ(PictureFile(game, "ソードマン"), "sword.bmp");

    game.Config.SceneMusic[2] = "";
    game.Config.SceneMusic[19] = "C:\\音楽\\enc.mid";
    game.Config.ViewMode = 0;
    // Two rows of one name: the later one decides.
    const std::vector<PictureSetting> pictures = {
        {"スライム", ""}, {"ゾンビ", "early.gif"}, {"ゾンビ", "late.gif"}};
    std::string error;
    ASSERT_TRUE(SaveSettings(game, pictures, error)) << error;
}

TEST_F(SettingsTest, Utf8FileIsWrittenBackAsUtf8) {
    Write(Ini(), Before);
    EditAndSave(*game_);
    EXPECT_EQ(Read(Ini()), After);
}

TEST_F(SettingsTest, Cp932FileIsWrittenBackAsCp932) {
    // ED 40 is a duplicate code that does not survive a trip through Unicode
    // characters; it must come back as the very same bytes.
    const std::string rawLine = "; \xED\x40\x81\x5C\n";
    const std::string before = Utf8ToCp932(Before) + rawLine;
    ASSERT_EQ(DetectEncoding(before), TextEncoding::Cp932);
    Write(Ini(), before);
    EditAndSave(*game_);
    EXPECT_EQ(Read(Ini()), Utf8ToCp932(After) + rawLine);
    // And it reads back the same way.
    LoadSettings(*game_);
    EXPECT_EQ(game_->Config.SceneMusic[19], "C:\\音楽\\enc.mid");
    EXPECT_EQ(PictureFile(*game_, "ゾンビ"), "late.gif");
}

TEST_F(SettingsTest, Cp932NamesWithBracketAndBackslashBytesAreFound) {
    // ゾ is 83 5D ("]" as its second byte), ソ is 83 5C ("\").
    Write(Ini(), Utf8ToCp932("[画像]\r\nゾンビ=z.gif\r\nソ=s.gif\r\n[ＢＧＭ]\r\n城下=ソ.mid\r\n"));
    LoadSettings(*game_);
    EXPECT_EQ(PictureFile(*game_, "ゾンビ"), "z.gif");
    EXPECT_EQ(PictureFile(*game_, "ソ"), "s.gif");
    EXPECT_EQ(game_->Config.SceneMusic[2], "ソ.mid");
}

TEST_F(SettingsTest, UnchangedFileSavesToTheSameBytes) {
    const std::string text =
        "[ＢＧＭ]\r\nタイトル=t.mid\r\n城下=\r\n町外れ=\r\n商店=\r\n酒場=\r\n寺院=\r\n宿屋=\r\n"
        "星占所=\r\n訓練場=\r\n迷宮１=\r\n迷宮２=\r\n戦闘１=\r\n戦闘２=\r\nボス１=\r\nボス２=\r\n"
        "勝利＆宝箱=\r\n全滅=\r\nキャンプ=\r\nエンカウント=\r\n[ダンジョン]\r\n描画= 1\r\n"
        "何かを探す= 0\r\n戦闘中ヘルプウィンド= 1\r\n呪文選択= 0\r\n呪文名= 1\r\nワナ選択= 0\r\n";
    for (const std::string& bytes : {text, Utf8ToCp932(text)}) {
        Write(Ini(), bytes);
        LoadSettings(*game_);
        std::string error;
        ASSERT_TRUE(SaveSettings(*game_, {}, error)) << error;
        EXPECT_EQ(Read(Ini()), bytes);
    }
}

TEST_F(SettingsTest, ALongerValueThanIsReadIsKeptWholeUntilChanged) {
    const std::string longPath = "/music/" + std::string(293, 'a') + ".mid";
    const std::string longPicture = "/pictures/" + std::string(290, 'b') + ".bmp";
    Write(Ini(), "[ＢＧＭ]\r\nタイトル=" + longPath + "\r\n城下=" + longPath +
                     "\r\n[画像]\r\nスライム=" + longPicture + "\r\n");
    LoadSettings(*game_);
    ASSERT_EQ(game_->Config.SceneMusic[1], longPath.substr(0, 254));
    // The window's working copies are what was read; only 城下 is changed.
    game_->Config.SceneMusic[2] = "castle.mid";
    const std::vector<PictureSetting> pictures = {{"スライム", PictureFile(*game_, "スライム")}};
    std::string error;
    ASSERT_TRUE(SaveSettings(*game_, pictures, error)) << error;
    const SettingsFile file = SettingsFile::Parse(Read(Ini()));
    EXPECT_EQ(file.Text().GetOr(MusicSection, "タイトル", ""), longPath);
    EXPECT_EQ(file.Text().GetOr(PictureSection, "スライム", ""), longPicture);
    EXPECT_EQ(file.Read(MusicSection, "城下"), "castle.mid");
    EXPECT_EQ(file.Text().GetOr(MusicSection, "町外れ", "<missing>"), "") << "keys written empty";
}

TEST_F(SettingsTest, SavingWithoutAFileCreatesOneThatReadsBack) {
    fs::remove_all(game_->SaveFolder);
    game_->Config.SceneMusic[10] = "maze.mid";
    game_->Config.SpellEntryMode = 2;
    game_->Config.TrapByList = 0;
    std::string error;
    ASSERT_TRUE(SaveSettings(*game_, std::vector<PictureSetting>{{"骸骨", "bones.jpg"}}, error))
        << error;
    const std::string bytes = Read(Ini());
    EXPECT_EQ(DetectEncoding(bytes), TextEncoding::Utf8);
    EXPECT_EQ(bytes.find("[ダンジョン]\r\n何かを探す= 0\r\n描画= 0\r\n"), 0u) << bytes;

    Game fresh;
    fresh.SaveFolder = game_->SaveFolder;
    LoadSettings(fresh);
    EXPECT_EQ(fresh.Config.SceneMusic, game_->Config.SceneMusic);
    EXPECT_EQ(fresh.Config.SpellEntryMode, 2);
    EXPECT_EQ(fresh.Config.TrapByList, 0);
    EXPECT_EQ(fresh.Config.ShowBattleHelp, 1);
    EXPECT_EQ(PictureFile(fresh, "骸骨"), "bones.jpg");
}

TEST_F(SettingsTest, UnreadableFileGivesDefaultsAndIsNeverOverwritten) {
    fs::create_directories(Ini());  // a folder where the file should be
    LoadSettings(*game_);
    EXPECT_EQ(game_->Config.SpellEntryMode, 1);
    std::string error;
    EXPECT_FALSE(SaveSettings(*game_, {}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(Ini()));
}

TEST_F(SettingsTest, PicturesAreReadWhenAskedFor) {
    EXPECT_EQ(PictureFile(*game_, "スライム"), "");
    Write(Ini(), "[画像]\r\nスライム=  slime.bmp  \r\n[ＢＧＭ]\r\nオーク=orc.bmp\r\n");
    LoadSettings(*game_);
    EXPECT_EQ(PictureFile(*game_, "スライム"), "slime.bmp");
    EXPECT_EQ(PictureFile(*game_, "オーク"), "") << "another section's key";
    EXPECT_EQ(PictureFile(*game_, ""), "");
    // A later change to the file is seen without loading the settings again.
    Write(Ini(), "[画像]\r\nスライム=blue.bmp\r\n");
    EXPECT_EQ(PictureFile(*game_, "スライム"), "blue.bmp");
}

class DataFileLookupTest : public SettingsTest {
  protected:
    fs::path Make(const fs::path& p) {
        fs::create_directories(p.parent_path());
        Write(p, "MThd");
        return p;
    }
    fs::path Data() const { return game_->DataFolder; }
};

TEST_F(DataFileLookupTest, ForeignPathsAreFoundByFileName) {
    const fs::path castle = Make(Data() / "castle.mid");
    EXPECT_EQ(ResolveDataFile("C:\\Music\\castle.mid", Data()), castle);
    EXPECT_EQ(ResolveDataFile("d:/games/castle.mid", Data()), castle);
    EXPECT_EQ(ResolveDataFile("\\\\server\\share\\castle.mid", Data()), castle);
    EXPECT_EQ(ResolveDataFile("C:castle.mid", Data()), castle);
    EXPECT_EQ(ResolveDataFile("C:\\Music\\CASTLE.MID", Data()), castle) << "letter case";
    EXPECT_EQ(ResolveDataFile("C:\\Music\\other.mid", Data()), fs::path());
    EXPECT_EQ(ResolveDataFile("C:\\Music\\", Data()), fs::path());
}

TEST_F(DataFileLookupTest, PlainAndRelativeNamesAreLookedUpInTheScenarioFolder) {
    const fs::path title = Make(Data() / "title.mid");
    const fs::path nested = Make(Data() / "Music" / "town.mid");
    EXPECT_EQ(ResolveDataFile("title.mid", Data()), title);
    EXPECT_EQ(ResolveDataFile("Music\\town.mid", Data()), nested);
    EXPECT_EQ(ResolveDataFile("Music/town.mid", Data()), nested);
    EXPECT_EQ(ResolveDataFile("Elsewhere\\title.mid", Data()), title);
    EXPECT_EQ(ResolveDataFile("", Data()), fs::path());
    EXPECT_EQ(ResolveDataFile("..", Data()), fs::path());
    EXPECT_EQ(ResolveDataFile("Music", Data()), fs::path()) << "a folder is not a file";
}

TEST_F(DataFileLookupTest, AbsolutePathsHereAreTakenAsTheyAre) {
    const fs::path own = Make(root_ / "elsewhere" / "song.mid");
    const fs::path inData = Make(Data() / "song.mid");
    EXPECT_EQ(ResolveDataFile(own.string(), Data()), own);
    // Gone from where it was written: the scenario folder's copy.
    EXPECT_EQ(ResolveDataFile((root_ / "gone" / "song.mid").string(), Data()), inData);
    EXPECT_EQ(ResolveDataFile(own.string(), fs::path()), own);
    EXPECT_EQ(ResolveDataFile("song.mid", fs::path()), fs::path());
}

}  // namespace
}  // namespace kv
