#include "Moons.h"

#include <cmath>

#include "Noise.h"
#include "Paint.h"

namespace kv::gen {
namespace {

constexpr int Samples = 4;
constexpr double Pi = 3.14159265358979;

struct MoonLook {
    Colour Bright;  // lit highlands
    Colour Maria;   // lit dark plains
    Colour Night;   // the unlit side, faintly visible
    double Radius;
    uint32_t Seed;
};

constexpr MoonLook LunaLook{{236, 232, 214}, {150, 148, 140}, {22, 26, 38}, 13.0, 0x10AA};
constexpr MoonLook ArtemisLook{{240, 196, 170}, {170, 112, 100}, {34, 18, 22}, 11.5, 0xA27E};

// The moon's surface colour at a point of the unit disc (x right, y down).
Colour Surface(const MoonLook& look, double x, double y) {
    const double maria = SmoothStep(0.48, 0.62, Fractal(x * 2.2 + 5, y * 2.2 + 3, look.Seed, 4));
    Colour c = Mix(look.Bright, look.Maria, maria * 0.8);
    // A few craters: dark floors with a bright rim toward the light.
    static constexpr double Craters[][3] = {
        {-0.35, -0.30, 0.16}, {0.30, 0.40, 0.12}, {0.42, -0.22, 0.09}, {-0.10, 0.55, 0.08}};
    for (const auto& crater : Craters) {
        const double d = std::hypot(x - crater[0], y - crater[1]) / crater[2];
        if (d < 0.8)
            c = c * 0.82;
        else if (d < 1.0)
            c = c * 1.1;
    }
    return c * (0.9 + 0.2 * Fractal(x * 9, y * 9, look.Seed + 1, 2));
}

Colour PhasePixel(const MoonLook& look, int phase, double px, double py) {
    const double x = (px - MoonTile / 2.0) / look.Radius;
    const double y = (py - MoonTile / 2.0) / look.Radius;
    const double r2 = x * x + y * y;
    if (r2 >= 1.0) return {};
    const double z = std::sqrt(1.0 - r2);
    // The sun's direction as seen from here: behind the moon at phase 0,
    // to the right at 4 (waxing), behind us at 8, to the left at 12.
    const double angle = 2.0 * Pi * phase / MoonPhases;
    const double lit = x * std::sin(angle) - z * std::cos(angle);
    const double day = SmoothStep(-0.06, 0.06, lit);
    const Colour surface = Surface(look, x, y) * (0.72 + 0.28 * z);
    const Colour night = look.Night * (0.6 + 0.4 * z);
    return Mix(night, surface, day);
}

}  // namespace

int PhaseX(int phase) {
    return phase <= 8 ? MoonTile * phase : MoonTile * (phase - 8);
}
int PhaseY(int phase) {
    return phase <= 8 ? 0 : MoonTile;
}

Image RenderMoonSheet(Moon moon) {
    const MoonLook& look = moon == Moon::Luna ? LunaLook : ArtemisLook;
    Image sheet(MoonTile * 9, MoonTile * 2, 0x000000);
    for (int phase = 0; phase < MoonPhases; ++phase) {
        const int ox = PhaseX(phase), oy = PhaseY(phase);
        for (int y = 0; y < MoonTile; ++y) {
            for (int x = 0; x < MoonTile; ++x) {
                Colour sum;
                for (int sy = 0; sy < Samples; ++sy) {
                    for (int sx = 0; sx < Samples; ++sx) {
                        sum = sum + PhasePixel(look, phase, x + (sx + 0.5) / Samples,
                                               y + (sy + 0.5) / Samples);
                    }
                }
                sheet.At(ox + x, oy + y) = (sum * (1.0 / (Samples * Samples))).Pixel();
            }
        }
    }
    return sheet;
}

}  // namespace kv::gen
