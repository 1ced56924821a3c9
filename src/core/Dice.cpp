#include "core/Dice.h"

#include <cmath>

namespace kv {

double UnitRandom(Random& rng) {
    return static_cast<double>(rng.Next() >> 11) * 0x1.0p-53;
}

int32_t Dice(Random& rng, int count, int sides, int constant) {
    int64_t total = constant;
    for (int i = 0; i < count; ++i) {
        total += static_cast<int64_t>(std::floor(UnitRandom(rng) * sides)) + 1;
    }
    // The result is a Long; sums beyond it saturate rather than wrap.
    if (total > INT32_MAX) return INT32_MAX;
    if (total < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(total);
}

}  // namespace kv
