#include "platform/sdl/SdlMixer.h"

#include <SDL.h>

#include <optional>

namespace kv {

namespace {

constexpr const char* MixerLibrary = "libSDL2_mixer-2.0.so.0";

template <typename Call>
bool Find(void* library, const char* name, Call& call, std::string& error) {
    call = reinterpret_cast<Call>(SDL_LoadFunction(library, name));
    if (call == nullptr && error.empty()) error = std::string(MixerLibrary) + " has no " + name;
    return call != nullptr;
}

std::optional<MixerCalls> Load(std::string& error) {
    void* library = SDL_LoadObject(MixerLibrary);
    if (library == nullptr) {
        error = std::string("cannot load ") + MixerLibrary + ": " + SDL_GetError();
        return std::nullopt;
    }
    MixerCalls calls;
    bool found = Find(library, "Mix_Init", calls.Init, error);
    found = Find(library, "Mix_Quit", calls.Quit, error) && found;
    found = Find(library, "Mix_OpenAudio", calls.OpenAudio, error) && found;
    found = Find(library, "Mix_CloseAudio", calls.CloseAudio, error) && found;
    found = Find(library, "Mix_SetSoundFonts", calls.SetSoundFonts, error) && found;
    found = Find(library, "Mix_LoadMUS", calls.LoadMUS, error) && found;
    found = Find(library, "Mix_FreeMusic", calls.FreeMusic, error) && found;
    found = Find(library, "Mix_PlayMusic", calls.PlayMusic, error) && found;
    found = Find(library, "Mix_HaltMusic", calls.HaltMusic, error) && found;
    found = Find(library, "Mix_PlayingMusic", calls.PlayingMusic, error) && found;
    found = Find(library, "Mix_VolumeMusic", calls.VolumeMusic, error) && found;
    if (!found) {
        SDL_UnloadObject(library);
        return std::nullopt;
    }
    // Kept loaded for the rest of the run: music may start again at any time.
    return calls;
}

}  // namespace

const MixerCalls* OpenMixer(std::string& error) {
    // Tried once: a missing library is not looked for again with each song.
    static std::string why;
    static const std::optional<MixerCalls> calls = Load(why);
    if (!calls) {
        error = why;
        return nullptr;
    }
    return &*calls;
}

}  // namespace kv
