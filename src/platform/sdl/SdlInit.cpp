#include "platform/sdl/SdlInit.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <array>
#include <filesystem>
#include <mutex>

#include "platform/sdl/SdlMixer.h"

namespace kv {

std::string DefaultSoundFont() {
    // Soundfonts FluidSynth should use, best first. SDL_mixer ignores
    // SDL_SOUNDFONTS unless forced, so the choice is made here, before the
    // audio device opens.
    constexpr std::array<const char*, 4> known = {
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    };
    std::error_code ec;
    for (const char* path : known) {
        if (std::filesystem::is_regular_file(path, ec)) return path;
    }
    return {};
}

namespace {

struct Counts {
    std::mutex Lock;
    std::array<int, static_cast<size_t>(SdlPart::Count)> Users{};
    int Total = 0;
};

// SDL's own state is process-wide; so must be the count of its users.
Counts& Shared() {
    static Counts counts;
    return counts;
}

void ChooseSoundFont(const MixerCalls& mixer) {
    const std::string path = DefaultSoundFont();
    if (!path.empty()) mixer.SetSoundFonts(path.c_str());
}

bool Start(SdlPart part, std::string& error) {
    switch (part) {
        case SdlPart::Video:
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
                error = std::string("cannot open the display: ") + SDL_GetError();
                return false;
            }
            return true;
        case SdlPart::Audio:
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
                error = std::string("no audio: ") + SDL_GetError();
                return false;
            }
            {
                const MixerCalls* mixer = OpenMixer(error);
                if (mixer == nullptr) {
                    error = "no audio: " + error;
                    SDL_QuitSubSystem(SDL_INIT_AUDIO);
                    return false;
                }
                mixer->Init(MIX_INIT_MID);
                ChooseSoundFont(*mixer);
                if (mixer->OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
                    error = std::string("no audio: ") + Mix_GetError();
                    mixer->Quit();
                    SDL_QuitSubSystem(SDL_INIT_AUDIO);
                    return false;
                }
                return true;
            }
        case SdlPart::Fonts:
            if (TTF_Init() != 0) {
                error = std::string("cannot start the font renderer: ") + TTF_GetError();
                return false;
            }
            return true;
        case SdlPart::Images:
            // Loaders not started here start on first use; a failure only
            // means that format will fail to load later.
            IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
            return true;
        case SdlPart::Count:
            break;
    }
    error = "unknown SDL part";
    return false;
}

void Stop(SdlPart part) {
    switch (part) {
        case SdlPart::Video:
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            break;
        case SdlPart::Audio: {
            // The audio part started, so the library is open.
            std::string error;
            if (const MixerCalls* mixer = OpenMixer(error)) {
                mixer->CloseAudio();
                mixer->Quit();
            }
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            break;
        }
        case SdlPart::Fonts:
            TTF_Quit();
            break;
        case SdlPart::Images:
            IMG_Quit();
            break;
        case SdlPart::Count:
            break;
    }
}

}  // namespace

SdlLease SdlLease::Acquire(SdlPart part, std::string& error) {
    if (part == SdlPart::Count) {
        error = "unknown SDL part";
        return SdlLease();
    }
    Counts& counts = Shared();
    std::lock_guard guard(counts.Lock);
    int& users = counts.Users[static_cast<size_t>(part)];
    if (users == 0 && !Start(part, error)) return SdlLease();
    ++users;
    ++counts.Total;
    return SdlLease(part);
}

SdlLease::~SdlLease() {
    Release();
}

SdlLease::SdlLease(SdlLease&& other) noexcept : part_(other.part_), held_(other.held_) {
    other.held_ = false;
}

SdlLease& SdlLease::operator=(SdlLease&& other) noexcept {
    if (this != &other) {
        Release();
        part_ = other.part_;
        held_ = other.held_;
        other.held_ = false;
    }
    return *this;
}

void SdlLease::Release() {
    if (!held_) return;
    held_ = false;
    Counts& counts = Shared();
    std::lock_guard guard(counts.Lock);
    int& users = counts.Users[static_cast<size_t>(part_)];
    if (--users == 0) Stop(part_);
    // The last user of any part leaves SDL as it found it.
    if (--counts.Total == 0) SDL_Quit();
}

}  // namespace kv
