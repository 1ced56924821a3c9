#include "TownMaterials.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace kv::gen {
namespace {

constexpr uint32_t CobbleSeed = 0xC0BB1E;

// Along-the-wall coordinate: walls lie in planes of constant x or z, so the
// sum runs along either kind.
double Along(Vec3 p) {
    return p.X + p.Z;
}

}  // namespace

Albedo Plain(Colour tint) {
    return [tint](Vec3) { return tint; };
}

Albedo Plaster(Colour tint, uint32_t seed) {
    return [tint, seed](Vec3 p) {
        return tint * (0.8 + 0.32 * Fractal(Along(p) * 1.2, p.Y * 1.2, seed, 3));
    };
}

Albedo Stonework(Colour tint, uint32_t seed) {
    return [tint, seed](Vec3 p) {
        const double rowAt = p.Y / 0.42;
        const int row = static_cast<int>(std::floor(rowAt));
        const double colAt = Along(p) / 0.78 + (row & 1) * 0.5;
        const int col = static_cast<int>(std::floor(colAt));
        const double fy = rowAt - row, fx = colAt - col;
        const double edge = std::min(std::min(fx, 1 - fx) * 0.78, std::min(fy, 1 - fy) * 0.42);
        const double block = 0.75 + 0.32 * Lattice(col, row, seed);
        return tint * (block * (0.45 + 0.55 * SmoothStep(0.0, 0.045, edge)));
    };
}

Albedo Roofing(Colour tint, uint32_t seed) {
    return [tint, seed](Vec3 p) {
        // Courses of slates or tiles, each lapping the one below.
        const double rowAt = p.Y / 0.32;
        const int row = static_cast<int>(std::floor(rowAt));
        const int col = static_cast<int>(std::floor(Along(p) / 0.45 + (row & 1) * 0.5));
        const double shade = 0.72 + 0.36 * Lattice(col, row, seed);
        return tint * (shade * (0.5 + 0.5 * SmoothStep(0.0, 0.35, rowAt - row)));
    };
}

Albedo Wood(Colour tint, uint32_t seed) {
    return [tint, seed](Vec3 p) {
        return tint * (0.8 + 0.3 * ValueNoise(Along(p) * 9.0, p.Y * 0.8, seed));
    };
}

Albedo Interior(Colour tint, double sill, double head) {
    return [tint, sill, head](Vec3 p) {
        return tint * (1.0 - 0.35 * Clamp01((p.Y - sill) / (head - sill)));
    };
}

Albedo Cobbles() {
    return [](Vec3 p) {
        const double flat = 0.8;
        // Stones shrink below a pixel with distance; fade them to their mean.
        const double detail = 1.0 - SmoothStep(7.0, 16.0, p.Z);
        const double rowAt = p.Z / 0.34;
        const int row = static_cast<int>(std::floor(rowAt));
        const double colAt = p.X / 0.44 + (row & 1) * 0.5;
        const int col = static_cast<int>(std::floor(colAt));
        const double fy = rowAt - row, fx = colAt - col;
        const double edge = std::min(std::min(fx, 1 - fx) * 0.44, std::min(fy, 1 - fy) * 0.34);
        const double stone =
            (0.7 + 0.4 * Lattice(col, row, CobbleSeed)) * (0.4 + 0.6 * SmoothStep(0.0, 0.06, edge));
        return Colour{96, 88, 110} * (flat + (stone - flat) * detail);
    };
}

Colour Reflections(double x, double y, Vec3 p) {
    Colour sum;
    for (const TownLamp& lamp : TownLamps) {
        const PointF image = Project({lamp.X, -(LanternLow + LanternHigh) / 2, lamp.Z});
        const double w = TownFocal * 0.22 / lamp.Z, h = TownFocal * 1.6 / lamp.Z;
        const double dx = (x - image.X) / w, dy = (y - image.Y) / h;
        const double sparkle = 0.5 + Lattice(static_cast<int>(std::floor(p.X / 0.2)),
                                             static_cast<int>(std::floor(p.Z / 0.15)), CobbleSeed);
        sum = sum + LampLight * (0.5 * sparkle * std::exp(-dx * dx - dy * dy));
    }
    return sum;
}

}  // namespace kv::gen
