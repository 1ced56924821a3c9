#pragma once
// The two moons' phase sheets shown in the corners of the maze view: sixteen
// 32 x 32 phases, phase n at (32n, 0) for n <= 8 and at (32(n - 8), 32) for
// n > 8. Phase 0 is the new moon, 8 the full moon.
#include "platform/Image.h"

namespace kv::gen {

constexpr int MoonTile = 32;
constexpr int MoonPhases = 16;

enum class Moon { Luna, Artemis };

// Where phase n sits in its sheet (top-left corner).
int PhaseX(int phase);
int PhaseY(int phase);

Image RenderMoonSheet(Moon moon);  // 288 x 64

}  // namespace kv::gen
