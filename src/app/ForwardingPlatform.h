#pragma once
// A platform that hands out another platform's parts but its own event
// source: how a recording is slipped between the real input and the game.
#include "platform/Platform.h"

namespace kv {

class ForwardingPlatform : public Platform {
  public:
    ForwardingPlatform(Platform& inner, EventSource& events) : inner_(inner), events_(events) {}
    Display& Screen() override { return inner_.Screen(); }
    EventSource& Events() override { return events_; }
    Clock& Time() override { return inner_.Time(); }
    MidiPlayer& Midi() override { return inner_.Midi(); }
    FontLibrary& Fonts() override { return inner_.Fonts(); }
    ImageCodec& Images() override { return inner_.Images(); }

  private:
    Platform& inner_;
    EventSource& events_;
};

}  // namespace kv
