#include "ViewSheets.h"

#include <algorithm>
#include <cmath>

#include "Surfaces.h"

namespace kv::gen {
namespace {

constexpr int Samples = 4;  // per pixel each way
constexpr double SideShade = 0.82;
constexpr double CentreX = ViewWidth / 2.0;
constexpr double CentreY = ViewHeight / 2.0;

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
    const double face = kind == FaceKind::Front ? 1.0 : SideShade;
    return Lit(albedo, p.Depth) * (height * face);
}

void PaintSprite(Image& sheet, const SheetSprite& sprite, int layer, bool doors) {
    const int h = sprite.H;
    std::vector<PointF> outline = SpriteOutline(sprite);
    for (PointF& p : outline) p.X += sprite.Sx;
    ForEachInside(sheet, outline, [&](int x, int y) {
        if (y >= h) return;  // never past the sprite half
        Colour sum;
        for (int sy = 0; sy < Samples; ++sy) {
            for (int sx = 0; sx < Samples; ++sx) {
                const double px = x - sprite.Sx + (sx + 0.5) / Samples;
                const double py = y + (sy + 0.5) / Samples;
                FacePoint p = Map(sprite, layer, px, py);
                p.U = std::clamp(p.U, 0.0, 0.9999);
                p.V = Clamp01(p.V);
                sum = sum +
                      Shaded(doors ? DoorAlbedo(p.U, p.V) : WallAlbedo(p.U, p.V), p, sprite.Kind);
            }
        }
        Colour c = sum * (1.0 / (Samples * Samples));
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
    Image image(BackgroundWidth, BackgroundHeight);
    for (int y = 0; y < BackgroundHeight; ++y) {
        for (int x = 0; x < BackgroundWidth; ++x) {
            Colour sum;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const double vx = x + (sx + 0.5) / Samples;
                    const double vy = top + y + (sy + 0.5) / Samples;
                    const double rise = floor ? vy - CentreY : CentreY - vy;
                    if (rise <= 0.5) continue;  // beyond any light
                    const double z = CentreY / rise;
                    const double depthPlanes = std::log2(z);
                    const double across = (vx - CentreX) * z / ViewWidth;
                    // Depth in cells: whole cells between planes, linear within one.
                    const double cell = std::floor(depthPlanes);
                    const double depth = cell + (z / std::exp2(cell) - 1.0);
                    sum = sum + Lit(albedo(across, depth), depthPlanes);
                }
            }
            image.At(x, y) = (sum * (1.0 / (Samples * Samples))).Pixel();
        }
    }
    return image;
}

}  // namespace

std::vector<SheetSprite> SheetSprites(int layer) {
    std::vector<SheetSprite> sprites;
    for (const SpritePlacement& p : SpritePlacements) {
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
    return RenderPlane(FloorTop, true, FloorAlbedo);
}

}  // namespace kv::gen
