#include "platform/sdl/SdlPlatform.h"

#include <iostream>
#include <utility>

#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlImages.h"
#include "platform/sdl/SdlInit.h"
#include "platform/sdl/SdlMidi.h"
#include "platform/sdl/SdlWindow.h"

namespace kv {
namespace {

class SdlPlatform final : public Platform {
  public:
    static std::unique_ptr<Platform> Create(std::string& error, MusicSettings music) {
        std::unique_ptr<SdlPlatform> platform(new SdlPlatform());
        platform->fonts_ = CreateSdlFontLibrary(error);
        if (platform->fonts_ == nullptr) return nullptr;
        platform->video_ = SdlLease::Acquire(SdlPart::Video, error);
        if (!platform->video_.Held()) return nullptr;
        platform->display_ = SdlDisplay::Create(error);
        if (platform->display_ == nullptr) return nullptr;
        platform->images_ = CreateSdlImageCodec();
        platform->clock_ = CreateSdlClock();
        platform->midi_ = CreateSdlMidiPlayer(std::move(music));
        platform->events_ =
            std::make_unique<SdlEventSource>(*platform->display_, *platform->clock_, std::cerr);
        return platform;
    }

    Display& Screen() override { return *display_; }
    EventSource& Events() override { return *events_; }
    Clock& Time() override { return *clock_; }
    MidiPlayer& Midi() override { return *midi_; }
    FontLibrary& Fonts() override { return *fonts_; }
    ImageCodec& Images() override { return *images_; }

  private:
    SdlPlatform() = default;

    // Destroyed bottom up: the window goes before the video part stops.
    SdlLease video_;
    std::unique_ptr<FontLibrary> fonts_;
    std::unique_ptr<ImageCodec> images_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<MidiPlayer> midi_;
    std::unique_ptr<SdlDisplay> display_;
    std::unique_ptr<SdlEventSource> events_;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(std::string& error, MusicSettings music) {
    return SdlPlatform::Create(error, std::move(music));
}

}  // namespace kv
