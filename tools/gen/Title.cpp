#include "Title.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"
#include "Paint.h"
#include "ui/Canvas.h"

namespace kv::gen {
namespace {

constexpr int Supersample = 3;
constexpr uint64_t StarSeed = 0x57A125;
constexpr uint32_t SkySeed = 0x5C1E5;
constexpr uint32_t RidgeSeed = 0x21D6E;
constexpr const char* GameTitle = "Korvane";
constexpr int NameSize = 84;
constexpr int NameTop = 18;

struct Disc {
    double X, Y, R;
};
constexpr Disc LunaLook{536, 96, 34};
constexpr Disc ArtemisLook{104, 168, 15};
constexpr Colour Silhouette{13, 11, 24};

Colour Sky(double x, double y) {
    const double t = Clamp01(y / 340.0);
    Colour c = Mix(Colour{4, 6, 22}, Colour{36, 26, 70}, t * t);
    c = Mix(c, Colour{84, 50, 92}, SmoothStep(0.75, 1.0, t) * 0.6);
    // Thin moonlit cloud banks.
    const double cloud = SmoothStep(0.55, 0.85, Fractal(x / 160.0, y / 38.0, SkySeed, 5));
    c = c + Colour{58, 54, 92} * (cloud * (0.25 + 0.5 * t));
    // Moon glows.
    for (const Disc* d : {&LunaLook, &ArtemisLook}) {
        const double r = std::hypot(x - d->X, y - d->Y) / d->R;
        const Colour glow = d == &LunaLook ? Colour{90, 92, 120} : Colour{90, 50, 50};
        c = c + glow * (0.55 * std::exp(-(r - 1.0) * 1.3) * (r > 1.0 ? 1.0 : 0.0));
    }
    return c;
}

Colour MoonFace(const Disc& d, double x, double y, Colour bright, Colour maria, double phase) {
    const double nx = (x - d.X) / d.R, ny = (y - d.Y) / d.R;
    const double z = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    const double m = SmoothStep(0.46, 0.62, Fractal(nx * 2 + 4, ny * 2 + 9, SkySeed + 3, 4));
    Colour c = Mix(bright, maria, m * 0.75) * (0.78 + 0.22 * z);
    const double lit = nx * std::sin(phase) - z * std::cos(phase);
    return Mix(Colour{20, 18, 34}, c, SmoothStep(-0.08, 0.08, lit));
}

double Ridge(double x, double base, double amplitude, uint32_t seed) {
    return base - amplitude * Fractal(x / 140.0, 0.5, seed, 5);
}

std::vector<PointF> Range(double base, double amplitude, uint32_t seed) {
    std::vector<PointF> points{{0, TitleHeight}};
    for (int x = 0; x <= TitleWidth; x += 2)
        points.push_back({double(x), Ridge(x, base, amplitude, seed)});
    points.push_back({TitleWidth, TitleHeight});
    return points;
}

std::vector<PointF> Box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A wall or tower top with merlons.
void Battlements(Sketch& s, double x0, double x1, double top, double merlon) {
    for (double x = x0; x + merlon <= x1 + 0.01; x += merlon * 2) {
        s.Fill(Box(x, top - merlon, x + merlon, top), Silhouette);
    }
}

void Tower(Sketch& s, double x0, double x1, double top, double base, double roofHeight) {
    s.Fill(Box(x0, top, x1, base), Silhouette);
    const double mid = (x0 + x1) / 2;
    s.Fill({{x0 - 3, top}, {mid, top - roofHeight}, {x1 + 3, top}}, Silhouette);
    // Moonlight catches the right-hand edge.
    s.Fill(Box(x1 - 1.6, top + 2, x1, base), Colour{44, 42, 74});
    s.Fill({{mid, top - roofHeight}, {x1 + 3, top}, {x1 + 1, top}, {mid, top - roofHeight + 6}},
           Colour{40, 38, 70});
    // A pennant at the spire.
    s.Stroke({{mid, top - roofHeight}, {mid, top - roofHeight - 12}}, 1.0, Silhouette);
    s.Fill({{mid, top - roofHeight - 12},
            {mid + 11, top - roofHeight - 9},
            {mid, top - roofHeight - 6}},
           Colour{120, 28, 34});
}

void Window(Sketch& s, double x, double y, double w, double h) {
    s.Fill(Box(x, y, x + w, y + h), Colour{255, 196, 104});
    s.Ellipse(x + w / 2, y, w / 2, w / 2, Colour{255, 196, 104});
}

void Castle(Sketch& s) {
    // The crag it stands on.
    s.Fill({{120, 480},
            {170, 400},
            {196, 372},
            {214, 344},
            {232, 336},
            {420, 336},
            {440, 344},
            {470, 376},
            {500, 420},
            {540, 480}},
           Silhouette);
    Tower(s, 204, 222, 284, 340, 26);
    s.Fill(Box(222, 296, 305, 340), Silhouette);
    Battlements(s, 222, 305, 296, 5);
    Tower(s, 236, 266, 238, 340, 42);
    s.Fill(Box(282, 214, 358, 340), Silhouette);
    Battlements(s, 282, 358, 214, 6);
    Tower(s, 306, 334, 166, 214, 44);
    s.Fill(Box(355, 290, 430, 340), Silhouette);
    Battlements(s, 355, 430, 290, 5);
    Tower(s, 376, 404, 226, 340, 46);
    Tower(s, 420, 436, 274, 340, 22);
    // Gate and lit windows.
    s.Fill(Box(310, 306, 330, 340), Colour{4, 4, 8});
    s.Ellipse(320, 306, 10, 10, Colour{4, 4, 8});
    for (const auto& w : {std::array<double, 2>{316, 178},
                          {316, 196},
                          {246, 258},
                          {256, 290},
                          {386, 246},
                          {388, 280},
                          {294, 236},
                          {340, 236},
                          {294, 268},
                          {340, 268},
                          {209, 300}}) {
        Window(s, w[0], w[1], 4, 7);
    }
}

void Stars(Sketch& s) {
    Rng rng(StarSeed);
    for (int i = 0; i < 420; ++i) {
        const double x = rng.Range(0, TitleWidth);
        const double y = rng.Range(0, 330);
        const double power = std::pow(rng.Unit(), 3.0);
        const double fade = 1.0 - SmoothStep(180, 330, y);
        const double r = 0.45 + 0.9 * power;
        const double tint = rng.Unit();
        const Colour c = Mix(Colour{170, 190, 255}, Colour{255, 230, 200}, tint) *
                         ((0.35 + 0.65 * power) * fade);
        s.Ellipse(x, y, r, r, [&](double, double) { return c; });
        if (power > 0.55 && fade > 0.5) {
            s.Stroke({{x - 4 * r, y}, {x + 4 * r, y}}, 0.45, c * 0.7);
            s.Stroke({{x, y - 4 * r}, {x, y + 4 * r}}, 0.45, c * 0.7);
        }
    }
}

// Dilation and blur of the name's coverage for its outline and glow.
std::vector<double> Spread(const Image& cover, int radius, bool blur) {
    std::vector<double> out(cover.Pixels.size(), 0.0);
    for (int y = 0; y < cover.Height; ++y) {
        for (int x = 0; x < cover.Width; ++x) {
            double best = 0, sum = 0;
            int count = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    double v = 0;
                    if (sx >= 0 && sy >= 0 && sx < cover.Width && sy < cover.Height) {
                        v = (cover.At(sx, sy) & 255) / 255.0;
                    }
                    if (dx * dx + dy * dy <= radius * radius) best = std::max(best, v);
                    sum += v;
                    ++count;
                }
            }
            out[static_cast<size_t>(y) * cover.Width + x] = blur ? sum / count : best;
        }
    }
    return out;
}

