#pragma once
// The headless platform: no window, scripted input, a clock moved only by the
// script, silent music, and the real fonts and picture decoder so what it
// draws and saves is what a player would see.
#include <memory>
#include <string>
#include <vector>

#include "platform/KeyScript.h"
#include "platform/Platform.h"
#include "platform/null/FakeClock.h"
#include "platform/null/NullDisplay.h"
#include "platform/null/RecordingMidiPlayer.h"
#include "platform/null/ScriptEventSource.h"

namespace kv {

class NullPlatform : public Platform {
  public:
    NullPlatform(std::vector<ScriptStep> script, std::unique_ptr<FontLibrary> fonts,
                 std::unique_ptr<ImageCodec> images);

    NullDisplay& Screen() override { return display_; }
    ScriptEventSource& Events() override { return events_; }
    FakeClock& Time() override { return clock_; }
    RecordingMidiPlayer& Midi() override { return midi_; }
    FontLibrary& Fonts() override { return *fonts_; }
    ImageCodec& Images() override { return *images_; }

  private:
    NullDisplay display_;
    FakeClock clock_;
    ScriptEventSource events_;
    RecordingMidiPlayer midi_;
    std::unique_ptr<FontLibrary> fonts_;
    std::unique_ptr<ImageCodec> images_;
};

// Nothing (and a message in error) when the fonts cannot be loaded.
std::unique_ptr<NullPlatform> CreateNullPlatform(std::vector<ScriptStep> script,
                                                 std::string& error);

}  // namespace kv
