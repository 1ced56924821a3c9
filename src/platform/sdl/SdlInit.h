#pragma once
// Counted start and stop of the SDL parts. The font library, the picture
// codec, the music player and the window may each be created several times
// in one process (tests do), so every part starts with its first user and
// stops with its last.
#include <string>

namespace kv {

// The system's General MIDI soundfont the music uses unless the player
// chose another; empty when none is installed.
std::string DefaultSoundFont();

enum class SdlPart { Video, Audio, Fonts, Images, Count };

class SdlLease {
  public:
    SdlLease() = default;
    // An empty lease (Held() false) when the part cannot start; error says why.
    static SdlLease Acquire(SdlPart part, std::string& error);
    ~SdlLease();
    SdlLease(SdlLease&& other) noexcept;
    SdlLease& operator=(SdlLease&& other) noexcept;
    SdlLease(const SdlLease&) = delete;
    SdlLease& operator=(const SdlLease&) = delete;

    bool Held() const { return held_; }
    void Release();

  private:
    explicit SdlLease(SdlPart part) : part_(part), held_(true) {}
    SdlPart part_ = SdlPart::Video;
    bool held_ = false;
};

}  // namespace kv
