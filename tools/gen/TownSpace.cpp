#include "TownSpace.h"

#include <algorithm>
#include <cmath>

namespace kv::gen {
namespace {

constexpr Vec3 EyePoint{0, TownEye, 0};
constexpr Colour SkyLight{58, 50, 94};
constexpr double LanternY = (LanternLow + LanternHigh) / 2;

}  // namespace

Vec3 Normalised(Vec3 v) {
    const double length = std::sqrt(Dot(v, v));
    return length > 0 ? v * (1.0 / length) : v;
}

PointF Project(Vec3 p) {
    const double z = std::max(p.Z, 0.05);
    return {TownCentre + TownFocal * p.X / z, TownHorizon - TownFocal * (p.Y - TownEye) / z};
}

Vec3 OnPlane(double x, double y, Vec3 normal, double offset) {
    // The ray's z step is one, so the distance along it is the depth.
    const Vec3 ray{(x - TownCentre) / TownFocal, (TownHorizon - y) / TownFocal, 1.0};
    const double along = Dot(normal, ray);
    double z = std::abs(along) < 1e-9 ? 500.0 : (offset - Dot(normal, EyePoint)) / along;
    z = std::clamp(z, 0.5, 500.0);
    return EyePoint + ray * z;
}

Colour Illumination(Vec3 p, Vec3 normal, double lampGain) {
    Colour light = SkyLight * (0.55 + 0.45 * normal.Y);
    for (const TownLamp& lamp : TownLamps) {
        const Vec3 to = Vec3{lamp.X, LanternY, lamp.Z} - p;
        const double d2 = Dot(to, to);
        const double facing = Dot(normal, to) / std::sqrt(std::max(d2, 1e-6));
        if (facing > 0) light = light + LampLight * (lampGain * facing * 1.3 / (1.0 + d2 / 2.5));
    }
    return light;
}

Colour Hazed(Colour c, double z, double amount) {
    return Mix(c, TownHaze, amount * (1.0 - std::exp(-z / 70.0)));
}

void TownPainter::Paint(std::vector<Vec3> corners, Vec3 normal,
                        const std::function<Colour(Vec3)>& colour) {
    if (corners.size() < 3) return;
    for (Vec3& c : corners) c = Placed(c);
    normal = Placed(normal);
    if (Dot(normal, EyePoint - corners[0]) <= 0) return;
    std::vector<PointF> points;
    points.reserve(corners.size());
    for (const Vec3& c : corners) points.push_back(Project(c));
    const double offset = Dot(normal, corners[0]);
    sketch_.Fill(points, [&](double x, double y) { return colour(OnPlane(x, y, normal, offset)); });
}

void TownPainter::Face(std::vector<Vec3> corners, Vec3 normal, const Albedo& albedo) {
    const Vec3 placedNormal = Placed(normal);
    Paint(std::move(corners), normal,
          [&](Vec3 p) { return Hazed(albedo(p) * Illumination(p, placedNormal), p.Z); });
}

void TownPainter::Shine(std::vector<Vec3> corners, Vec3 normal, const Albedo& glow) {
    Paint(std::move(corners), normal, [&](Vec3 p) { return Hazed(glow(p), p.Z, 0.5); });
}

void TownPainter::Light(Vec3 at, double radius, Colour tint) {
    const Vec3 placed = Placed(at);
    const PointF centre = Project(placed);
    // Far lights are small and dimmed by the haze; many overlap there.
    lights_.push_back(
        {centre.X, centre.Y, TownFocal * radius / placed.Z, tint * std::exp(-placed.Z / 50.0)});
}

}  // namespace kv::gen
