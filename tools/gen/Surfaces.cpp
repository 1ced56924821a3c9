#include "Surfaces.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace kv::gen {
namespace {

constexpr uint32_t StoneSeed = 0x51A7E;
constexpr uint32_t GrainSeed = 0x6A41;
constexpr uint32_t StainSeed = 0x57A1;
constexpr uint32_t MossSeed = 0x3055;
constexpr uint32_t WoodSeed = 0x7700D;
constexpr uint32_t FloorSeed = 0xF100;

constexpr int Courses = 4;                // stone courses from floor to ceiling
constexpr int StonesPerCourse = 3;        // stones across one face
constexpr double FaceWidthRatio = 1.875;  // a face is this much wider than tall on screen
constexpr double Mortar = 0.022;          // in units of the face height
constexpr double Bevel = 0.05;

// A face of the door: the opening's half-width and where its arch starts.
constexpr double DoorHalf = 0.14;
constexpr double DoorTop = 0.25;
constexpr double Frame = 0.045;

Colour StoneTint(int col, int row, uint32_t seed) {
    const uint32_t h = Hash(col, row, seed);
    const double bright = 0.80 + 0.30 * ((h & 0xFF) / 255.0);
    const double warm = ((h >> 8) & 0xFF) / 255.0 - 0.5;
    return {bright * (1.0 + 0.06 * warm), bright, bright * (1.0 - 0.08 * warm)};
}

// Shared by walls and floors: a block pattern's colour given where in the
// block the point lies (fu, fv in 0..1) and how big the block is on screen.
Colour Block(Colour base, Colour tint, double fu, double fv, double width, double height,
             double grain, double stain) {
    const double left = fu * width, right = (1 - fu) * width;
    const double top = fv * height, bottom = (1 - fv) * height;
    const double edge = std::min({left, right, top, bottom});
    if (edge < Mortar) {
        return Colour{50, 46, 42} * (0.8 + 0.4 * grain);
    }
    Colour c{base.R * tint.R, base.G * tint.G, base.B * tint.B};
    c = c * (0.78 + 0.44 * grain) * (1.0 - 0.35 * stain);
    const double bevel = 1.0 - Clamp01((edge - Mortar) / Bevel);
    if (bevel > 0) {
        double light = 0;
        if (edge == top)
            light = 0.22;
        else if (edge == left)
            light = 0.10;
        else if (edge == right)
            light = -0.16;
        else
            light = -0.28;
        c = c * (1.0 + light * bevel);
    }
    return c;
}

}  // namespace

Colour WallAlbedo(double u, double v) {
    v = Clamp01(v);
    const int row = std::clamp(static_cast<int>(v * Courses), 0, Courses - 1);
    const double fv = v * Courses - row;
    const double offset = (row % 2) * 0.5;
    const double su = u * StonesPerCourse + offset;
    const int col = static_cast<int>(std::floor(su));
    const double fu = su - col;
    const int wrapped = ((col % StonesPerCourse) + StonesPerCourse) % StonesPerCourse;
    const double grain = Fractal(u * 24, v * 14, GrainSeed, 4, 24);
    const double stain = SmoothStep(0.45, 0.8, Fractal(u * 3, v * 2.5, StainSeed, 3, 3));
    Colour c = Block({132, 124, 112}, StoneTint(wrapped, row, StoneSeed), fu, fv,
                     FaceWidthRatio / StonesPerCourse, 1.0 / Courses, grain, stain);
    // Damp and moss creep up from the floor.
    const double moss =
        SmoothStep(0.72, 1.0, v) * SmoothStep(0.5, 0.75, Fractal(u * 8, v * 6, MossSeed, 3, 8));
    return Mix(c, Colour{62, 82, 48} * (0.7 + 0.6 * grain), moss * 0.7);
}

