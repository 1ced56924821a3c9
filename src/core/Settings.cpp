#include "core/Settings.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Cp932.h"
#include "core/Game.h"
#include "core/SaveFile.h"

namespace kv {
namespace {

// Far more than any real settings file; a bigger one is not ours.
constexpr size_t MaxSettingsBytes = size_t{4} << 20;

// The options in the order the settings window writes them.
constexpr std::array<std::string_view, 6> OptionWriteOrder{
    "何かを探す", "描画", "戦闘中ヘルプウィンド", "呪文選択", "ワナ選択", "呪文名",
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The lead bytes of multi-byte UTF-8: how long the sequence is, which bits
// of the lead it keeps, and the smallest character it may hold (anything
// below is an overlong form).
struct Utf8Lead {
    unsigned char First;
    unsigned char Last;
    size_t Length;
    unsigned char Bits;
    char32_t Min;
};
constexpr std::array<Utf8Lead, 3> Utf8Leads{{
    {0xC2, 0xDF, 2, 0x1F, 0x80},
    {0xE0, 0xEF, 3, 0x0F, 0x800},
    {0xF0, 0xF4, 4, 0x07, 0x10000},
}};

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes, bool& sawNonAscii) {
    sawNonAscii = false;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        sawNonAscii = true;
        const auto form = std::find_if(Utf8Leads.begin(), Utf8Leads.end(), [&](const Utf8Lead& f) {
            return lead >= f.First && lead <= f.Last;
        });
        if (form == Utf8Leads.end() || bytes.size() - i < form->Length) return false;
        char32_t c = lead & form->Bits;
        for (size_t k = 1; k < form->Length; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(byte)) return false;
            c = (c << 6) | (byte & 0x3F);
        }
        if (c < form->Min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += form->Length;
    }
    return true;
}

// Missing is fine (a new file); a file that is there but cannot be read is
// an error, so that saving never replaces what could not be seen.
std::optional<SettingsFile> LoadForUpdate(const std::filesystem::path& path, std::string& error) {
    std::error_code exists;
    if (!std::filesystem::exists(path, exists)) return SettingsFile();
    std::optional<std::string> bytes = ReadFileBytes(path, error, MaxSettingsBytes);
    if (!bytes) return std::nullopt;
    return SettingsFile::Parse(*bytes);
}

// What was read is only the first MaxValueLength characters of a longer
// value: writing that back would lose the rest for good.
void WriteFileName(SettingsFile& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    const bool present = file.Text().Get(section, key).has_value();
    if (!present || file.Read(section, key) != value) file.Write(section, key, value);
}

}  // namespace

std::string SettingValue(std::string_view raw) {
    std::string_view value = TrimBlanks(raw);
    size_t characters = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if (IsContinuation(static_cast<unsigned char>(value[i]))) continue;
        if (characters == MaxValueLength) {
            value = TrimBlanks(value.substr(0, i));
            break;
        }
        ++characters;
    }
    return std::string(value);
}

int32_t OptionNumber(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    constexpr int64_t Limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), Limit);
    }
    if (negative) value = -value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(value);
}

std::string OptionText(int32_t value) {
    std::string text = value < 0 ? "" : " ";
    text += std::to_string(value);
    return text;
}

TextEncoding DetectEncoding(std::string_view bytes) {
    bool nonAscii = false;
    return IsValidUtf8(bytes, nonAscii) && nonAscii ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

SettingsFile SettingsFile::Parse(std::string_view bytes) {
    SettingsFile file;
    file.encoding_ = DetectEncoding(bytes);
    file.ini_ = file.encoding_ == TextEncoding::Utf8 ? IniFile::Parse(bytes)
                                                     : IniFile::Parse(Cp932ToUtf8(bytes));
    return file;
}

SettingsFile SettingsFile::Load(const std::filesystem::path& path) {
    std::string error;
    std::optional<std::string> bytes = ReadFileBytes(path, error, MaxSettingsBytes);
    return bytes ? Parse(*bytes) : SettingsFile();
}

std::string SettingsFile::Read(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    std::optional<std::string> value = ini_.Get(section, key);
    return value ? SettingValue(*value) : std::string(fallback);
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    return ini_.Set(section, key, value);
}

std::string SettingsFile::Serialize() const {
    std::string text = ini_.Serialize();
    return encoding_ == TextEncoding::Utf8 ? text : Utf8ToCp932(text);
}

std::filesystem::path SettingsPath(const Game& game) {
    return game.SaveFolder / SettingsFileName;
}

void ReadSettings(const SettingsFile& file, Settings& settings) {
    for (std::string& music : settings.SceneMusic) music.clear();
    for (int scene = 1; scene <= StoredSceneCount; ++scene) {
        settings.SceneMusic[scene] = file.Read(MusicSection, SceneNames[scene - 1].Key);
    }
    for (const OptionField& option : OptionFields) {
        const int32_t value = OptionNumber(file.Read(OptionSection, option.Key, option.Missing));
        settings.*option.Field = value >= 0 && value <= option.Top ? value : OutOfRangeOption;
    }
    settings.Messages = ReadMessageSpeed(file);
}

void LoadSettings(Game& game) {
    ReadSettings(SettingsFile::Load(SettingsPath(game)), game.Config);
}

void WriteSettings(const Settings& settings, std::span<const PictureSetting> pictures,
                   SettingsFile& file) {
    for (std::string_view key : OptionWriteOrder) {
        for (const OptionField& option : OptionFields) {
            if (option.Key == key)
                file.Write(OptionSection, key, OptionText(settings.*option.Field));
        }
    }
    WriteMessageSpeed(settings.Messages, file);
    for (int scene = 1; scene <= StoredSceneCount; ++scene) {
        WriteFileName(file, MusicSection, SceneNames[scene - 1].Key, settings.SceneMusic[scene]);
    }
    // A name the file cannot hold as a key is skipped, like any other
    // failure while saving one row.
    for (const PictureSetting& picture : pictures) {
        WriteFileName(file, PictureSection, picture.Name, picture.File);
    }
}

bool SaveSettings(const Game& game, std::span<const PictureSetting> pictures, std::string& error) {
    const std::filesystem::path path = SettingsPath(game);
    std::optional<SettingsFile> file = LoadForUpdate(path, error);
    if (!file) return false;
    WriteSettings(game.Config, pictures, *file);
    std::error_code folderError;
    std::filesystem::create_directories(game.SaveFolder, folderError);
    return WriteFileAtomic(path, file->Serialize(), error);
}

std::string PictureFile(const Game& game, std::string_view monsterName) {
    if (TrimBlanks(monsterName).empty()) return {};
    return SettingsFile::Load(SettingsPath(game)).Read(PictureSection, monsterName);
}

}  // namespace kv
