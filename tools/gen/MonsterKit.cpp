#include "MonsterKit.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace kv::gen {
namespace {

struct Vec {
    double X, Y, Z;
};

constexpr Vec Light{-0.47, -0.62, 0.63};
constexpr Colour Rim{70, 84, 130};

Colour LitAt(double nx, double ny, Colour base, double gloss) {
    double d2 = nx * nx + ny * ny;
    if (d2 > 0.998) {
        const double k = std::sqrt(0.998 / d2);
        nx *= k;
        ny *= k;
        d2 = 0.998;
    }
    const double nz = std::sqrt(1.0 - d2);
    const double diffuse = std::max(0.0, nx * Light.X + ny * Light.Y + nz * Light.Z);
    // Reflection of the light about the normal, against the eye at +z.
    const double dot = nx * Light.X + ny * Light.Y + nz * Light.Z;
    const double rz = 2 * dot * nz - Light.Z;
    const double shine = gloss > 0 ? gloss * std::pow(std::max(0.0, rz), 24.0) : 0.0;
    const double rim = std::pow(1.0 - nz, 3.0) * 0.5 * SmoothStep(-0.6, 0.6, nx - ny * 0.3);
    return base * (0.2 + 0.9 * diffuse) + Colour{255, 255, 255} * shine + Rim * rim;
}

}  // namespace

Sketch::Shader Volume(double cx, double cy, double rx, double ry, Colour base, double gloss) {
    return [=](double x, double y) { return LitAt((x - cx) / rx, (y - cy) / ry, base, gloss); };
}

Sketch::Shader RoughVolume(double cx, double cy, double rx, double ry, Colour base, uint32_t seed,
                           double scale, double strength) {
    return [=](double x, double y) {
        const double n = Fractal(x / scale, y / scale, seed, 4) - 0.5;
        return LitAt((x - cx) / rx, (y - cy) / ry, base * (1.0 + 2.0 * strength * n), 0.0);
    };
}

std::vector<PointF> Quadratic(PointF a, PointF c, PointF b, int segments) {
    std::vector<PointF> points;
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments, s = 1 - t;
        points.push_back({s * s * a.X + 2 * s * t * c.X + t * t * b.X,
                          s * s * a.Y + 2 * s * t * c.Y + t * t * b.Y});
    }
    return points;
}

std::vector<PointF> Cubic(PointF a, PointF c1, PointF c2, PointF b, int segments) {
    std::vector<PointF> points;
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments, s = 1 - t;
        const double k0 = s * s * s, k1 = 3 * s * s * t, k2 = 3 * s * t * t, k3 = t * t * t;
        points.push_back({k0 * a.X + k1 * c1.X + k2 * c2.X + k3 * b.X,
                          k0 * a.Y + k1 * c1.Y + k2 * c2.Y + k3 * b.Y});
    }
    return points;
}

std::vector<PointF> Ribbon(const std::vector<PointF>& spine, double startWidth, double endWidth) {
    std::vector<PointF> left, right;
    const size_t n = spine.size();
    for (size_t i = 0; i < n; ++i) {
        const PointF prev = spine[i == 0 ? 0 : i - 1];
        const PointF next = spine[i + 1 < n ? i + 1 : n - 1];
        const double dx = next.X - prev.X, dy = next.Y - prev.Y;
        const double length = std::max(1e-9, std::hypot(dx, dy));
        const double t = n > 1 ? static_cast<double>(i) / (n - 1) : 0.0;
        const double half = (startWidth + (endWidth - startWidth) * t) / 2;
        left.push_back({spine[i].X - dy / length * half, spine[i].Y + dx / length * half});
        right.push_back({spine[i].X + dy / length * half, spine[i].Y - dx / length * half});
    }
    std::reverse(right.begin(), right.end());
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

void Limb(Sketch& s, PointF a, PointF b, double widthA, double widthB, Colour base) {
    const double cx = (a.X + b.X) / 2, cy = (a.Y + b.Y) / 2;
    const double r = std::max({widthA, widthB, std::hypot(b.X - a.X, b.Y - a.Y) / 2});
    const auto shader = Volume(cx, cy, r, r, base);
    s.Fill(Ribbon({a, b}, widthA, widthB), shader);
    s.Ellipse(a.X, a.Y, widthA / 2, widthA / 2, shader);
    s.Ellipse(b.X, b.Y, widthB / 2, widthB / 2, shader);
}

void GlowingEye(Sketch& s, double cx, double cy, double r, Colour iris) {
    s.Ellipse(cx, cy, r * 2.2, r * 2.2, [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy) / (r * 2.2);
        return iris * (0.35 * (1 - d) * (1 - d));
    });
    s.Ellipse(cx, cy, r, r, [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy) / r;
        return Mix(Colour{255, 250, 220}, iris, SmoothStep(0.1, 0.9, d));
    });
}

void GroundShadow(Sketch& s, double cx, double cy, double rx, double ry) {
    s.Ellipse(cx, cy, rx, ry, [=](double x, double y) {
        const double d = std::hypot((x - cx) / rx, (y - cy) / ry);
        return Colour{22, 20, 26} * (1.0 - d * d);
    });
}

}  // namespace kv::gen
