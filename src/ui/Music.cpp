#include "ui/Music.h"

#include <utility>

#include "core/DataFileLookup.h"
#include "ui/Timer.h"
#include "ui/WindowManager.h"

namespace kv {

MusicPlayer::MusicPlayer(MidiPlayer& midi, Settings& settings, Transcript& transcript,
                         std::filesystem::path dataFolder)
    : midi_(midi),
      settings_(settings),
      transcript_(transcript),
      dataFolder_(std::move(dataFolder)) {}

void MusicPlayer::StopAndClose() {
    midi_.Stop();
    midi_.Close();
    deviceOpen_ = false;
}

void MusicPlayer::PlayScene(int scene) {
    const std::string file =
        (scene >= 0 && scene < SceneMusicSize) ? settings_.SceneMusic[scene] : std::string();
    // A different song is stopped and closed at once; then, whatever was
    // playing, the device is reset and the song opened afresh, so asking
    // again for the scene that is playing starts it over.
    if (file != settings_.CurrentMusic) StopAndClose();
    settings_.CurrentMusic = file;
    transcript_.Music(scene, settings_.CurrentMusic);
    StopAndClose();
    if (settings_.CurrentMusic.empty()) return;
    const std::filesystem::path found = ResolveDataFile(settings_.CurrentMusic, dataFolder_);
    deviceOpen_ = midi_.Open(found.empty() ? settings_.CurrentMusic : found.string());
    midi_.Play();
}

std::string MusicPlayer::Mode() const {
    if (!deviceOpen_) return {};
    return midi_.IsPlaying() ? "playing" : "stopped";
}

void MusicPlayer::KeepMusicLooping() {
    if (Mode().starts_with("stopped")) midi_.Play();
}

void AttachMusicTimer(Timer& timer, WindowManager& manager, MusicPlayer& music) {
    timer.Name = "tmr";
    timer.OnTimer = [&music] { music.KeepMusicLooping(); };
    timer.SetInterval(1000);
    timer.SetEnabled(true);
    timer.Attach(manager);
}

}  // namespace kv
