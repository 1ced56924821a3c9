#include "platform/null/RecordingMidiPlayer.h"

#include <filesystem>
#include <system_error>

namespace kv {

// Like the real player: opening replaces the current song, and only a file
// that is there can be opened.
bool RecordingMidiPlayer::Open(const std::string& path) {
    log_.push_back("open " + path);
    std::error_code error;
    loaded_ = std::filesystem::is_regular_file(path, error);
    playing_ = false;
    return loaded_;
}

void RecordingMidiPlayer::Play() {
    log_.push_back("play");
    playing_ = loaded_;
}

void RecordingMidiPlayer::Stop() {
    log_.push_back("stop");
    playing_ = false;
}

void RecordingMidiPlayer::Close() {
    log_.push_back("close");
    loaded_ = false;
    playing_ = false;
}

}  // namespace kv