void Name(Image& image, GlyphCache& glyphs) {
    Image cover(TitleWidth, 140, 0x000000);
    Canvas canvas(cover);
    const int width = glyphs.TextWidth(GameTitle, FontFace::PGothic, NameSize);
    const int left = (TitleWidth - width) / 2;
    const int top = 20;
    canvas.DrawText(glyphs, left, top, GameTitle, 0xFFFFFF, FontFace::PGothic, NameSize);
    const std::vector<double> outline = Spread(cover, 3, false);
    const std::vector<double> glow = Spread(cover, 9, true);
    const double lineHeight = NameSize;
    for (int y = 0; y < cover.Height; ++y) {
        const int iy = NameTop - top + y;
        if (iy < 0 || iy >= TitleHeight) continue;
        const double t = Clamp01((y - top - lineHeight * 0.12) / (lineHeight * 0.85));
        const Colour gold = t < 0.5
                                ? Mix(Colour{255, 246, 200}, Colour{240, 196, 96}, t * 2)
                                : Mix(Colour{240, 196, 96}, Colour{170, 104, 34}, (t - 0.5) * 2);
        for (int x = 0; x < TitleWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * TitleWidth + x;
            Colour c = Colour::Of(image.At(x, iy));
            c = c + Colour{200, 150, 60} * (0.9 * glow[i]);
            c = Mix(c, Colour{30, 16, 6}, outline[i]);
            c = Mix(c, gold, (cover.At(x, y) & 255) / 255.0);
            image.At(x, iy) = c.Pixel();
        }
    }
}

}  // namespace

Image RenderTitle(GlyphCache& glyphs) {
    Sketch s(TitleWidth, TitleHeight, Supersample);
    s.Shade([](double x, double y, Colour) { return Sky(x, y); });
    Stars(s);
    s.Ellipse(LunaLook.X, LunaLook.Y, LunaLook.R, LunaLook.R, [](double x, double y) {
        return MoonFace(LunaLook, x, y, {240, 236, 220}, {160, 158, 150}, 2.9);
    });
    s.Ellipse(ArtemisLook.X, ArtemisLook.Y, ArtemisLook.R, ArtemisLook.R, [](double x, double y) {
        return MoonFace(ArtemisLook, x, y, {244, 190, 160}, {170, 110, 96}, 1.9);
    });
    s.Fill(Range(330, 130, RidgeSeed), [](double, double y) {
        return Mix(Colour{58, 48, 92}, Colour{34, 30, 62}, Clamp01((y - 200) / 130));
    });
    s.Shade([](double x, double y, Colour old) {
        const double mist = SmoothStep(290, 340, y) * (1.0 - SmoothStep(350, 380, y)) *
                            (0.5 + 0.5 * Fractal(x / 90.0, y / 20.0, SkySeed + 7, 4));
        return Mix(old, Colour{70, 62, 110}, mist * 0.55);
    });
    s.Fill(Range(370, 50, RidgeSeed + 1), Colour{22, 20, 40});
    Castle(s);
    // Near ground, darkest, under the prompt and the version line.
    s.Fill(Range(452, 44, RidgeSeed + 2), Colour{7, 6, 12});
    Image image = s.Finish();
    Name(image, glyphs);
    return image;
}

}  // namespace kv::gen
