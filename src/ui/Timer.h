#pragma once
// A timer fires on the one thread from the window manager's loop, also while a
// modal window is up. Enabling it or changing its interval restarts the count;
// it never fires again while its own handler is still running.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace kv {

class WindowManager;

class Timer {
  public:
    Timer() = default;
    explicit Timer(std::string name) : Name(std::move(name)) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    std::string Name;
    std::function<void()> OnTimer;

    void Attach(WindowManager& manager);  // starts counting if enabled
    void Detach();
    void SetInterval(int ms);
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    int64_t DueAt() const { return dueAt_; }  // -1 when it will not fire

  private:
    friend class WindowManager;
    void Restart();
    void Fire(int64_t now);

    WindowManager* manager_ = nullptr;
    int interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
    int64_t dueAt_ = -1;
};

}  // namespace kv
