#pragma once
// The town square's space: points in metres seen through a pinhole at eye
// height, lit by the dusk sky and the square's lamps, painted onto a sketch
// far to near. x runs across the square (0 in the middle), y up from the
// cobbles, z away from the viewer.
#include <array>
#include <functional>
#include <vector>

#include "Paint.h"
#include "TownSquare.h"

namespace kv::gen {

struct Vec3 {
    double X = 0, Y = 0, Z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
inline Vec3 operator*(Vec3 a, double k) {
    return {a.X * k, a.Y * k, a.Z * k};
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
Vec3 Normalised(Vec3 v);

constexpr double TownFocal = 320;   // pixels per metre at one metre away
constexpr double TownCentre = 320;  // column of the vanishing point
constexpr double TownEye = 1.7;

struct TownLamp {
    double X, Z;
};
constexpr std::array<TownLamp, 6> TownLamps{
    {{-8.4, 11}, {8.4, 14}, {-8.4, 21}, {8.4, 25}, {-8.4, 32}, {8.4, 37}}};
constexpr double LanternLow = 3.1;
constexpr double LanternHigh = 3.55;
constexpr Colour LampLight{255, 166, 84};
constexpr Colour TownHaze{104, 68, 104};

PointF Project(Vec3 p);
// The point of the plane Dot(normal, p) = offset seen at picture point (x, y).
Vec3 OnPlane(double x, double y, Vec3 normal, double offset);
// Light reaching a surface at p facing `normal`: sky plus every lamp, the
// lamps' share times `lampGain`.
Colour Illumination(Vec3 p, Vec3 normal, double lampGain = 1.0);
// Distance fades everything toward the dusk haze; `amount` < 1 for lights.
Colour Hazed(Colour c, double z, double amount = 1.0);

// A rectangle in the plane x = at (for walls facing the square).
inline std::vector<Vec3> WallRect(double at, double z0, double z1, double y0, double y1) {
    return {{at, y0, z0}, {at, y0, z1}, {at, y1, z1}, {at, y1, z0}};
}

// A rectangle in the plane z = at (faces turned to the viewer).
inline std::vector<Vec3> EndRect(double at, double x0, double x1, double y0, double y1) {
    return {{x0, y0, at}, {x1, y0, at}, {x1, y1, at}, {x0, y1, at}};
}

using Albedo = std::function<Colour(Vec3)>;

// Paints flat polygons given in metres. One row of houses is built on the
// right and mirrored for the left (SetSide(-1)).
class TownPainter {
  public:
    explicit TownPainter(Sketch& sketch) : sketch_(sketch) {}

    void SetSide(double side) { side_ = side; }
    // A lit surface; skipped when it turns away from the viewer.
    void Face(std::vector<Vec3> corners, Vec3 normal, const Albedo& albedo);
    // A surface giving its own light (lit windows, lanterns).
    void Shine(std::vector<Vec3> corners, Vec3 normal, const Albedo& glow);
    // Records a glow around `at` for the pass after reduction.
    void Light(Vec3 at, double radius, Colour tint);
    const std::vector<TownLight>& Lights() const { return lights_; }

  private:
    Vec3 Placed(Vec3 p) const { return {p.X * side_, p.Y, p.Z}; }
    void Paint(std::vector<Vec3> corners, Vec3 normal, const std::function<Colour(Vec3)>& colour);

    Sketch& sketch_;
    double side_ = 1;
    std::vector<TownLight> lights_;
};

}  // namespace kv::gen
