#pragma once
// Painting helpers on top of the canvas: colours with real arithmetic, and a
// supersampled sketch pad whose shapes come out smooth-edged once reduced.
#include <functional>
#include <vector>

#include "platform/Image.h"

namespace kv::gen {

struct Colour {
    double R = 0, G = 0, B = 0;  // 0..255, unclamped while mixing

    Colour operator+(Colour o) const { return {R + o.R, G + o.G, B + o.B}; }
    Colour operator-(Colour o) const { return {R - o.R, G - o.G, B - o.B}; }
    Colour operator*(double k) const { return {R * k, G * k, B * k}; }
    Colour operator*(Colour o) const { return {R * o.R / 255, G * o.G / 255, B * o.B / 255}; }
    uint32_t Pixel() const;  // clamped and rounded
    static Colour Of(uint32_t pixel);
};

Colour Mix(Colour a, Colour b, double t);  // a at t = 0, b at t = 1
double Clamp01(double value);
double SmoothStep(double edge0, double edge1, double x);

struct PointF {
    double X = 0, Y = 0;
};

// Averages factor x factor blocks (the picture must divide evenly; extra
// rows or columns are dropped).
Image Downsample(const Image& big, int factor);

// Calls paint(x, y) for every pixel of `image` whose centre lies inside the
// polygon (even-odd), the canvas's own polygon rule.
void ForEachInside(Image& image, const std::vector<PointF>& points,
                   const std::function<void(int x, int y)>& paint);

// Shapes in picture coordinates drawn at `factor` times the size, reduced by
// Finish(). Shaders get picture coordinates too (fractions of a pixel).
class Sketch {
  public:
    using Shader = std::function<Colour(double x, double y)>;

    Sketch(int width, int height, int factor, Colour background = {});

    void Fill(const std::vector<PointF>& points, Colour colour);
    void Fill(const std::vector<PointF>& points, const Shader& shader);
    // A thick polyline, each segment a quad with round-ish joints.
    void Stroke(const std::vector<PointF>& points, double width, Colour colour);
    void Ellipse(double cx, double cy, double rx, double ry, Colour colour);
    void Ellipse(double cx, double cy, double rx, double ry, const Shader& shader);
    // Every pixel: colour = shader(x, y, old colour).
    void Shade(const std::function<Colour(double x, double y, Colour old)>& shader);

    Image& Big() { return big_; }
    int Factor() const { return factor_; }
    Image Finish() const { return Downsample(big_, factor_); }

  private:
    std::vector<PointF> Scaled(const std::vector<PointF>& points) const;

    Image big_;
    int factor_;
};

// Points of an ellipse outline (for shapes that continue as polygons).
std::vector<PointF> EllipsePoints(double cx, double cy, double rx, double ry, int segments = 48,
                                  double fromAngle = 0.0, double toAngle = 6.283185307179586);

// The outline turned by `radians` about (cx, cy) and moved by (dx, dy).
std::vector<PointF> Turned(std::vector<PointF> points, double cx, double cy, double radians,
                           double dx = 0, double dy = 0);

// Mirror image about the vertical line x = axis.
std::vector<PointF> Mirrored(std::vector<PointF> points, double axis);

}  // namespace kv::gen
