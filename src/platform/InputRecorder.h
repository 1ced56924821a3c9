#pragma once
// --record: passes input through unchanged and writes it down as a key
// script, with the time between steps as waits, so replaying the script
// headless gives the same keys at the same moments (timers included).
#include <cstdint>
#include <ostream>

#include "platform/Platform.h"

namespace kv {

class RecordingEventSource : public EventSource {
  public:
    // Writes the script's header (a comment and seed:N) at once.
    RecordingEventSource(EventSource& inner, const Clock& clock, std::ostream& out, uint64_t seed);

    bool WaitEvent(InputEvent& event, int64_t deadlineMs) override;

  private:
    void Record(const std::string& token);

    EventSource& inner_;
    const Clock& clock_;
    std::ostream& out_;
    int64_t lastMs_;
};

}  // namespace kv
