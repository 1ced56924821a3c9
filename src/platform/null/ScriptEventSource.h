#pragma once
// Input from a key script. Each key gives a key-down and its key-up (a held
// key's repeat gives the key-down alone, marked as a repeat); waits move the
// fake clock, stopping at the caller's deadline so timers fire at the right
// moments inside a long wait. After the last step every request gets Quit,
// which ends the run wherever it stands.
#include <deque>
#include <optional>
#include <vector>

#include "platform/KeyScript.h"
#include "platform/Platform.h"
#include "platform/null/FakeClock.h"

namespace kv {

class ScriptEventSource : public EventSource {
  public:
    ScriptEventSource(std::vector<ScriptStep> script, FakeClock& clock);

    bool WaitEvent(InputEvent& event, int64_t deadlineMs) override;

    // Queues an event ahead of whatever the script still holds.
    void Push(const InputEvent& event) { pushed_.push_back(event); }
    // Steps not yet fully delivered (a wait cut short by a deadline counts).
    size_t StepsLeft() const { return script_.size() - next_; }

  private:
    std::vector<ScriptStep> script_;
    FakeClock& clock_;
    size_t next_ = 0;
    std::optional<int64_t> waitLeftMs_;  // set while the current wait is part done
    std::optional<InputEvent> keyUp_;    // the release of the key just pressed
    std::deque<InputEvent> pushed_;
};

}  // namespace kv
