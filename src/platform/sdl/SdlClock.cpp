#include "platform/sdl/SdlClock.h"

#include <SDL.h>

#include <chrono>
#include <ctime>

namespace kv {
namespace {

// SplitMix64's finaliser: spreads the few changing bits of a time over all 64.
constexpr uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

class SdlClock final : public Clock {
  public:
    int64_t NowMs() const override { return static_cast<int64_t>(SDL_GetTicks64()); }

    double SecondsSinceMidnight() const override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t seconds = system_clock::to_time_t(now);
        std::tm local{};
        if (localtime_r(&seconds, &local) == nullptr) return 0.0;
        const auto fraction = now - system_clock::from_time_t(seconds);
        return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
               duration<double>(fraction).count();
    }

    uint64_t Entropy() const override {
        const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
        const uint64_t counter = SDL_GetPerformanceCounter();
        return Mix(Mix(counter) ^ static_cast<uint64_t>(wall));
    }
};

}  // namespace

std::unique_ptr<Clock> CreateSdlClock() {
    return std::make_unique<SdlClock>();
}

}  // namespace kv
