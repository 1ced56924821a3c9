#include "app/SoundFont.h"

#include <filesystem>
#include <system_error>

namespace kv {

MusicSettings ChooseMusic(const std::string& option, const std::string& stored,
                          std::string& warning) {
    warning.clear();
    MusicSettings music;
    const bool fromOption = !option.empty();
    music.SoundFont = fromOption ? option : stored;
    if (music.SoundFont.empty()) return music;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(music.SoundFont, ec)) {
        warning = "korvane: soundfont not found: " + music.SoundFont +
                  (fromOption ? "" : " (from the [Sound] setting)") + "; the music is off";
        music.Off = true;
    }
    return music;
}

}  // namespace kv
