#pragma once
// Every random decision of the game is a roll of dice: the sum of `count`
// rolls of a die with `sides` faces, plus `constant`.
#include <cstdint>

#include "core/Random.h"

namespace kv {

// Each die is Int(r * sides) + 1 with r uniform in [0, 1) and Int rounding
// down, so a die of 0 or fewer sides shows at most 1 (0 sides: always 1) and
// a count of 0 or less leaves just the constant.
int32_t Dice(Random& rng, int count, int sides, int constant);

// r uniform in [0, 1), 53 bits.
double UnitRandom(Random& rng);

}  // namespace kv
