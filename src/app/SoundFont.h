#pragma once
// The soundfont the music plays with: --soundfont, else the player's own
// setting ([Sound] SoundFont= in the per-user settings), else the system's
// GM soundfont. A chosen file that is not there is said in one line and the
// game goes on without music; it never stops the program from starting.
#include <string>

#include "platform/sdl/SdlMidi.h"

namespace kv {

constexpr const char* SoundSection = "Sound";
constexpr const char* SoundFontKey = "SoundFont";

// warning: one line without a newline, empty when all is well.
MusicSettings ChooseMusic(const std::string& option, const std::string& stored,
                          std::string& warning);

}  // namespace kv
