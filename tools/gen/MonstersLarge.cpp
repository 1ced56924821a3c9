// The greater monsters: wolf, ghost, stone golem and the dragon.
#include <cmath>

#include "MonsterKit.h"
#include "Monsters.h"
#include "Noise.h"

namespace kv::gen {
namespace {

constexpr int Supersample = 4;

std::vector<PointF> Chain(std::initializer_list<std::vector<PointF>> parts) {
    std::vector<PointF> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Fur: long streaks along the body, darker along the back.
Sketch::Shader Pelt(double cx, double cy, double rx, double ry, Colour base, uint32_t seed) {
    const Sketch::Shader lit = Volume(cx, cy, rx, ry, base);
    return [=](double x, double y) {
        const double streak = Fractal(x / 9.0, y / 1.6, seed, 4) - 0.5;
        const double saddle = 1.0 - 0.35 * (1.0 - SmoothStep(cy - ry, cy, y));
        return lit(x, y) * ((1.0 + 0.7 * streak) * saddle);
    };
}

}  // namespace

Image RenderWolf() {
    Sketch s(260, 180, Supersample);
    GroundShadow(s, 134, 166, 104, 9);
    const Colour fur{128, 122, 116};
    const Colour farFur{88, 84, 80};
    s.Fill(Ribbon(Cubic({200, 88}, {236, 76}, {252, 108}, {246, 134}), 20, 5),
           Pelt(226, 104, 30, 30, fur, 0x3011));
    Limb(s, {100, 96}, {88, 140}, 18, 9, farFur);
    Limb(s, {88, 140}, {84, 162}, 9, 8, farFur);
    Limb(s, {188, 96}, {198, 138}, 24, 9, farFur);
    Limb(s, {198, 138}, {194, 162}, 9, 8, farFur);
    const std::vector<PointF> body = Chain({Cubic({70, 80}, {110, 60}, {170, 58}, {206, 82}),
                                            Cubic({206, 82}, {216, 110}, {198, 124}, {176, 120}),
                                            Cubic({176, 120}, {140, 110}, {110, 122}, {86, 118}),
                                            Cubic({86, 118}, {62, 112}, {58, 92}, {70, 80})});
    s.Fill(body, Pelt(140, 88, 84, 36, fur, 0x3012));
    Limb(s, {92, 96}, {100, 138}, 22, 10, fur);
    Limb(s, {100, 138}, {96, 164}, 10, 9, fur);
    Limb(s, {176, 92}, {168, 136}, 32, 11, fur);
    Limb(s, {168, 136}, {178, 164}, 11, 9, fur);
    for (double px : {92.0, 180.0, 80.0, 192.0}) {
        s.Ellipse(px, 165, 9, 4, Volume(px, 165, 9, 4, {80, 78, 84}));
    }
    // Ruff and head, snarling to the left.
    std::vector<PointF> ruff;
    for (int i = 0; i <= 12; ++i) {
        const double a = -1.2 + i * 0.22, r = i % 2 == 0 ? 34.0 : 26.0;
        ruff.push_back({82 + r * std::cos(a + 1.6), 80 + r * std::sin(a + 1.6) * 0.9});
    }
    s.Fill(ruff, Pelt(80, 84, 30, 30, {146, 140, 132}, 0x3013));
    s.Fill({{74, 48}, {84, 24}, {90, 52}}, Volume(84, 40, 10, 16, farFur));
    s.Fill({{60, 50}, {68, 20}, {80, 50}}, Volume(70, 38, 10, 16, fur));
    s.Fill({{64, 48}, {68, 30}, {74, 48}}, Colour{150, 100, 100});
    const std::vector<PointF> head{{90, 78}, {82, 52},  {62, 44}, {44, 52}, {24, 60},
                                   {10, 66}, {12, 74},  {34, 78}, {18, 88}, {40, 92},
                                   {60, 88}, {76, 100}, {92, 96}};
    s.Fill(head, Pelt(52, 66, 44, 28, {142, 136, 128}, 0x3014));
    s.Fill({{14, 75}, {38, 79}, {20, 86}}, Colour{90, 20, 24});
    for (double tx : {16.0, 24.0, 32.0}) {
        s.Fill({{tx, 75}, {tx + 4, 76}, {tx + 2, 81}}, Colour{240, 236, 220});
        s.Fill({{tx - 1, 86}, {tx + 3, 86}, {tx + 1, 81}}, Colour{240, 236, 220});
    }
    s.Ellipse(12, 69, 4.5, 3.5, Colour{20, 18, 20});
    GlowingEye(s, 44, 58, 3.2, {255, 190, 40});
    s.Stroke({{36, 54}, {50, 54}}, 1.8, Colour{60, 58, 64});
    s.Stroke({{26, 64}, {36, 62}}, 1.2, Colour{80, 78, 84});
    return s.Finish();
}

Image RenderGhost() {
    Sketch s(200, 240, Supersample);
    s.Ellipse(100, 118, 96, 116, [](double x, double y) {
        const double d = std::hypot((x - 100) / 96, (y - 118) / 116);
        return Colour{30, 60, 100} * std::pow(1 - d, 2.0);
    });
    std::vector<PointF> shape = Chain({Cubic({44, 80}, {44, 16}, {156, 16}, {156, 80}),
                                       Cubic({156, 80}, {160, 100}, {190, 110}, {192, 96}),
                                       Cubic({192, 96}, {186, 130}, {160, 130}, {152, 124})});
    // The ragged hem, waving.
    for (int i = 0; i <= 30; ++i) {
        const double t = i / 30.0;
        const double x = 152 - t * 104;
        shape.push_back({x, 196 + 18 * std::sin(t * 3.14159 * 3.5) + 10 * t});
    }
    const std::vector<PointF> left = Chain({Cubic({48, 124}, {40, 130}, {14, 130}, {8, 96}),
                                            Cubic({8, 96}, {10, 110}, {40, 100}, {44, 80})});
    shape.insert(shape.end(), left.begin(), left.end());
    s.Fill(shape, [](double x, double y) {
        const double t = std::clamp((y - 30) / 190, 0.0, 1.0);
        const double n = Fractal(x / 18, y / 30, 0x6057, 4);
        const double edge = std::exp(-std::pow((x - 100) / 60, 2));
        return Colour{168, 214, 250} * ((1.0 - 0.75 * t) * (0.75 + 0.35 * n) * (0.7 + 0.3 * edge));
    });
    s.Ellipse(82, 72, 10, 15, Colour{10, 16, 34});
    s.Ellipse(118, 72, 10, 15, Colour{10, 16, 34});
    s.Ellipse(100, 114, 12, 18, Colour{8, 12, 28});
    GlowingEye(s, 82, 76, 2.0, {120, 200, 255});
    GlowingEye(s, 118, 76, 2.0, {120, 200, 255});
    return s.Finish();
}

Image RenderGolem() {
    Sketch s(240, 280, Supersample);
    GroundShadow(s, 120, 266, 96, 10);
    const Colour stone{124, 116, 106};
    auto rock = [&](double cx, double cy, double rx, double ry, uint32_t seed) {
        return RoughVolume(cx, cy, rx, ry, stone, seed, 5.0, 0.35);
    };
    s.Fill({{78, 188}, {114, 188}, {110, 262}, {70, 262}}, rock(92, 220, 30, 44, 0x601));
    s.Fill({{126, 188}, {162, 188}, {170, 262}, {130, 262}}, rock(148, 220, 30, 44, 0x602));
    s.Fill({{64, 82}, {176, 82}, {198, 110}, {178, 198}, {62, 198}, {42, 110}},
           rock(116, 128, 86, 76, 0x603));
    const Colour rune{90, 220, 240};
    auto glowLine = [&](const std::vector<PointF>& line) {
        s.Stroke(line, 6, Colour{20, 70, 90});
        s.Stroke(line, 2.2, rune);
    };
    // A binding rune: a diamond pierced by a stave with two barbs.
    glowLine({{120, 108}, {138, 132}, {120, 156}, {102, 132}, {120, 108}});
    glowLine({{120, 98}, {120, 170}});
    glowLine({{108, 160}, {120, 170}, {132, 160}});
    s.Stroke({{70, 100}, {84, 118}, {80, 140}}, 1.6, Colour{40, 36, 32});
    s.Stroke({{170, 150}, {158, 170}, {164, 190}}, 1.6, Colour{40, 36, 32});
    for (double side : {-1.0, 1.0}) {
        const double sx = 120 + side * 74;
        s.Fill({{sx - 18, 110}, {sx + 18, 110}, {sx + 22 * side, 178}, {sx - 14 * side, 182}},
               rock(sx, 146, 24, 40, 0x604 + static_cast<uint32_t>(side + 1)));
        s.Ellipse(sx, 104, 28, 24, rock(sx, 100, 28, 26, 0x606 + static_cast<uint32_t>(side + 1)));
        s.Ellipse(sx + side * 6, 196, 28, 25,
                  rock(sx + side * 6, 192, 28, 26, 0x608 + static_cast<uint32_t>(side + 1)));
    }
    s.Fill({{98, 46}, {142, 46}, {146, 86}, {94, 86}}, rock(118, 60, 28, 30, 0x60A));
    s.Fill({{104, 62}, {116, 64}, {116, 68}, {104, 67}}, rune);
    s.Fill({{124, 64}, {136, 62}, {136, 67}, {124, 68}}, rune);
    // Moss on the shoulders and head.
    s.Shade([](double x, double y, Colour old) {
        const double moss = SmoothStep(0.6, 0.75, Fractal(x / 10, y / 10, 0x60B, 3)) *
                            (1.0 - SmoothStep(60, 120, y));
        if (old.R + old.G + old.B < 60) return old;
        return Mix(old, Colour{70, 100, 50} * ((old.R + old.G + old.B) / 360.0), moss * 0.8);
    });
    return s.Finish();
}

namespace {

// A dragon in the scales given; the empress of the third floor wears her
// crown on the same head.
Image DragonIn(Colour scale, Colour membrane, bool crowned) {
    Sketch s(320, 260, Supersample);
    GroundShadow(s, 180, 246, 130, 10);
    auto wing = [&](PointF shoulder, PointF wrist, const std::vector<PointF>& tips, Colour c,
                    double cx, double cy) {
        std::vector<PointF> shape{shoulder, wrist};
        for (size_t i = 0; i < tips.size(); ++i) {
            shape.push_back(tips[i]);
            if (i + 1 < tips.size()) {
                const PointF a = tips[i], b = tips[i + 1];
                const PointF pull{(a.X + b.X) / 2 * 0.8 + wrist.X * 0.2,
                                  (a.Y + b.Y) / 2 * 0.8 + wrist.Y * 0.2};
                const auto arc = Quadratic(a, pull, b, 8);
                shape.insert(shape.end(), arc.begin() + 1, arc.end() - 1);
            }
        }
        s.Fill(shape, Volume(cx, cy, 80, 60, c));
        s.Stroke({shoulder, wrist}, 5, c * 0.5);
        for (const PointF& tip : tips) s.Stroke({wrist, tip}, 2.4, c * 0.45);
    };
    wing({170, 104}, {226, 18}, {{292, 8}, {304, 56}, {276, 98}, {232, 116}}, membrane * 0.7, 250,
         60);
    s.Fill(Ribbon(Cubic({216, 176}, {270, 206}, {302, 160}, {312, 110}), 32, 4),
           RoughVolume(270, 170, 44, 40, scale, 0xD01, 3.0, 0.25));
    Limb(s, {160, 180}, {146, 214}, 20, 14, scale * 0.75);
    Limb(s, {146, 214}, {152, 238}, 14, 12, scale * 0.75);
    s.Ellipse(190, 160, 64, 44, RoughVolume(186, 152, 66, 48, scale, 0xD02, 3.0, 0.25));
    for (int i = 0; i < 6; ++i) {
        const double x = 148 + i * 16.0;
        s.Fill(
            {{x, 186 - i * 0.5}, {x + 14, 188 - i * 0.5}, {x + 12, 200.0 - i}, {x + 2, 198.0 - i}},
            Volume(x + 7, 192, 10, 8, {222, 184, 104}));
    }
    s.Ellipse(226, 182, 30, 34, RoughVolume(222, 176, 32, 36, scale, 0xD03, 3.0, 0.25));
    Limb(s, {234, 204}, {240, 236}, 16, 12, scale);
    Limb(s, {150, 182}, {130, 216}, 18, 12, scale);
    Limb(s, {130, 216}, {138, 238}, 12, 11, scale);
    for (double fx : {138.0, 240.0}) {
        for (double dx : {-9.0, -3.0, 3.0}) {
            s.Fill({{fx + dx, 236}, {fx + dx - 6, 244}, {fx + dx + 3, 240}}, Colour{230, 220, 200});
        }
    }
    s.Fill(Ribbon(Cubic({160, 140}, {110, 128}, {112, 74}, {88, 62}), 46, 26),
           RoughVolume(120, 100, 40, 50, scale, 0xD04, 3.0, 0.25));
    for (int i = 0; i < 8; ++i) {
        const auto spine =
            Cubic({160, 118}, {116, 106}, {124, 58}, {96, 46}, 8)[static_cast<size_t>(i)];
        s.Fill(
            {{spine.X - 5, spine.Y + 2}, {spine.X + 2, spine.Y - 12}, {spine.X + 5, spine.Y + 4}},
            Colour{236, 200, 120});
    }
    // Head, jaws open, facing left.
    for (double hx : {0.0, 10.0}) {
        s.Fill({{92 + hx, 44}, {120 + hx, 8}, {100 + hx, 50}},
               Volume(106 + hx, 30, 12, 24, {226, 206, 160}));
    }
    const std::vector<PointF> upper{{102, 48}, {96, 72}, {50, 74}, {22, 70},
                                    {16, 60},  {34, 52}, {66, 40}};
    const std::vector<PointF> lower{{98, 70}, {86, 88}, {62, 92}, {28, 86}, {30, 80}, {56, 78}};
    s.Fill({{94, 70}, {30, 74}, {32, 82}, {90, 80}}, Colour{70, 8, 8});
    s.Ellipse(44, 78, 14, 5, Colour{255, 150, 40});
    s.Fill(lower, RoughVolume(66, 82, 36, 14, scale * 0.85, 0xD05, 2.5, 0.2));
    s.Fill(upper, RoughVolume(62, 58, 44, 22, scale, 0xD06, 2.5, 0.2));
    for (double tx = 26; tx < 70; tx += 8) {
        s.Fill({{tx, 72}, {tx + 4, 73}, {tx + 2, 79}}, Colour{246, 240, 220});
        s.Fill({{tx + 3, 81}, {tx + 7, 80}, {tx + 5, 75}}, Colour{246, 240, 220});
    }
    s.Ellipse(22, 60, 3, 2, Colour{30, 6, 6});
    s.Fill({{52, 50}, {76, 44}, {70, 52}}, Colour{80, 14, 10});
    GlowingEye(s, 66, 52, 3.6, {255, 200, 40});
    wing({178, 110}, {232, 40}, {{300, 30}, {316, 84}, {290, 130}, {240, 140}}, membrane, 250, 90);
    if (crowned) {
        const Colour gold{236, 192, 64};
        s.Fill({{58, 46}, {60, 28}, {68, 37}, {76, 20}, {84, 33}, {93, 14}, {98, 30}, {104, 40}},
               Volume(80, 34, 30, 16, gold));
        for (const auto& [gx, gy] : {std::pair{66.0, 42.0}, {80.0, 38.0}, {94.0, 36.0}})
            s.Ellipse(gx, gy, 3.4, 3.0, Colour{90, 200, 230});
        s.Ellipse(93, 16, 2.6, 2.6, Colour{250, 80, 90});
    }
    return s.Finish();
}

}  // namespace

Image RenderDragon() {
    return DragonIn({176, 40, 30}, {120, 26, 24}, false);
}

Image RenderEmpress() {
    return DragonIn({112, 52, 160}, {64, 24, 96}, true);
}

}  // namespace kv::gen
