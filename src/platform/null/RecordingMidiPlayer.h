#pragma once
// Silent music that writes down what it was told, so tests can check which
// song each scene asked for and when it stopped.
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace kv {

class RecordingMidiPlayer : public MidiPlayer {
  public:
    bool Open(const std::string& path) override;
    void Play() override;
    bool IsPlaying() const override { return playing_; }
    void Stop() override;
    void Close() override;

    // "open <path>", "play", "stop", "close" in call order.
    const std::vector<std::string>& MidiLog() const { return log_; }
    // The song reaches its end by itself.
    void FinishSong() { playing_ = false; }

  private:
    std::vector<std::string> log_;
    bool loaded_ = false;
    bool playing_ = false;
};

}  // namespace kv
