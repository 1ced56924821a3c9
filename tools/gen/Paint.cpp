#include "Paint.h"

#include <algorithm>
#include <cmath>

#include "ui/Canvas.h"

namespace kv::gen {

uint32_t Colour::Pixel() const {
    auto channel = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
    };
    return Rgb(channel(R), channel(G), channel(B));
}

Colour Colour::Of(uint32_t pixel) {
    return {static_cast<double>((pixel >> 16) & 255), static_cast<double>((pixel >> 8) & 255),
            static_cast<double>(pixel & 255)};
}

Colour Mix(Colour a, Colour b, double t) {
    return a + (b - a) * t;
}

double Clamp01(double value) {
    return std::clamp(value, 0.0, 1.0);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Image Downsample(const Image& big, int factor) {
    factor = std::max(1, factor);
    Image small(big.Width / factor, big.Height / factor);
    const int area = factor * factor;
    for (int y = 0; y < small.Height; ++y) {
        for (int x = 0; x < small.Width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const uint32_t p = big.At(x * factor + sx, y * factor + sy);
                    r += (p >> 16) & 255;
                    g += (p >> 8) & 255;
                    b += p & 255;
                }
            }
            small.At(x, y) =
                Rgb((r + area / 2) / area, (g + area / 2) / area, (b + area / 2) / area);
        }
    }
    return small;
}

void ForEachInside(Image& image, const std::vector<PointF>& points,
                   const std::function<void(int x, int y)>& paint) {
    if (points.size() < 3 || image.Empty()) return;
    double minX = points[0].X, maxX = points[0].X, minY = points[0].Y, maxY = points[0].Y;
    for (const PointF& p : points) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int x1 = std::min(image.Width, static_cast<int>(std::ceil(maxX)) + 1);
    const int y1 = std::min(image.Height, static_cast<int>(std::ceil(maxY)) + 1);
    if (x0 >= x1 || y0 >= y1) return;
    // The canvas decides coverage on a scratch mask the size of the bounds.
    Image mask(x1 - x0, y1 - y0, 0);
    std::vector<Point> local;
    local.reserve(points.size());
    for (const PointF& p : points) {
        local.push_back(Point{static_cast<int>(std::lround(p.X)) - x0,
                              static_cast<int>(std::lround(p.Y)) - y0});
    }
    Canvas(mask).FillPolygon(local, 0xFFFFFF);
    for (int y = 0; y < mask.Height; ++y) {
        for (int x = 0; x < mask.Width; ++x) {
            if (mask.At(x, y) != 0) paint(x + x0, y + y0);
        }
    }
}

Sketch::Sketch(int width, int height, int factor, Colour background)
    : big_(width * std::max(1, factor), height * std::max(1, factor), background.Pixel()),
      factor_(std::max(1, factor)) {}

std::vector<PointF> Sketch::Scaled(const std::vector<PointF>& points) const {
    std::vector<PointF> out;
    out.reserve(points.size());
    for (const PointF& p : points) out.push_back({p.X * factor_, p.Y * factor_});
    return out;
}

void Sketch::Fill(const std::vector<PointF>& points, Colour colour) {
    const uint32_t pixel = colour.Pixel();
    ForEachInside(big_, Scaled(points), [&](int x, int y) { big_.At(x, y) = pixel; });
}

void Sketch::Fill(const std::vector<PointF>& points, const Shader& shader) {
    const double k = 1.0 / factor_;
    ForEachInside(big_, Scaled(points), [&](int x, int y) {
        big_.At(x, y) = shader((x + 0.5) * k, (y + 0.5) * k).Pixel();
    });
}

void Sketch::Stroke(const std::vector<PointF>& points, double width, Colour colour) {
    const double half = width / 2;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const PointF a = points[i];
        const PointF b = points[i + 1];
        const double dx = b.X - a.X, dy = b.Y - a.Y;
        const double length = std::hypot(dx, dy);
        if (length <= 0) continue;
        const double nx = -dy / length * half, ny = dx / length * half;
        Fill({{a.X + nx, a.Y + ny},
              {b.X + nx, b.Y + ny},
              {b.X - nx, b.Y - ny},
              {a.X - nx, a.Y - ny}},
             colour);
        Ellipse(b.X, b.Y, half, half, colour);
    }
    if (!points.empty()) Ellipse(points[0].X, points[0].Y, half, half, colour);
}

void Sketch::Ellipse(double cx, double cy, double rx, double ry, Colour colour) {
    Fill(EllipsePoints(cx, cy, rx, ry, 64), colour);
}

void Sketch::Ellipse(double cx, double cy, double rx, double ry, const Shader& shader) {
    Fill(EllipsePoints(cx, cy, rx, ry, 64), shader);
}

void Sketch::Shade(const std::function<Colour(double x, double y, Colour old)>& shader) {
    const double k = 1.0 / factor_;
    for (int y = 0; y < big_.Height; ++y) {
        for (int x = 0; x < big_.Width; ++x) {
            big_.At(x, y) = shader((x + 0.5) * k, (y + 0.5) * k, Colour::Of(big_.At(x, y))).Pixel();
        }
    }
}

std::vector<PointF> EllipsePoints(double cx, double cy, double rx, double ry, int segments,
                                  double fromAngle, double toAngle) {
    std::vector<PointF> points;
    segments = std::max(3, segments);
    const bool closed = std::abs(toAngle - fromAngle) >= 6.283185307179586 - 1e-9;
    const int count = closed ? segments : segments + 1;
    for (int i = 0; i < count; ++i) {
        const double a = fromAngle + (toAngle - fromAngle) * i / segments;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<PointF> Turned(std::vector<PointF> points, double cx, double cy, double radians,
                           double dx, double dy) {
    const double c = std::cos(radians), s = std::sin(radians);
    for (PointF& p : points) {
        const double x = p.X - cx, y = p.Y - cy;
        p = {cx + x * c - y * s + dx, cy + x * s + y * c + dy};
    }
    return points;
}

std::vector<PointF> Mirrored(std::vector<PointF> points, double axis) {
    for (PointF& p : points) p.X = 2 * axis - p.X;
    return points;
}

}  // namespace kv::gen
