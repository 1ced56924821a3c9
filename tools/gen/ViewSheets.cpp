#include "ViewSheets.h"

#include <algorithm>
#include <cmath>

#include "Surfaces.h"

namespace kv::gen {
namespace {

constexpr int kSamples = 4;  // per pixel each way
constexpr double kSideShade = 0.82;
constexpr double kCentreX = kViewWidth / 2.0;
constexpr double kCentreY = kViewHeight / 2.0;
constexpr int kBackgroundWidth = 640;
constexpr int kBackgroundHeight = 300;

FaceKind KindOf(int bit) {
    return bit == 1 ? FaceKind::Front : (bit == 8 ? FaceKind::Left : FaceKind::Right);
}

// Face coordinates and depth of a point of a sprite. The near plane of a
// layer's side walls (and its front walls' plane) is plane 4 - layer; every
// plane is half the size of the one before it.
struct FacePoint {
    double U, V, Depth;
};

FacePoint Map(const SheetSprite& sprite, int layer, double x, double y) {
    const double w = sprite.W, h = sprite.H;
    const double plane = 4 - layer;
    if (sprite.Kind == FaceKind::Front) return {x / w, y / h, plane};
    // t runs from the near edge (0) to the far edge (1).
    const double t = Clamp01(sprite.Kind == FaceKind::Left ? x / w : 1.0 - x / w);
    const double half = h / 2 * (1.0 - t / 2);   // half-height of the face here
    const double u = 1.0 / (1.0 - t / 2) - 1.0;  // depth across the cell, 0..1
    const double v = (y - (h / 2 - half)) / (2 * half);
    return {u, v, plane + std::log2(1.0 + u)};
}

// The face's light as the eye meets it: the middle of the wall is lit most.
Colour Shaded(Colour albedo, const FacePoint& p, FaceKind kind) {
    const double height = 0.82 + 0.18 * std::sin(Clamp01(p.V) * 3.14159265);
    const double face = kind == FaceKind::Front ? 1.0 : kSideShade;
    return Lit(albedo, p.Depth) * (height * face);
}

void PaintSprite(Image& sheet, const SheetSprite& sprite, int layer, bool doors) {
    const int h = sprite.H;
    std::vector<PointF> outline = SpriteOutline(sprite);
    for (PointF& p : outline) p.X += sprite.Sx;
    ForEachInside(sheet, outline, [&](int x, int y) {
        if (y >= h) return;  // never past the sprite half
        Colour sum;
        for (int sy = 0; sy < kSamples; ++sy) {
            for (int sx = 0; sx < kSamples; ++sx) {
                const double px = x - sprite.Sx + (sx + 0.5) / kSamples;
                const double py = y + (sy + 0.5) / kSamples;
                FacePoint p = Map(sprite, layer, px, py);
                p.U = std::clamp(p.U, 0.0, 0.9999);
                p.V = Clamp01(p.V);
                sum = sum +
                      Shaded(doors ? DoorAlbedo(p.U, p.V) : WallAlbedo(p.U, p.V), p, sprite.Kind);
            }
        }
        Colour c = sum * (1.0 / (kSamples * kSamples));
        // Pure black would vanish under XOR; keep the darkest stone just above it.
        c = {std::max(c.R, 1.0), std::max(c.G, 1.0), std::max(c.B, 1.0)};
        sheet.At(x, y) = c.Pixel();
        sheet.At(x, y + h) = 0x000000;
    });
}

// Screen point of the view to depth planes: on the floor (below the centre)
// or the ceiling (above it) at distance z = centreY / |y - centreY|.
template <typename Albedo>
Image RenderPlane(int top, bool floor, Albedo albedo) {
    Image image(kBackgroundWidth, kBackgroundHeight);
    for (int y = 0; y < kBackgroundHeight; ++y) {
        for (int x = 0; x < kBackgroundWidth; ++x) {
            Colour sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double vx = x + (sx + 0.5) / kSamples;
                    const double vy = top + y + (sy + 0.5) / kSamples;
                    const double rise = floor ? vy - kCentreY : kCentreY - vy;
                    if (rise <= 0.5) continue;  // beyond any light
                    const double z = kCentreY / rise;
                    const double depthPlanes = std::log2(z);
                    const double across = (vx - kCentreX) * z / kViewWidth;
                    // Depth in cells: whole cells between planes, linear within one.
                    const double cell = std::floor(depthPlanes);
                    const double depth = cell + (z / std::exp2(cell) - 1.0);
                    sum = sum + Lit(albedo(across, depth), depthPlanes);
                }
            }
            image.At(x, y) = (sum * (1.0 / (kSamples * kSamples))).Pixel();
        }
    }
    return image;
}

}  // namespace

