// The lesser monsters: slime, giant bat, goblin and skeleton warrior.
#include <cmath>

#include "MonsterKit.h"
#include "Monsters.h"
#include "Noise.h"

namespace kv::gen {
namespace {

constexpr int Supersample = 4;
constexpr double Pi = 3.14159265358979;

std::vector<PointF> Join(std::vector<PointF> a, const std::vector<PointF>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

Image RenderSlime() {
    Sketch s(200, 160, Supersample);
    GroundShadow(s, 100, 140, 84, 12);
    std::vector<PointF> body = Join(Cubic({26, 138}, {18, 64}, {66, 28}, {100, 30}),
                                    Cubic({100, 30}, {134, 28}, {182, 64}, {174, 138}));
    for (double x = 170; x > 28; x -= 4) body.push_back({x, 138 + 3.5 * std::sin(x / 8.0)});
    const auto lit = Volume(92, 80, 84, 64, {64, 186, 86}, 0.9);
    s.Fill(body, [&](double x, double y) {
        // Light gathers in the jelly's lower middle.
        const double core = std::exp(-std::pow((x - 100) / 50, 2) - std::pow((y - 112) / 26, 2));
        return lit(x, y) + Colour{60, 120, 50} * (0.55 * core);
    });
    Rng rng(0x5111E);
    for (int i = 0; i < 7; ++i) {
        const double bx = rng.Range(44, 156), by = rng.Range(112, 130), r = rng.Range(2.5, 5.5);
        s.Ellipse(bx, by, r, r, Volume(bx, by, r, r, {130, 236, 150}, 0.8));
    }
    for (double ex : {78.0, 122.0}) {
        s.Ellipse(ex, 76, 11, 14, Volume(ex, 76, 11, 14, {246, 250, 240}, 0.4));
        s.Ellipse(ex + 2, 80, 5.5, 7.5, Colour{10, 24, 14});
        s.Ellipse(ex - 1, 76, 1.8, 1.8, Colour{255, 255, 255});
    }
    std::vector<PointF> mouth = EllipsePoints(100, 98, 20, 12, 24, 0.15, Pi - 0.15);
    mouth.push_back({100, 102});
    s.Fill(mouth, Colour{18, 60, 26});
    return s.Finish();
}

Image RenderBat() {
    Sketch s(240, 160, Supersample);
    auto wing = [&](bool right) {
        auto side = [&](std::vector<PointF> p) { return right ? Mirrored(std::move(p), 120) : p; };
        std::vector<PointF> membrane{{106, 64}, {66, 32}, {36, 24}, {10, 52}};
        const std::vector<PointF> tips{{10, 52}, {30, 100}, {58, 112}, {88, 104}, {106, 96}};
        const std::vector<PointF> pulls{{36, 72}, {52, 94}, {76, 96}, {98, 92}};
        for (size_t i = 0; i + 1 < tips.size(); ++i) {
            const std::vector<PointF> arc = Quadratic(tips[i], pulls[i], tips[i + 1], 10);
            membrane.insert(membrane.end(), arc.begin() + 1, arc.end());
        }
        const double cx = right ? 180 : 60;
        s.Fill(side(membrane), Volume(cx, 66, 66, 48, {92, 56, 66}));
        const Colour bone{52, 34, 40};
        s.Stroke(side({{106, 64}, {66, 32}}), 4.5, bone);
        for (size_t i = 0; i + 1 < tips.size(); ++i) {
            s.Stroke(side({{66, 32}, tips[i]}), i == 0 ? 3.0 : 2.2, bone);
        }
        s.Fill(side({{66, 29}, {60, 20}, {70, 30}}), Colour{200, 190, 180});
    };
    wing(false);
    wing(true);
    s.Ellipse(120, 84, 19, 28, RoughVolume(120, 84, 19, 28, {104, 84, 86}, 0x8A7, 3.0, 0.25));
    for (double side : {-1.0, 1.0}) {
        s.Fill({{120 + side * 4, 42}, {120 + side * 16, 14}, {120 + side * 16, 46}},
               Volume(120 + side * 12, 32, 10, 18, {110, 80, 86}));
        s.Fill({{120 + side * 8, 40}, {120 + side * 14, 22}, {120 + side * 14, 42}},
               Colour{150, 80, 90});
        s.Stroke({{120 + side * 6, 110}, {120 + side * 9, 120}}, 2.4, Colour{60, 44, 44});
    }
    s.Ellipse(120, 50, 17, 15, RoughVolume(120, 50, 17, 15, {112, 92, 94}, 0x8A8, 2.5, 0.2));
    s.Ellipse(120, 57, 6, 4, Colour{70, 44, 50});
    for (double side : {-1.0, 1.0}) {
        GlowingEye(s, 120 + side * 7, 47, 2.8, {255, 40, 30});
        s.Fill({{120 + side * 3, 60}, {120 + side * 5.5, 68}, {120 + side * 7, 60}},
               Colour{240, 236, 226});
    }
    return s.Finish();
}

Image RenderGoblin() {
    Sketch s(180, 240, Supersample);
    GroundShadow(s, 92, 226, 58, 8);
    const Colour skin{98, 150, 66};
    const Colour darkSkin{70, 112, 48};
    Limb(s, {78, 158}, {72, 196}, 17, 12, darkSkin);
    Limb(s, {72, 196}, {70, 220}, 12, 10, darkSkin);
    Limb(s, {104, 158}, {110, 196}, 17, 12, skin);
    Limb(s, {110, 196}, {114, 220}, 12, 10, skin);
    s.Ellipse(64, 224, 13, 6, Volume(64, 224, 13, 6, {60, 90, 40}));
    s.Ellipse(120, 224, 13, 6, Volume(120, 224, 13, 6, {60, 90, 40}));
    // Left arm hangs with claws open; the right holds a knife up.
    Limb(s, {62, 98}, {46, 132}, 14, 11, darkSkin);
    Limb(s, {46, 132}, {54, 158}, 11, 9, darkSkin);
    for (double dx : {-5.0, 0.0, 5.0}) s.Stroke({{54, 160}, {54 + dx, 170}}, 2.0, {200, 200, 160});
    s.Ellipse(90, 122, 32, 36, RoughVolume(90, 118, 32, 40, skin, 0x60B, 6.0, 0.15));
    s.Fill({{66, 148}, {114, 148}, {108, 182}, {96, 172}, {88, 184}, {80, 172}, {70, 182}},
           RoughVolume(90, 160, 30, 24, {118, 76, 42}, 0x60C, 4.0, 0.3));
    s.Stroke({{66, 150}, {114, 150}}, 4, {74, 48, 30});
    Limb(s, {118, 98}, {136, 124}, 14, 11, skin);
    Limb(s, {136, 124}, {142, 148}, 11, 9, skin);
    s.Fill({{140, 146}, {146, 150}, {168, 98}, {166, 86}, {160, 96}},
           Volume(156, 118, 14, 34, {196, 200, 210}, 1.0));
    s.Stroke({{132, 140}, {152, 152}}, 4, {120, 80, 40});
    s.Ellipse(142, 150, 8, 7, Volume(142, 150, 8, 7, skin));
    for (double side : {-1.0, 1.0}) {
        const std::vector<PointF> ear{
            {90 + side * 22, 58}, {90 + side * 62, 36}, {90 + side * 24, 76}};
        s.Fill(ear, Volume(90 + side * 40, 56, 24, 20, skin));
        s.Fill({{90 + side * 26, 62}, {90 + side * 52, 42}, {90 + side * 27, 70}},
               Colour{150, 100, 80});
    }
    s.Ellipse(90, 66, 26, 25, RoughVolume(90, 66, 26, 25, skin, 0x60D, 5.0, 0.15));
    GlowingEye(s, 80, 61, 4.2, {240, 200, 40});
    GlowingEye(s, 100, 61, 4.2, {240, 200, 40});
    s.Stroke({{72, 54}, {86, 58}}, 3, {40, 60, 26});
    s.Stroke({{108, 54}, {94, 58}}, 3, {40, 60, 26});
    s.Fill({{88, 62}, {100, 84}, {86, 80}}, Volume(92, 74, 8, 12, {120, 168, 80}));
    s.Fill({{74, 84}, {106, 84}, {100, 92}, {80, 92}}, Colour{40, 14, 14});
    for (double tx = 78; tx < 104; tx += 6)
        s.Fill({{tx, 84}, {tx + 4, 84}, {tx + 2, 89}}, Colour{236, 226, 190});
    return s.Finish();
}

Image RenderSkeleton() {
    Sketch s(180, 260, Supersample);
    GroundShadow(s, 92, 250, 56, 7);
    const Colour bone{226, 216, 192};
    auto boneLimb = [&](PointF a, PointF b, double w) {
        Limb(s, a, b, w, w * 0.8, bone);
        s.Ellipse(b.X, b.Y, w * 0.75, w * 0.75, Volume(b.X, b.Y, w, w, bone));
    };
    // Legs, pelvis and spine.
    boneLimb({80, 172}, {74, 214}, 8);
    boneLimb({74, 214}, {72, 246}, 7);
    boneLimb({102, 172}, {108, 214}, 8);
    boneLimb({108, 214}, {112, 246}, 7);
    s.Ellipse(66, 249, 10, 4, Volume(66, 249, 10, 4, bone));
    s.Ellipse(118, 249, 10, 4, Volume(118, 249, 10, 4, bone));
    s.Fill({{68, 158}, {112, 158}, {106, 178}, {91, 170}, {76, 178}},
           Volume(90, 166, 26, 14, bone));
    for (double y = 82; y < 160; y += 8) s.Ellipse(90, y, 5, 3.6, Volume(90, y, 5, 3.6, bone));
    // Ribs, breastbone and collarbones.
    for (int i = 0; i < 5; ++i) {
        const double y = 94 + i * 11.0, reach = 28 - i * 2.5;
        for (double side : {-1.0, 1.0}) {
            s.Stroke(Quadratic({90, y}, {90 + side * (reach + 6), y - 2},
                               {90 + side * reach, y + 12}, 12),
                     3.6, Colour{210, 198, 172});
        }
    }
    s.Stroke({{90, 90}, {90, 138}}, 5, bone);
    s.Stroke({{90, 88}, {60, 92}}, 4.5, bone);
    s.Stroke({{90, 88}, {120, 92}}, 4.5, bone);
    // Arms: the left hangs, the right raises a notched sword.
    boneLimb({60, 94}, {50, 136}, 7.5);
    boneLimb({50, 136}, {56, 170}, 6.5);
    boneLimb({120, 94}, {136, 128}, 7.5);
    boneLimb({136, 128}, {148, 150}, 6.5);
    s.Fill({{146, 146}, {152, 150}, {172, 40}, {168, 30}, {164, 42}},
           RoughVolume(160, 90, 10, 60, {150, 142, 132}, 0x5E4, 4.0, 0.35));
    s.Stroke({{138, 144}, {160, 154}}, 4, Colour{100, 70, 40});
    s.Ellipse(148, 150, 5, 5, Volume(148, 150, 5, 5, bone));
    // Skull.
    s.Ellipse(90, 46, 23, 25, Volume(88, 42, 24, 26, bone, 0.3));
    s.Fill({{74, 58}, {106, 58}, {102, 78}, {78, 78}}, Volume(90, 62, 20, 18, {212, 202, 178}));
    for (double ex : {80.0, 100.0}) {
        s.Ellipse(ex, 47, 7, 8, Colour{12, 8, 8});
        GlowingEye(s, ex, 48, 1.6, {255, 60, 30});
    }
    s.Fill({{90, 54}, {86, 63}, {94, 63}}, Colour{20, 14, 12});
    s.Stroke({{77, 68}, {103, 68}}, 1.2, Colour{60, 50, 40});
    for (double tx = 80; tx <= 100; tx += 4)
        s.Stroke({{tx, 64}, {tx, 72}}, 1.0, Colour{80, 66, 52});
    return s.Finish();
}

}  // namespace kv::gen
