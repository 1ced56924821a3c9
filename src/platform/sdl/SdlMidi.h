#pragma once
// MIDI music through SDL_mixer (FluidSynth). The audio device opens with the
// first song; with no sound card, or no soundfont, the player stays silent.
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace kv {

// SDL_mixer sets FluidSynth's gain from the music volume (gain = volume ×
// 1.2 ÷ 128), and at full volume the loudest demo tunes go past full scale.
// Half volume, gain 0.6, keeps them about 2 dB below it through the GM
// soundfont; a test renders every tune to check.
inline constexpr int MusicVolume = 64;  // of 128
inline constexpr double SynthGain(int volume) {
    return volume * 1.2 / 128;
}

struct MusicSettings {
    std::string SoundFont;  // empty: the first GM soundfont of the system's usual ones
    bool Off = false;       // no music at all
};

std::unique_ptr<MidiPlayer> CreateSdlMidiPlayer(MusicSettings settings = {});

}  // namespace kv
