#include "platform/null/ScriptEventSource.h"

namespace kv {

ScriptEventSource::ScriptEventSource(std::vector<ScriptStep> script, FakeClock& clock)
    : script_(std::move(script)), clock_(clock) {}

bool ScriptEventSource::WaitEvent(InputEvent& event, int64_t deadlineMs) {
    if (!pushed_.empty()) {
        event = pushed_.front();
        pushed_.pop_front();
        return true;
    }
    if (keyUp_) {
        event = *keyUp_;
        keyUp_.reset();
        return true;
    }
    while (next_ < script_.size()) {
        const ScriptStep& step = script_[next_];
        event = InputEvent{};
        switch (step.Kind) {
            case ScriptStep::Type::Key:
                event.Kind = InputEvent::Type::KeyDown;
                event.KeyCode = step.KeyCode;
                event.Shift = step.Shift;
                event.Repeat = step.Repeat;
                // A repeat comes while the key is held: no release of its own.
                if (!step.Repeat) {
                    keyUp_ = event;
                    keyUp_->Kind = InputEvent::Type::KeyUp;
                }
                ++next_;
                return true;
            case ScriptStep::Type::Pad:
                // A button's press and release, as the game's key it stands for.
                event.Kind = InputEvent::Type::KeyDown;
                event.KeyCode = step.KeyCode;
                event.FromPad = true;
                keyUp_ = event;
                keyUp_->Kind = InputEvent::Type::KeyUp;
                ++next_;
                return true;
            case ScriptStep::Type::Text:
                event.Kind = InputEvent::Type::Text;
                event.Text = step.Text;
                ++next_;
                return true;
            case ScriptStep::Type::Click:
                event.Kind = InputEvent::Type::MouseDown;
                event.X = step.X;
                event.Y = step.Y;
                event.Button = 1;
                ++next_;
                return true;
            case ScriptStep::Type::Close:
                event.Kind = InputEvent::Type::CloseAsked;
                ++next_;
                return true;
            case ScriptStep::Type::Shot:
                event.Kind = InputEvent::Type::Screenshot;
                event.Text = step.Text;
                ++next_;
                return true;
            case ScriptStep::Type::Seed:
                // Read by the program before the run starts.
                ++next_;
                break;
            case ScriptStep::Type::Wait: {
                int64_t left = waitLeftMs_.value_or(step.Ms);
                int64_t now = clock_.NowMs();
                if (deadlineMs >= 0 && deadlineMs <= now + left) {
                    // The deadline comes first (or together with the wait's
                    // end, so a timer due then fires before the next step).
                    int64_t used = deadlineMs > now ? deadlineMs - now : 0;
                    clock_.Advance(used);
                    left -= used;
                    if (left > 0) {
                        waitLeftMs_ = left;
                    } else {
                        waitLeftMs_.reset();
                        ++next_;
                    }
                    return false;
                }
                clock_.Advance(left);
                waitLeftMs_.reset();
                ++next_;
                break;
            }
        }
    }
    event = InputEvent{};
    event.Kind = InputEvent::Type::Quit;
    return true;
}

}  // namespace kv
