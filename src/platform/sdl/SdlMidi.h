#pragma once
// MIDI music through SDL_mixer (FluidSynth). The audio device opens with the
// first song; with no sound card, or no soundfont, the player stays silent.
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace kv {

struct MusicSettings {
    std::string SoundFont;  // empty: the first GM soundfont of the system's usual ones
    bool Off = false;       // no music at all
};

std::unique_ptr<MidiPlayer> CreateSdlMidiPlayer(MusicSettings settings = {});

}  // namespace kv
