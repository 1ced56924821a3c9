#pragma once
// The square's houses, cobbles and lamps, built as lit boxes in one-point
// perspective. Metres: x across the square (0 in the middle), y up from the
// cobbles, z away from the viewer.
#include <vector>

#include "Paint.h"

namespace kv::gen {

constexpr double TownHorizon = 200;  // picture row of the eye level

// A light source as seen in the picture, for the glow drawn after reduction.
struct TownLight {
    double X = 0, Y = 0, Radius = 0;
    Colour Tint;
};

// Draws the ground, both rows of houses and the lamps over what the sketch
// holds (the sky and the castle), far to near; returns the lights.
std::vector<TownLight> DrawTownSquare(Sketch& sketch);

}  // namespace kv::gen
