#include "Town.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "Noise.h"
#include "Paint.h"
#include "TownSquare.h"

namespace kv::gen {
namespace {

constexpr int Supersample = 3;
constexpr uint64_t StarSeed = 0x70C57A;
constexpr uint64_t RoofSeed = 0x70F5;
constexpr uint32_t SkySeed = 0x70D5C;
constexpr uint32_t HillSeed = 0x4177;
constexpr Colour Ground{8, 7, 14};
constexpr double FadeTop = 266;  // the picture darkens into the ground from here
constexpr double FadeBottom = 296;

constexpr Colour WindowLight{255, 196, 104};
constexpr double CastleX = 320;

struct Disc {
    double X, Y, R;
};
constexpr Disc LunaLook{206, 44, 10};

Colour Sky(double x, double y) {
    // Hills and houses hide the true horizon; the glow is drawn to show above them.
    const double t = Clamp01(y / (TownHorizon - 20));
    // Night above, the afterglow low down: violet, rose, then amber at the horizon.
    Colour c = Mix(Colour{8, 9, 32}, Colour{58, 38, 96}, SmoothStep(0.0, 0.55, t));
    c = Mix(c, Colour{176, 92, 116}, SmoothStep(0.35, 0.8, t));
    c = Mix(c, Colour{246, 164, 104}, SmoothStep(0.7, 1.0, t));
    // The sun went down behind the castle; the glow is strongest there.
    const double across = (x - CastleX) / 260.0;
    c = Mix(c, Colour{255, 186, 120}, 0.55 * std::exp(-across * across) * SmoothStep(0.45, 1.0, t));
    // Long cloud banks, lit from below near the horizon.
    const double cloud = SmoothStep(0.5, 0.8, Fractal(x / 210.0, y / 22.0, SkySeed, 5));
    const Colour cloudColour =
        Mix(Colour{44, 32, 72}, Colour{250, 150, 132}, SmoothStep(0.15, 0.8, t));
    return Mix(c, cloudColour, cloud * (0.35 + 0.35 * t));
}

void Stars(Sketch& s) {
    Rng rng(StarSeed);
    for (int i = 0; i < 160; ++i) {
        const double x = rng.Range(0, TownWidth);
        const double y = rng.Range(0, 130);
        const double power = std::pow(rng.Unit(), 3.0);
        const double fade = 1.0 - SmoothStep(30, 130, y);
        const double r = 0.45 + 0.7 * power;
        const Colour c = Mix(Colour{170, 190, 255}, Colour{255, 230, 200}, rng.Unit()) *
                         ((0.3 + 0.7 * power) * fade);
        s.Ellipse(x, y, r, r, [&](double, double) { return c; });
    }
}

// A young Luna, lit from the set sun below the horizon.
void Crescent(Sketch& s) {
    const double sx = 0.42, sy = 0.5, sz = 0.76;  // toward the sun
    s.Ellipse(LunaLook.X, LunaLook.Y, LunaLook.R + 6, LunaLook.R + 6, [](double x, double y) {
        const double r = std::hypot(x - LunaLook.X, y - LunaLook.Y) / LunaLook.R;
        return Sky(x, y) +
               Colour{60, 58, 84} * (0.5 * std::exp(-(r - 1.0) * 3.0) * (r > 1 ? 1 : 0));
    });
    s.Ellipse(LunaLook.X, LunaLook.Y, LunaLook.R, LunaLook.R, [=](double x, double y) {
        const double nx = (x - LunaLook.X) / LunaLook.R, ny = (y - LunaLook.Y) / LunaLook.R;
        const double nz = -std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
        const double lit = nx * sx + ny * sy + nz * sz;
        const Colour earthshine = Mix(Sky(x, y), Colour{40, 36, 70}, 0.6);
        return Mix(earthshine, Colour{246, 240, 220}, SmoothStep(-0.05, 0.12, lit));
    });
}

double HillTop(double x) {
    const double d = (x - CastleX) / 130.0;
    return 206 - 74 * std::exp(-d * d) - 8 * Fractal(x / 40.0, 0.5, HillSeed, 3);
}

std::vector<PointF> Box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// The castle is laid out in its own units, then set on the hill top at
// CastleScale times the size, CastleDrop lower.
constexpr double CastleScale = 1.35;
constexpr double CastleFoot = 160;
constexpr double CastleDrop = 8;

std::vector<PointF> Placed(std::vector<PointF> shape) {
    for (PointF& p : shape) {
        p = {CastleX + (p.X - CastleX) * CastleScale,
             CastleFoot + CastleDrop + (p.Y - CastleFoot) * CastleScale};
    }
    return shape;
}

// Dark against the afterglow, fading into the dusk toward its foot.
Colour Stone(double y) {
    return Mix(Colour{30, 20, 48}, Colour{70, 44, 80}, SmoothStep(110, 206, y));
}

void Fill(Sketch& s, const std::vector<PointF>& shape) {
    s.Fill(Placed(shape), [](double, double y) { return Stone(y); });
}

void Battlements(Sketch& s, double x0, double x1, double top, double merlon) {
    for (double x = x0; x + merlon <= x1 + 0.01; x += merlon * 2)
        Fill(s, Box(x, top - merlon, x + merlon, top));
}

void Spire(Sketch& s, double x0, double x1, double top, double base, double height, bool flag) {
    Fill(s, Box(x0, top, x1, base));
    const double mid = (x0 + x1) / 2;
    Fill(s, {{x0 - 2, top}, {mid, top - height}, {x1 + 2, top}});
    // The afterglow catches one side of the roof.
    s.Fill(Placed({{mid, top - height}, {x1 + 2, top}, {x1 + 0.7, top}, {mid, top - height + 4}}),
           Colour{138, 78, 88});
    if (flag) {
        s.Stroke(Placed({{mid, top - height}, {mid, top - height - 9}}), 0.9, Colour{30, 20, 48});
        s.Fill(
            Placed({{mid, top - height - 9}, {mid + 8, top - height - 7}, {mid, top - height - 5}}),
            Colour{160, 32, 40});
    }
}

struct Slit {
    double X, Y;
};
constexpr std::array<Slit, 11> CastleWindows{{{310, 92},
                                              {326, 92},
                                              {318, 110},
                                              {310, 128},
                                              {326, 128},
                                              {262, 116},
                                              {380, 110},
                                              {380, 126},
                                              {286, 138},
                                              {352, 138},
                                              {404, 142}}};

void Castle(Sketch& s) {
    std::vector<PointF> hill{{40, 208}};
    for (int x = 40; x <= 600; x += 2) hill.push_back({double(x), HillTop(x)});
    hill.push_back({600, 208});
    s.Fill(hill, [](double x, double y) {
        const double rock = Fractal(x / 18.0, y / 9.0, HillSeed + 1, 4);
        return Mix(Colour{40, 26, 56}, Colour{92, 58, 92}, SmoothStep(140, 210, y)) *
               (0.85 + 0.3 * rock);
    });
    Spire(s, 252, 270, 104, 166, 20, true);
    Fill(s, Box(268, 126, 372, 166));
    Battlements(s, 268, 372, 126, 3);
    // The keep, with corner turrets.
    Fill(s, Box(300, 74, 340, 166));
    Battlements(s, 304, 336, 74, 4);
    Spire(s, 296, 305, 66, 82, 12, false);
    Spire(s, 335, 344, 66, 82, 12, true);
    Spire(s, 372, 390, 98, 166, 22, true);
    Spire(s, 398, 410, 130, 170, 13, false);
    Fill(s, Box(388, 140, 400, 170));
    Battlements(s, 388, 400, 140, 3);
    for (const Slit& w : CastleWindows) {
        s.Fill(Placed(Box(w.X - 1.1, w.Y, w.X + 1.1, w.Y + 4)), WindowLight);
        const PointF top = Placed({{w.X, w.Y}})[0];
        s.Ellipse(top.X, top.Y, 1.1 * CastleScale, 1.1 * CastleScale, WindowLight);
    }
}

// Houses of the upper town climbing the hill below the castle.
void UpperTown(Sketch& s) {
    Rng rng(RoofSeed);
    struct House {
        double X, Base, W, H, Rise;
    };
    std::vector<House> houses;
    for (int i = 0; i < 34; ++i) {
        const double x = rng.Range(170, 470);
        houses.push_back({x, HillTop(x) + rng.Range(10, 36), rng.Range(12, 20), rng.Range(7, 11),
                          rng.Range(6, 10)});
    }
    std::sort(houses.begin(), houses.end(),
              [](const House& a, const House& b) { return a.Base < b.Base; });
    for (const House& h : houses) {
        const double l = h.X - h.W / 2, t = h.Base - h.H;
        const Colour wall =
            Mix(Colour{58, 38, 72}, Colour{104, 66, 100}, SmoothStep(140, 214, h.Base));
        s.Fill(Box(l, t, l + h.W, h.Base), wall);
        s.Fill({{l - 1.5, t}, {h.X, t - h.Rise}, {l + h.W + 1.5, t}}, wall * 0.7);
        // The afterglow on the roof's far side.
        s.Fill({{h.X, t - h.Rise}, {l + h.W + 1.5, t}, {l + h.W, t}, {h.X, t - h.Rise + 2.5}},
               Colour{130, 76, 92});
        if (rng.Unit() < 0.6) {
            const double wx = l + rng.Range(2, h.W - 4);
            s.Fill(Box(wx, t + 2.5, wx + 2, t + 5.5), WindowLight * 0.9);
        }
    }
}

void AddGlow(Image& image, const TownLight& light) {
    const double r = std::max(light.Radius, 1.0);
    const int x0 = std::max(0, static_cast<int>(light.X - 4 * r));
    const int x1 = std::min(image.Width - 1, static_cast<int>(light.X + 4 * r));
    const int y0 = std::max(0, static_cast<int>(light.Y - 4 * r));
    const int y1 = std::min(image.Height - 1, static_cast<int>(light.Y + 4 * r));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x + 0.5 - light.X, y + 0.5 - light.Y) / r;
            const double k = 0.55 * std::exp(-d * d) + 0.2 * std::exp(-1.5 * d);
            image.At(x, y) = (Colour::Of(image.At(x, y)) + light.Tint * k).Pixel();
        }
    }
}

}  // namespace

Image RenderTown() {
    Sketch s(TownWidth, TownHeight, Supersample);
    s.Shade([](double x, double y, Colour) { return Sky(x, y); });
    Stars(s);
    Crescent(s);
    Castle(s);
    UpperTown(s);
    const std::vector<TownLight> lights = DrawTownSquare(s);
    Image image = s.Finish();
    for (const TownLight& light : lights) AddGlow(image, light);
    // Under the menus: plain dark ground.
    for (int y = static_cast<int>(FadeTop); y < TownHeight; ++y) {
        const double t = SmoothStep(FadeTop, FadeBottom, y + 0.5);
        for (int x = 0; x < TownWidth; ++x)
            image.At(x, y) = Mix(Colour::Of(image.At(x, y)), Ground, t).Pixel();
    }
    return image;
}

}  // namespace kv::gen