Colour DoorAlbedo(double u, double v) {
    const Colour wall = WallAlbedo(u, v);
    const double du = std::abs(u - 0.5);
    const double archCentre = DoorTop + DoorHalf * FaceWidthRatio;
    // Distance from the door's outline in screen-proportional units (negative inside).
    auto outline = [&](double half) {
        const double top = DoorTop + (DoorHalf - half) * FaceWidthRatio;
        if (v >= archCentre) return (du - half) * FaceWidthRatio;
        const double dx = du * FaceWidthRatio, dy = archCentre - v;
        return std::hypot(dx, dy) - (archCentre - top);
    };
    const double inner = outline(DoorHalf);
    const double outer = outline(DoorHalf + Frame);
    if (outer > 0) return wall;
    if (inner > 0) {
        // Dressed stone frame, lighter and smoother than the wall.
        const double grain = Fractal(u * 30, v * 20, GrainSeed + 7, 3);
        const double shade = inner < 0.012 ? 0.55 : (outer > -0.015 ? 0.8 : 1.05);
        return Colour{150, 142, 128} * (0.85 + 0.25 * grain) * shade;
    }
    // Planks: four boards, grain running up and down.
    const double pu = (u - (0.5 - DoorHalf)) / (2 * DoorHalf);
    const int plank = std::clamp(static_cast<int>(pu * 4), 0, 3);
    const double fp = pu * 4 - plank;
    const double grain = Fractal(u * 60 + plank * 7.3, v * 5, WoodSeed, 4);
    const double streak = 0.5 + 0.5 * std::sin((u * 90 + grain * 6) * 3.14159);
    Colour wood = Colour{112, 70, 38} * (0.75 + 0.3 * grain + 0.1 * streak) *
                  (0.9 + 0.2 * ((Hash(plank, 0, WoodSeed) & 0xFF) / 255.0));
    if (fp < 0.06 || fp > 0.94) wood = wood * 0.45;
    // Iron bands with rivets, and a ring handle.
    for (double band : {0.45, 0.82}) {
        const double dv = std::abs(v - band);
        if (dv < 0.028) {
            Colour iron = Colour{58, 56, 56} * (0.8 + 0.4 * grain);
            if (dv < 0.006) iron = iron * 1.4;
            const double rivet = std::abs(std::fmod(pu * 8 + 0.5, 1.0) - 0.5);
            if (rivet < 0.12 && dv < 0.016) iron = Colour{110, 104, 96};
            wood = iron;
        }
    }
    const double ringU = (u - (0.5 + DoorHalf * 0.6)) * FaceWidthRatio, ringV = v - 0.64;
    const double ring = std::abs(std::hypot(ringU, ringV) - 0.03);
    if (ring < 0.009) wood = Colour{150, 130, 80};
    // Shadow under the arch and down the inner frame edge.
    const double depthShade = SmoothStep(-0.05, 0.0, inner);
    return wood * (1.0 - 0.45 * depthShade);
}

Colour FloorAlbedo(double x, double depth) {
    // Two flagstones a cell each way, every other row shifted by half a stone
    // so no joint runs straight down the corridor.
    const double sd = depth * 2;
    const int row = static_cast<int>(std::floor(sd));
    const double sx = (x + 0.5) * 2 + ((row & 1) != 0 ? 0.5 : 0.0);
    const int col = static_cast<int>(std::floor(sx));
    const double grain = Fractal(x * 14, depth * 14, FloorSeed, 4);
    const double stain = SmoothStep(0.45, 0.8, Fractal(x * 1.5, depth * 1.5, FloorSeed + 1, 3));
    return Block({100, 94, 86}, StoneTint(col, row, FloorSeed), sx - col, sd - row, 0.5, 0.5, grain,
                 stain);
}

Colour CeilingAlbedo(double x, double depth) {
    const double grain = Fractal(x * 10, depth * 10, StoneSeed + 9, 4);
    Colour rock = Colour{86, 80, 72} * (0.6 + 0.6 * grain);
    // Timber beams across every cell edge and along the side edges.
    const double across = std::abs(depth - std::round(depth));
    const double along = std::abs(x + 0.5 - std::round(x + 0.5));
    const double wood = Fractal(x * 40, depth * 3, WoodSeed + 3, 3);
    if (across < 0.09) {
        Colour beam = Colour{96, 62, 34} * (0.7 + 0.4 * wood);
        if (across > 0.07) beam = beam * 0.6;
        return beam;
    }
    if (along < 0.05) {
        Colour beam =
            Colour{86, 56, 32} * (0.7 + 0.4 * Fractal(x * 3, depth * 40, WoodSeed + 4, 3));
        if (along > 0.035) beam = beam * 0.6;
        return beam;
    }
    return rock;
}

Colour Lit(Colour albedo, double depthPlanes) {
    const double light = std::min(1.15, 1.1 * std::exp(-0.52 * depthPlanes));
    const Colour torch{255, 226, 186};
    return albedo * torch * light;
}

}  // namespace kv::gen
