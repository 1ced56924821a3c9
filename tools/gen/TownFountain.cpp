#include "TownFountain.h"

#include <cmath>

#include "TownMaterials.h"

namespace kv::gen {
namespace {

constexpr uint32_t StoneSeed = 0xF0A7;

// Every part is a many-sided prism. Faces turned away from the viewer are
// skipped, so the sides of one prism may be drawn in any order.
std::vector<Vec3> Ring(Vec3 centre, double radius, int sides) {
    std::vector<Vec3> ring;
    for (int i = 0; i < sides; ++i) {
        const double a = 6.283185307179586 * i / sides;
        ring.push_back(
            {centre.X + radius * std::cos(a), centre.Y, centre.Z + radius * std::sin(a)});
    }
    return ring;
}

void PrismSides(TownPainter& paint, Vec3 centre, double radius, double height, const Albedo& albedo,
                int sides) {
    const std::vector<Vec3> ring = Ring(centre, radius, sides);
    const Vec3 up{0, height, 0};
    for (int i = 0; i < sides; ++i) {
        const Vec3 a = ring[i], b = ring[(i + 1) % sides];
        const Vec3 out = Normalised({(a.X + b.X) / 2 - centre.X, 0, (a.Z + b.Z) / 2 - centre.Z});
        paint.Face({a, b, b + up, a + up}, out, albedo);
    }
}

void Prism(TownPainter& paint, Vec3 centre, double radius, double height, const Albedo& albedo,
           int sides) {
    PrismSides(paint, centre, radius, height, albedo, sides);
    paint.Face(Ring(centre + Vec3{0, height, 0}, radius, sides), {0, 1, 0}, albedo);
}

}  // namespace

void DrawFountain(TownPainter& paint, double z) {
    const Albedo stone = Stonework(Colour{186, 176, 184}, StoneSeed);
    const Vec3 at{0, 0, z};
    constexpr double basin = 2.5, rim = 0.6, bowl = 1.25;
    paint.Face(Ring(at + Vec3{0, rim, 0}, basin, 32), {0, 1, 0}, stone);
    // Water, dark and catching the afterglow beyond.
    const Albedo water = [z](Vec3 p) {
        return Mix(Colour{34, 26, 58}, Colour{170, 100, 112}, SmoothStep(-1.5, 2.5, p.Z - z));
    };
    paint.Shine(Ring(at + Vec3{0, rim + 0.01, 0}, basin - 0.25, 32), {0, 1, 0}, water);
    Prism(paint, at + Vec3{0, rim, 0}, 0.45, bowl - rim, stone, 12);
    PrismSides(paint, at + Vec3{0, bowl, 0}, 1.1, 0.22, stone, 24);
    paint.Face(Ring(at + Vec3{0, bowl + 0.22, 0}, 1.1, 24), {0, 1, 0}, stone);
    paint.Shine(Ring(at + Vec3{0, bowl + 0.23, 0}, 0.95, 24), {0, 1, 0}, water);
    Prism(paint, at + Vec3{0, bowl, 0}, 0.2, 1.0, stone, 10);
    Prism(paint, at + Vec3{0, bowl + 1.0, 0}, 0.34, 0.2, stone, 12);
    PrismSides(paint, at, basin, rim, stone, 32);
}

}  // namespace kv::gen
