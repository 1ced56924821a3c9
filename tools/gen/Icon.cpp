#include "Icon.h"

#include <vector>

#include "Paint.h"

namespace kv::gen {
namespace {

constexpr Colour SkyTop{14, 18, 52};
constexpr Colour SkyLow{70, 46, 96};
constexpr Colour MoonLight{246, 232, 176};
constexpr Colour Stone{22, 20, 34};
constexpr Colour Crag{10, 10, 18};
constexpr Colour Lamp{255, 196, 90};

// Small pictures keep more of the drawing's detail with a finer pad.
int PadFactor(int size) {
    return size < 96 ? 8 : 4;
}

}  // namespace

Image RenderIcon(int size) {
    const double s = size;
    Sketch pad(size, size, PadFactor(size), SkyTop);
    auto at = [s](double x, double y) { return PointF{x * s, y * s}; };

    pad.Shade([s](double, double y, Colour) { return Mix(SkyTop, SkyLow, y / s); });

    // The crescent: the full disc, then the sky taking a bite out of it.
    pad.Ellipse(0.74 * s, 0.24 * s, 0.15 * s, 0.15 * s, MoonLight);
    pad.Ellipse(0.80 * s, 0.19 * s, 0.13 * s, 0.13 * s,
                [s](double, double y) { return Mix(SkyTop, SkyLow, y / s); });

    // The tower with four merlons, standing on its crag.
    std::vector<PointF> tower = {at(0.30, 1.0), at(0.30, 0.40)};
    const double merlon = 0.40 / 7;
    for (int i = 0; i < 7; ++i) {
        const double x0 = 0.30 + merlon * i;
        const double top = i % 2 == 0 ? 0.40 : 0.46;
        tower.push_back(at(x0, top));
        tower.push_back(at(x0 + merlon, top));
    }
    tower.push_back(at(0.70, 1.0));
    pad.Fill(tower, Stone);
    pad.Fill({at(0.0, 1.0), at(0.0, 0.86), at(0.18, 0.80), at(0.36, 0.84), at(0.62, 0.82),
              at(0.84, 0.78), at(1.0, 0.84), at(1.0, 1.0)},
             Crag);

    // One lit window, arched, and the door below it.
    pad.Fill({at(0.46, 0.66), at(0.46, 0.56), at(0.50, 0.52), at(0.54, 0.56), at(0.54, 0.66)},
             Lamp);
    pad.Fill({at(0.44, 0.82), at(0.44, 0.74), at(0.50, 0.70), at(0.56, 0.74), at(0.56, 0.82)},
             Lamp * 0.55);
    return pad.Finish();
}

}  // namespace kv::gen
