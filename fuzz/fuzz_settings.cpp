// Any bytes as the settings file KVR.ini, UTF-8 or CP932: reading never fails
// badly, the file writes back as exactly the bytes it came from, the values
// read keep the value rule, and what the settings window writes reads back
// the same.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RoundTrip.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/Utf8.h"

namespace kv::fuzz {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A value as the settings see it: UTF-8, no blanks around, at most
// MaxValueLength characters.
void CheckValue(const std::string& value) {
    Check(EncodeUtf8(DecodeUtf8(value)) == value);  // broken bytes would come back as U+FFFD
    Check(DecodeUtf8(value).size() <= MaxValueLength);
    Check(value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back())));
}

// A value as it reads back once written: the file keeps a value on one line,
// so a lone carriage return in it is written as a blank, and the value rule
// then applies again.
std::string AsWritten(std::string value) {
    std::replace(value.begin(), value.end(), '\r', ' ');
    return SettingValue(value);
}

// b is a as written to the file and read back. A file name the window did
// not change stays in the file as it was, so it reads back as it read.
bool SameSettings(const Settings& a, const Settings& b) {
    for (size_t scene = 0; scene < a.SceneMusic.size(); ++scene) {
        const std::string& before = a.SceneMusic[scene];
        const std::string& after = b.SceneMusic[scene];
        if (after != before && after != AsWritten(before)) return false;
    }
    for (const OptionField& option : OptionFields) {
        if (a.*option.Field != b.*option.Field) return false;
    }
    return true;
}

}  // namespace
}  // namespace kv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kv;
    using fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Nothing the game did not change is ever rewritten, in either encoding.
    Check(IniFile::Parse(bytes).Serialize() == bytes);
    SettingsFile file = SettingsFile::Parse(bytes);
    Check(file.Serialize() == bytes);

    Settings read;
    ReadSettings(file, read);
    for (const std::string& music : read.SceneMusic) fuzz::CheckValue(music);
    // The picture rows, as the monster pictures are looked up (the first few:
    // every lookup reads the file from the top).
    const std::vector<std::string> names = file.Text().Keys(PictureSection);
    for (size_t i = 0; i < names.size() && i < 4; ++i) {
        fuzz::CheckValue(file.Read(PictureSection, names[i]));
    }

    // The settings window's OK writes the settings back: they read the same,
    // and so does the file written in its own encoding, when its bytes still
    // say which encoding that is.
    WriteSettings(read, {}, file);
    Settings again;
    ReadSettings(file, again);
    Check(fuzz::SameSettings(read, again));
    const SettingsFile reread = SettingsFile::Parse(file.Serialize());
    if (reread.Encoding() == file.Encoding()) {
        Settings fromDisk;
        ReadSettings(reread, fromDisk);
        Check(fuzz::SameSettings(read, fromDisk));
    }
    return 0;
}
