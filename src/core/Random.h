#pragma once
// The one random generator of a run. Seeded once; every roll of the game goes
// through it, so a seed and a key script replay a session exactly.
#include <cstdint>

namespace kv {

class Random {
  public:
    explicit Random(uint64_t seed = 0) { Seed(seed); }
    void Seed(uint64_t seed);
    uint64_t SeedValue() const { return seed_; }
    uint64_t Next();                 // 64 uniform bits
    int Between(int low, int high);  // uniform whole number low..high (inclusive)

  private:
    uint64_t seed_ = 0;
    uint64_t state_[4] = {};
};

}  // namespace kv
