#include "platform/null/FakeClock.h"

#include <chrono>
#include <cmath>
#include <random>

namespace kv {

namespace {
constexpr double Noon = 43200.0;
constexpr double SecondsPerDay = 86400.0;
}  // namespace

double FakeClock::SecondsSinceMidnight() const {
    // Past midnight the day starts again, as a real clock would.
    return std::fmod(Noon + static_cast<double>(nowMs_) / 1000.0, SecondsPerDay);
}

// Only the seed needs real randomness; a run given --seed never calls this.
uint64_t FakeClock::Entropy() const {
    std::random_device device;
    uint64_t bits = (static_cast<uint64_t>(device()) << 32) ^ device();
    auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return bits ^ static_cast<uint64_t>(ticks);
}

void FakeClock::Advance(int64_t ms) {
    if (ms > 0) nowMs_ += ms;
}

}  // namespace kv
