#pragma once
// The headless voice: each text that would be spoken becomes a transcript
// line {"t":"speak","text":"..."}, so tests can listen.
#include "core/Transcript.h"
#include "platform/Speaker.h"

namespace kv {

class NullSpeaker : public Speaker {
  public:
    explicit NullSpeaker(Transcript& transcript) : transcript_(transcript) {}
    void Speak(std::string_view text, bool interrupt) override;

  private:
    Transcript& transcript_;
};

}  // namespace kv
