#pragma once
// The player's settings: which MIDI file plays in each scene, which picture
// shows each monster, and the six display and input options. They live in
// KVR.ini in the save folder. The file may be UTF-8 or CP932 (scenarios ship
// it in either); it is read as UTF-8 text and written back in the
// encoding it came in, every byte the game did not change kept as it was.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/IniFile.h"
#include "core/MessageSpeed.h"

namespace kv {

struct Game;

inline constexpr int SceneMusicSize = 51;  // scenes 0..50; 1..19 are stored
inline constexpr int StoredSceneCount = 19;

// Section names of KVR.ini.
inline constexpr std::string_view MusicSection = "ＢＧＭ";
inline constexpr std::string_view OptionSection = "ダンジョン";
inline constexpr std::string_view PictureSection = "画像";

// Scene k + 1: its key in the file and its row in the settings window. The
// keys carry full-width digits, the rows half-width ones.
struct SceneName {
    std::string_view Key;
    std::string_view Row;
};
inline constexpr std::array<SceneName, StoredSceneCount> SceneNames{{
    {"タイトル", "タイトル"},
    {"城下", "城下町"},
    {"町外れ", "町外れ"},
    {"商店", "商店"},
    {"酒場", "酒場"},
    {"寺院", "寺院"},
    {"宿屋", "宿屋"},
    {"星占所", "星占所"},
    {"訓練場", "訓練場"},
    {"迷宮１", "迷宮1"},
    {"迷宮２", "迷宮2"},
    {"戦闘１", "戦闘1"},
    {"戦闘２", "戦闘2"},
    {"ボス１", "ボス1"},
    {"ボス２", "ボス2"},
    {"勝利＆宝箱", "勝利＆宝箱"},
    {"全滅", "全滅"},
    {"キャンプ", "キャンプ"},
    {"エンカウント", "エンカウント!"},
}};

// The scenes other parts of the game ask for.
enum Scene : int {
    SceneSilence = 0,
    SceneTitle = 1,
    SceneCastle = 2,
    SceneOutskirts = 3,
    SceneShop = 4,
    SceneTavern = 5,
    SceneTemple = 6,
    SceneInn = 7,
    SceneStarReader = 8,
    SceneTraining = 9,
    SceneMaze1 = 10,
    SceneMaze2 = 11,
    SceneBattle1 = 12,
    SceneBattle2 = 13,
    SceneBoss1 = 14,
    SceneBoss2 = 15,
    SceneVictory = 16,
    SceneWipeOut = 17,
    SceneCamp = 18,
    SceneEncounter = 19,
};

struct Settings {
    std::array<std::string, SceneMusicSize> SceneMusic;
    std::string CurrentMusic;  // the file last handed to the player
    int32_t MazeScene = SceneMaze1;
    int32_t BattleScene = SceneSilence;

    // The options, with the values a missing file gives.
    int32_t ViewMode = 0;           // 0 wireframe, 1 filled surfaces
    int32_t ShowSearchFailure = 0;  // a search that finds nothing says so
    int32_t ShowBattleHelp = 1;     // help panel during command input
    int32_t SpellEntryMode = 1;     // 0 typed, 1 and 2 picked from a list
    int32_t UseAltSpellNames = 1;   // applied when the database loads
    int32_t TrapByList = 1;         // chest traps named from a list

    MessageSpeed Messages = MessageSpeed::AsWritten;  // [Comforts] MessageSpeed
};

// One option: its key, the text a missing key reads as, its variable, and
// its largest meaningful value. A hand-edited number outside 0..Top reads as
// 1: a check box shows anything but 0 as ticked, and the spell entry falls
// back to the selection window.
struct OptionField {
    std::string_view Key;
    std::string_view Missing;
    int32_t Settings::*Field;
    int32_t Top;
};
inline constexpr int32_t OutOfRangeOption = 1;
// In the order the options are read.
inline constexpr std::array<OptionField, 6> OptionFields{{
    {"描画", "", &Settings::ViewMode, 1},
    {"何かを探す", "", &Settings::ShowSearchFailure, 1},
    {"戦闘中ヘルプウィンド", "1", &Settings::ShowBattleHelp, 1},
    {"呪文選択", "1", &Settings::SpellEntryMode, 2},
    {"呪文名", "1", &Settings::UseAltSpellNames, 1},
    {"ワナ選択", "1", &Settings::TrapByList, 1},
}};

// Values are fetched into a 255-character buffer with its terminator, so at
// most this many characters of a value are ever seen.
inline constexpr size_t MaxValueLength = 254;

// The value rule: surrounding blanks dropped, then cut to MaxValueLength
// characters (never inside a character).
std::string SettingValue(std::string_view raw);
// Decimal text as the options hold it; text that does not begin with a
// number is 0, and out-of-range numbers stop at the 32-bit limits.
int32_t OptionNumber(std::string_view text);
// How options are written: " 1", "-1".
std::string OptionText(int32_t value);

enum class TextEncoding { Utf8, Cp932 };
// Valid UTF-8 with at least one non-ASCII character is UTF-8; anything else
// (plain ASCII included) is taken as CP932.
TextEncoding DetectEncoding(std::string_view bytes);

class SettingsFile {
  public:
    SettingsFile() = default;  // a new file, written as UTF-8
    static SettingsFile Parse(std::string_view bytes);
    // A missing or unreadable file reads as a new, empty one.
    static SettingsFile Load(const std::filesystem::path& path);

    // The value by the value rule; missing gives fallback.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback = "") const;
    // False, changing nothing, for a name the file cannot hold.
    bool Write(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;  // in the file's own encoding
    TextEncoding Encoding() const { return encoding_; }
    const IniFile& Text() const { return ini_; }  // as UTF-8

  private:
    IniFile ini_;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

std::filesystem::path SettingsPath(const Game& game);

// Scenes 1..19 and the options from the file; scene 0 and 20..50 are
// emptied. The picture section is left for PictureFile.
void ReadSettings(const SettingsFile& file, Settings& settings);
// Start-up: the settings file of the save folder into game.Config. A missing
// file gives the defaults; nothing is reported.
void LoadSettings(Game& game);

// What the settings window's OK stores for one monster row.
struct PictureSetting {
    std::string Name;
    std::string File;
};
// The options (in the order the settings window writes them), the scenes,
// then the picture rows in order, so a later row of the same name wins. A
// file name the file already holds (as the value rule reads it) is left as
// it stands, so a value longer than the rule reads is never cut short.
void WriteSettings(const Settings& settings, std::span<const PictureSetting> pictures,
                   SettingsFile& file);
// Rewrites the settings file of the save folder with game.Config and the
// pictures, keeping everything else in it and its encoding. False (error
// says why) when it cannot be written; the old file then stays as it was.
bool SaveSettings(const Game& game, std::span<const PictureSetting> pictures, std::string& error);

// The picture file stored for a monster name, read from the file now; empty
// for none.
std::string PictureFile(const Game& game, std::string_view monsterName);

}  // namespace kv
