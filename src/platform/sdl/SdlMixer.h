#pragma once
// SDL_mixer, opened when the audio first starts rather than linked into the
// program: a run that plays no music (every headless one) loads neither it
// nor FluidSynth and the sound libraries behind it.
#include <SDL_mixer.h>

#include <string>

namespace kv {

struct MixerCalls {
    decltype(&Mix_Init) Init = nullptr;
    decltype(&Mix_Quit) Quit = nullptr;
    decltype(&Mix_OpenAudio) OpenAudio = nullptr;
    decltype(&Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&Mix_SetSoundFonts) SetSoundFonts = nullptr;
    decltype(&Mix_LoadMUS) LoadMUS = nullptr;
    decltype(&Mix_FreeMusic) FreeMusic = nullptr;
    decltype(&Mix_PlayMusic) PlayMusic = nullptr;
    decltype(&Mix_HaltMusic) HaltMusic = nullptr;
    decltype(&Mix_PlayingMusic) PlayingMusic = nullptr;
    decltype(&Mix_VolumeMusic) VolumeMusic = nullptr;
};

// The library's calls, opened on the first call and kept for the run;
// nullptr, with the reason in error, when it is missing or incomplete.
const MixerCalls* OpenMixer(std::string& error);

}  // namespace kv
