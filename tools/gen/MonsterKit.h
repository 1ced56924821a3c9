#pragma once
// Shapes and shading shared by the monster pictures: lit volumes, tapered
// limbs along curves, glowing eyes and ground shadows, all on black.
#include <vector>

#include "Paint.h"

namespace kv::gen {

// Shades a shape as if it bulged toward the viewer like the ellipse
// (cx, cy, rx, ry), lit from the upper left with a cool rim light behind.
Sketch::Shader Volume(double cx, double cy, double rx, double ry, Colour base, double gloss = 0.0);

// The same with a grain of noise over the base colour (fur, stone, skin).
Sketch::Shader RoughVolume(double cx, double cy, double rx, double ry, Colour base, uint32_t seed,
                           double scale, double strength);

std::vector<PointF> Quadratic(PointF a, PointF control, PointF b, int segments = 24);
std::vector<PointF> Cubic(PointF a, PointF c1, PointF c2, PointF b, int segments = 32);

// A closed outline around a spine, its width going from `startWidth` to `endWidth`.
std::vector<PointF> Ribbon(const std::vector<PointF>& spine, double startWidth, double endWidth);

// A shaded limb from a to b with rounded ends.
void Limb(Sketch& s, PointF a, PointF b, double widthA, double widthB, Colour base);

void GlowingEye(Sketch& s, double cx, double cy, double r, Colour iris);
void GroundShadow(Sketch& s, double cx, double cy, double rx, double ry);

}  // namespace kv::gen
