#pragma once
// MIDI music through SDL_mixer (FluidSynth). The audio device opens with the
// first song; with no sound card, or no soundfont, the player stays silent.
#include <memory>

#include "platform/Platform.h"

namespace kv {

std::unique_ptr<MidiPlayer> CreateSdlMidiPlayer();

}  // namespace kv
