#include "ui/Timer.h"

#include "ui/WindowManager.h"

namespace kv {

Timer::~Timer() {
    Detach();
}

void Timer::Attach(WindowManager& manager) {
    if (manager_ == &manager) return;
    Detach();
    manager_ = &manager;
    manager.Register(*this);
    Restart();
}

void Timer::Detach() {
    if (manager_ == nullptr) return;
    manager_->Unregister(*this);
    manager_ = nullptr;
    dueAt_ = -1;
}

void Timer::SetInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void Timer::Restart() {
    // An interval of 0 disables a timer, as it always has.
    if (manager_ == nullptr || !enabled_ || interval_ <= 0) {
        dueAt_ = -1;
        return;
    }
    dueAt_ = manager_->Now() + interval_;
}

void Timer::Fire(int64_t now) {
    if (running_ || dueAt_ < 0 || now < dueAt_) return;
    // Count the next period from now: a late timer fires once, not in a burst.
    dueAt_ = now + interval_;
    running_ = true;
    if (OnTimer) OnTimer();
    running_ = false;
}

}  // namespace kv
