#include "platform/sdl/SdlMidi.h"

#include <SDL.h>

#include <array>
#include <cstring>
#include <fstream>
#include <utility>

#include "platform/sdl/SdlInit.h"
#include "platform/sdl/SdlMixer.h"

namespace kv {
namespace {

uint32_t BigEndian32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

// A standard MIDI file's header chunk followed by a track chunk (or the same
// wrapped in RIFF). FluidSynth accepts a bare "MThd" and only gives up once
// playing, which would look like a song that keeps ending at once.
bool LooksLikeMidi(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> head{};
    if (!in.read(head.data(), head.size())) return false;
    if (std::memcmp(head.data(), "RIFF", 4) == 0)
        return std::memcmp(head.data() + 8, "RMID", 4) == 0;
    if (std::memcmp(head.data(), "MThd", 4) != 0) return false;
    const uint32_t headerLength = BigEndian32(head.data() + 4);
    if (headerLength < 6 || headerLength > 1024) return false;
    std::array<char, 4> track{};
    in.seekg(8 + static_cast<std::streamoff>(headerLength));
    return static_cast<bool>(in.read(track.data(), track.size())) &&
           std::memcmp(track.data(), "MTrk", 4) == 0;
}

class SdlMidiPlayer final : public MidiPlayer {
  public:
    explicit SdlMidiPlayer(MusicSettings settings) : settings_(std::move(settings)) {}
    ~SdlMidiPlayer() override { Close(); }

    bool Open(const std::string& path) override {
        Close();
        if (!LooksLikeMidi(path) || !AudioReady()) return false;
        music_ = mixer_->LoadMUS(path.c_str());
        return music_ != nullptr;
    }

    void Play() override {
        // Once through: the game starts a song again itself when it ends.
        if (music_ == nullptr) return;
        mixer_->VolumeMusic(MusicVolume);
        mixer_->PlayMusic(music_, 1);
    }

    bool IsPlaying() const override { return music_ != nullptr && mixer_->PlayingMusic() != 0; }

    void Stop() override {
        if (music_ != nullptr) mixer_->HaltMusic();
    }

    void Close() override {
        if (music_ == nullptr) return;
        mixer_->HaltMusic();
        mixer_->FreeMusic(music_);
        music_ = nullptr;
    }

  private:
    bool AudioReady() {
        if (audio_.Held()) return true;
        if (audioFailed_ || settings_.Off) return false;
        std::string error;
        audio_ = SdlLease::Acquire(SdlPart::Audio, error);
        if (!audio_.Held()) {
            // Said once; the game goes on in silence.
            audioFailed_ = true;
            SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "music off: %s", error.c_str());
            return false;
        }
        // The audio part opened the library.
        mixer_ = OpenMixer(error);
        if (mixer_ == nullptr) {
            audio_.Release();
            audioFailed_ = true;
            return false;
        }
        // FluidSynth reads the soundfonts with each song, so the player's
        // choice made now, after the audio part picked its default, is the one heard.
        if (!settings_.SoundFont.empty()) mixer_->SetSoundFonts(settings_.SoundFont.c_str());
        return true;
    }

    MusicSettings settings_;
    SdlLease audio_;  // declared first: released after the music is freed
    bool audioFailed_ = false;
    const MixerCalls* mixer_ = nullptr;  // set once the audio is up; music_ needs it
    Mix_Music* music_ = nullptr;
};

}  // namespace

std::unique_ptr<MidiPlayer> CreateSdlMidiPlayer(MusicSettings settings) {
    return std::make_unique<SdlMidiPlayer>(std::move(settings));
}

}  // namespace kv