const std::array<Placement, 34> kPlacements = {{
    {0, 1, 1, 165, 120, 30, 16, 0},     {0, 2, 1, 195, 120, 30, 16, 0},
    {0, 3, 1, 225, 120, 30, 16, 0},     {0, 4, 1, 255, 120, 30, 16, 0},
    {0, 5, 1, 285, 120, 30, 16, 0},     {1, 1, 8, 90, 112, 75, 32, 0},
    {1, 2, 8, 150, 112, 45, 32, 75},    {1, 3, 8, 210, 112, 15, 32, 120},
    {1, 5, 2, 315, 112, 75, 32, 195},   {1, 4, 2, 285, 112, 45, 32, 150},
    {1, 3, 2, 255, 112, 15, 32, 135},   {1, 6, 1, 90, 112, 60, 32, 270},
    {1, 7, 1, 150, 112, 60, 32, 270},   {1, 8, 1, 210, 112, 60, 32, 270},
    {1, 9, 1, 270, 112, 60, 32, 270},   {1, 10, 1, 330, 112, 60, 32, 270},
    {2, 6, 8, -60, 96, 150, 64, 0},     {2, 7, 8, 60, 96, 90, 64, 150},
    {2, 8, 8, 180, 96, 30, 64, 240},    {2, 10, 2, 390, 96, 150, 64, 390},
    {2, 9, 2, 330, 96, 90, 64, 300},    {2, 8, 2, 270, 96, 30, 64, 270},
    {2, 11, 1, 60, 96, 120, 64, 540},   {2, 12, 1, 180, 96, 120, 64, 540},
    {2, 13, 1, 300, 96, 120, 64, 540},  {3, 11, 8, -120, 64, 180, 128, 0},
    {3, 12, 8, 120, 64, 60, 128, 180},  {3, 13, 2, 420, 64, 180, 128, 300},
    {3, 12, 2, 300, 64, 60, 128, 240},  {3, 14, 1, -120, 64, 240, 128, 480},
    {3, 15, 1, 120, 64, 240, 128, 480}, {3, 16, 1, 360, 64, 240, 128, 480},
    {4, 15, 8, 0, 0, 120, 256, 0},      {4, 15, 2, 360, 0, 120, 256, 120},
}};

int LayerHeight(int layer) {
    return 16 << std::clamp(layer, 0, kViewLayers - 1);
}

int SheetWidth(int layer) {
    int width = 0;
    for (const Placement& p : kPlacements) {
        if (p.Layer == layer) width = std::max(width, p.Sx + p.W);
    }
    return width;
}

std::vector<SheetSprite> SheetSprites(int layer) {
    std::vector<SheetSprite> sprites;
    for (const Placement& p : kPlacements) {
        if (p.Layer != layer) continue;
        const bool known = std::any_of(sprites.begin(), sprites.end(),
                                       [&](const SheetSprite& s) { return s.Sx == p.Sx; });
        if (!known) sprites.push_back({p.Sx, p.W, p.H, KindOf(p.Bit)});
    }
    return sprites;
}

std::vector<PointF> SpriteOutline(const SheetSprite& s) {
    const double w = s.W, h = s.H;
    switch (s.Kind) {
        case FaceKind::Left:
            return {{0, 0}, {w, h / 4}, {w, h * 3 / 4}, {0, h}};
        case FaceKind::Right:
            return {{0, h / 4}, {w, 0}, {w, h}, {0, h * 3 / 4}};
        case FaceKind::Front:
            break;
    }
    return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

Image RenderSheet(int layer, bool doors) {
    const int h = LayerHeight(layer);
    Image sheet(SheetWidth(layer), 2 * h, 0x000000);
    // Masks start all white (transparent); each sprite blacks out its shape.
    for (int y = h; y < 2 * h; ++y) {
        for (int x = 0; x < sheet.Width; ++x) sheet.At(x, y) = 0xFFFFFF;
    }
    for (const SheetSprite& sprite : SheetSprites(layer)) PaintSprite(sheet, sprite, layer, doors);
    return sheet;
}

Image RenderCeiling() {
    return RenderPlane(0, false, CeilingAlbedo);
}

Image RenderFloor() {
    return RenderPlane(kFloorTop, true, FloorAlbedo);
}

}  // namespace kv::gen
