#pragma once
// The platform for players: an SDL2 window, keyboard and mouse, the real
// clock, MIDI music, and the shared font and picture code.
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/sdl/SdlMidi.h"

namespace kv {

// nullptr and error when there is no display or a font is missing.
std::unique_ptr<Platform> CreateSdlPlatform(std::string& error, MusicSettings music = {});

}  // namespace kv
