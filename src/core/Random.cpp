#include "core/Random.h"

namespace kv {

namespace {

// splitmix64 spreads any seed, 0 included, over the generator's whole state.
uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

void Random::Seed(uint64_t seed) {
    seed_ = seed;
    uint64_t x = seed;
    for (uint64_t& s : state_) s = SplitMix(x);
}

// xoshiro256**: small, fast, and the same sequence on every machine.
uint64_t Random::Next() {
    const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
}

int Random::Between(int low, int high) {
    if (high <= low) return low;
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
    // Reject the top sliver so every value is equally likely.
    const uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    uint64_t r = Next();
    while (r >= limit) r = Next();
    return static_cast<int>(static_cast<int64_t>(low) + static_cast<int64_t>(r % span));
}

}  // namespace kv
