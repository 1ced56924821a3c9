#pragma once
// The real clock: SDL's millisecond ticks, the local wall clock and a seed
// from the high-resolution counter.
#include <memory>

#include "platform/Platform.h"

namespace kv {

std::unique_ptr<Clock> CreateSdlClock();

}  // namespace kv
