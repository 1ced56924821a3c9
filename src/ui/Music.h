#pragma once
// The scene music: one song at a time, played from its start and looped. A
// scene is asked for by number; its file comes from the settings. Changing
// the scene always starts the song over, even when the file is the same, and
// a missing or unplayable file simply leaves silence.
#include <filesystem>
#include <string>

#include "core/Settings.h"
#include "core/Transcript.h"
#include "platform/Platform.h"

namespace kv {

class Timer;
class WindowManager;

class MusicPlayer {
  public:
    // Files that are not found as written are looked up in dataFolder.
    MusicPlayer(MidiPlayer& midi, Settings& settings, Transcript& transcript,
                std::filesystem::path dataFolder);

    // Scenes 0..50; any other number is silence.
    void PlayScene(int scene);
    // Called once a second: a song that has ended starts over.
    void KeepMusicLooping();

    bool DeviceOpen() const { return deviceOpen_; }

  private:
    // The player's answer to "what is the device doing": "playing",
    // "stopped", or nothing when no song is open.
    std::string Mode() const;
    void StopAndClose();

    MidiPlayer& midi_;
    Settings& settings_;
    Transcript& transcript_;
    std::filesystem::path dataFolder_;
    bool deviceOpen_ = false;
};

// The main window's one-second timer that keeps the music looping: named
// "tmr", interval 1000, enabled, attached to manager.
void AttachMusicTimer(Timer& timer, WindowManager& manager, MusicPlayer& music);

}  // namespace kv
