#include "TownSquare.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "Noise.h"
#include "TownFountain.h"
#include "TownMaterials.h"
#include "TownSpace.h"

namespace kv::gen {
namespace {

constexpr double HouseFront = 10.0;  // house fronts at x = -HouseFront and +HouseFront
constexpr double Depth = 9.0;
constexpr double Storey = 3.0;
constexpr double RowEnd = 44;   // where the rows along the sides end
constexpr double FarSide = 56;  // the houses across the far side
constexpr double Road = 3.2;    // half the width of the road to the castle
constexpr double FountainZ = 20;
constexpr uint64_t FarSideSeed = 0x7E33;
constexpr uint64_t LeftRowSeed = 0x7E11;
constexpr uint64_t RightRowSeed = 0x7E22;

constexpr std::array<Colour, 6> Plasters{{{206, 190, 168},
                                          {198, 176, 182},
                                          {214, 200, 172},
                                          {180, 176, 198},
                                          {222, 194, 156},
                                          {190, 196, 184}}};
constexpr std::array<Colour, 2> Stones{{{150, 142, 150}, {146, 132, 124}}};
constexpr std::array<Colour, 4> Roofs{{{92, 76, 104}, {138, 74, 62}, {84, 84, 112}, {124, 86, 66}}};
constexpr std::array<Colour, 3> Shutters{{{64, 104, 86}, {128, 62, 54}, {62, 84, 128}}};
constexpr std::array<Colour, 3> SignBoards{{{120, 40, 40}, {40, 70, 110}, {60, 96, 60}}};
constexpr Colour Timber{72, 50, 44};
constexpr Colour Iron{44, 42, 52};
constexpr Colour DarkGlass{56, 60, 100};
constexpr Colour LampGlass{255, 222, 150};

const Vec3 TowardViewer{0, 0, -1};
const Vec3 TowardSquare{-1, 0, 0};  // for the right-hand row as built

struct House {
    double Z0 = 0, Z1 = 0;    // along the square
    double Eave = 0;          // wall height at the front
    double Rise = 0;          // ridge above the eaves
    bool GableFront = false;  // gable turned to the square, else ridge along it
    bool Timbered = false;
    bool StoneWalls = false;
    Colour Wall, Roof;
    uint64_t Seed = 0;
};

template <size_t N>
Colour Pick(Rng& rng, const std::array<Colour, N>& colours) {
    return colours[static_cast<size_t>(rng.Below(static_cast<int>(N)))];
}

// One row of houses along the square, near to far.
std::vector<House> Row(uint64_t seed, double start) {
    Rng rng(seed);
    std::vector<House> row;
    for (double z = start; z < RowEnd;) {
        House h;
        h.Z0 = z;
        h.Z1 = z + rng.Range(5.5, 8.0);
        h.Eave = Storey * (2 + rng.Below(2)) + rng.Range(0.3, 0.8);
        h.GableFront = rng.Unit() < 0.5;
        h.Rise = h.GableFront ? (h.Z1 - h.Z0) * rng.Range(0.6, 0.8) : rng.Range(5.0, 6.5);
        h.StoneWalls = rng.Unit() < 0.25;
        h.Timbered = !h.StoneWalls && rng.Unit() < 0.6;
        h.Wall = h.StoneWalls ? Pick(rng, Stones) : Pick(rng, Plasters);
        h.Roof = Pick(rng, Roofs);
        h.Seed = rng.Next();
        row.push_back(h);
        // Now and then an alley between two houses.
        z = h.Z1 + (rng.Unit() < 0.18 ? rng.Range(1.2, 2.0) : 0.0);
    }
    return row;
}

void Window(TownPainter& paint, Rng& rng, double z0, double z1, double sill, double head,
            double litChance, bool shutters) {
    const Albedo frame = Wood(Timber * 0.8, static_cast<uint32_t>(rng.Next()));
    paint.Face(WallRect(HouseFront, z0 - 0.1, z1 + 0.1, sill - 0.12, head + 0.1), TowardSquare,
               frame);
    const bool lit = rng.Unit() < litChance;
    if (lit) {
        const Colour warm = Mix(Colour{255, 206, 120}, Colour{255, 150, 72}, rng.Unit());
        paint.Shine(WallRect(HouseFront, z0, z1, sill, head), TowardSquare,
                    Interior(warm, sill, head));
        paint.Light({HouseFront, (sill + head) / 2, (z0 + z1) / 2}, 0.9 + 0.4 * (head - sill),
                    warm * 0.5);
    } else {
        paint.Face(WallRect(HouseFront, z0, z1, sill, head), TowardSquare, Plain(DarkGlass));
    }
    // Glazing bars.
    const double mid = (z0 + z1) / 2, bar = sill + (head - sill) * 0.58;
    paint.Face(WallRect(HouseFront, mid - 0.035, mid + 0.035, sill, head), TowardSquare, frame);
    paint.Face(WallRect(HouseFront, z0, z1, bar - 0.035, bar + 0.035), TowardSquare, frame);
    if (shutters && !lit) {
        const Albedo paintwork = Wood(Pick(rng, Shutters), static_cast<uint32_t>(rng.Next()));
        const double w = (z1 - z0) / 2;
        paint.Face(WallRect(HouseFront, z0 - 0.1 - w, z0 - 0.12, sill - 0.05, head + 0.05),
                   TowardSquare, paintwork);
        paint.Face(WallRect(HouseFront, z1 + 0.12, z1 + 0.1 + w, sill - 0.05, head + 0.05),
                   TowardSquare, paintwork);
    }
}

void Door(TownPainter& paint, Rng& rng, const House& h, double z0) {
    const double z1 = z0 + 1.1, head = 2.3;
    const Albedo surround = Stonework(Stones[0], static_cast<uint32_t>(h.Seed + 5));
    paint.Face(WallRect(HouseFront, z0 - 0.18, z1 + 0.18, 0, head + 0.2), TowardSquare, surround);
    if (rng.Unit() < 0.25) {
        // Open, the room beyond lit.
        const Colour warm{255, 170, 90};
        paint.Shine(WallRect(HouseFront, z0, z1, 0, head), TowardSquare, Interior(warm, 0, head));
        paint.Light({HouseFront, 1.2, (z0 + z1) / 2}, 1.8, warm * 0.45);
    } else {
        paint.Face(WallRect(HouseFront, z0, z1, 0, head), TowardSquare,
                   Wood(Colour{110, 72, 52}, static_cast<uint32_t>(h.Seed + 6)));
    }
    if (rng.Unit() < 0.4) {
        // A hanging sign on a bracket beside the door.
        const double z = z0 - 0.5;
        const Albedo iron = Plain(Iron);
        paint.Face(EndRect(z, HouseFront - 1.0, HouseFront, 3.32, 3.4), TowardViewer, iron);
        paint.Face(EndRect(z, HouseFront - 0.9, HouseFront - 0.2, 2.55, 3.22), TowardViewer,
                   Wood(Pick(rng, SignBoards), static_cast<uint32_t>(h.Seed + 7)));
        const double cx = HouseFront - 0.55, cy = 2.885;
        std::vector<Vec3> emblem;
        for (int i = 0; i < 10; ++i) {
            const double a = i * 0.6283185307179586;
            emblem.push_back({cx + 0.2 * std::cos(a), cy + 0.2 * std::sin(a), z - 0.01});
        }
        paint.Face(emblem, TowardViewer, Plain(Colour{214, 172, 84}));
    }
}

// Windows, door, sign and timbers of the wall facing the square.
void Frontage(TownPainter& paint, const House& h) {
    Rng rng(h.Seed);
    const double width = h.Z1 - h.Z0;
    const int storeys = static_cast<int>(h.Eave / Storey);
    const int slots = std::max(1, static_cast<int>(width / 2.2));
    const double slot = width / slots;
    const Albedo timber = Wood(Timber, static_cast<uint32_t>(h.Seed + 1));
    auto beam = [&](double z0, double z1, double y0, double y1) {
        paint.Face(WallRect(HouseFront, z0, z1, y0, y1), TowardSquare, timber);
    };
    auto brace = [&](double za, double ya, double zb, double yb) {
        const double t = 0.09;
        paint.Face({{HouseFront, ya - t, za},
                    {HouseFront, ya + t, za},
                    {HouseFront, yb + t, zb},
                    {HouseFront, yb - t, zb}},
                   TowardSquare, timber);
    };
    if (h.Timbered) {
        for (int k = 1; k < storeys; ++k) beam(h.Z0, h.Z1, k * Storey - 0.12, k * Storey + 0.12);
        beam(h.Z0, h.Z1, h.Eave - 0.22, h.Eave);
        for (int i = 0; i <= slots; ++i) {
            const double z = std::clamp(h.Z0 + i * slot, h.Z0 + 0.12, h.Z1 - 0.12);
            beam(z - 0.12, z + 0.12, Storey, h.Eave);
        }
        for (int k = 1; k < storeys; ++k) {
            for (int i = 0; i < slots; ++i) {
                const double c = h.Z0 + (i + 0.5) * slot, base = k * Storey;
                brace(c - 0.55, base + 0.12, c + 0.55, base + 0.8);
                brace(c - 0.55, base + 0.8, c + 0.55, base + 0.12);
            }
        }
        if (h.GableFront) {
            const double zm = (h.Z0 + h.Z1) / 2;
            beam(zm - 0.11, zm + 0.11, h.Eave, h.Eave + h.Rise - 0.3);
        }
    }
    // Ground floor: the door and, where there is room, a shop window.
    const double door = h.Z0 + rng.Range(0.5, std::max(0.6, width - 1.6));
    Door(paint, rng, h, door);
    if (door - h.Z0 > 2.6) {
        Window(paint, rng, h.Z0 + 0.5, door - 0.6, 0.8, 2.2, 0.8, false);
    } else if (h.Z1 - door > 3.8) {
        Window(paint, rng, door + 1.7, h.Z1 - 0.5, 0.8, 2.2, 0.8, false);
    }
    const bool shutters = rng.Unit() < 0.4;
    for (int k = 1; k < storeys; ++k) {
        for (int i = 0; i < slots; ++i) {
            const double c = h.Z0 + (i + 0.5) * slot, base = k * Storey;
            Window(paint, rng, c - 0.45, c + 0.45, base + 0.95, base + 2.35, 0.55, shutters);
        }
    }
    if (h.GableFront && h.Rise > 3.0) {
        const double zm = (h.Z0 + h.Z1) / 2;
        Window(paint, rng, zm - 0.35, zm + 0.35, h.Eave + 0.5, h.Eave + 1.5, 0.5, false);
    }
}

// The right-hand row's houses as built: front at x = HouseFront, back further out.
void DrawHouse(TownPainter& paint, const House& h) {
    const double front = HouseFront, back = HouseFront + Depth, ridge = HouseFront + Depth / 2;
    const double zm = (h.Z0 + h.Z1) / 2, top = h.Eave + h.Rise;
    constexpr double over = 0.4, drop = 0.25;  // the roof's overhang
    const Albedo wall = h.StoneWalls ? Stonework(h.Wall, static_cast<uint32_t>(h.Seed))
                                     : Plaster(h.Wall, static_cast<uint32_t>(h.Seed));
    const Albedo roof = Roofing(h.Roof, static_cast<uint32_t>(h.Seed + 2));
    const Albedo edge = Plain(h.Roof * 0.45);
    // End wall toward the viewer, seen above the nearer house.
    if (h.GableFront) {
        paint.Face(EndRect(h.Z0, front, back, 0, h.Eave), TowardViewer, wall);
    } else {
        paint.Face({{front, 0, h.Z0},
                    {back, 0, h.Z0},
                    {back, h.Eave, h.Z0},
                    {ridge, top, h.Z0},
                    {front, h.Eave, h.Z0}},
                   TowardViewer, wall);
    }
    // The wall facing the square.
    if (h.GableFront) {
        paint.Face({{front, 0, h.Z0},
                    {front, 0, h.Z1},
                    {front, h.Eave, h.Z1},
                    {front, top, zm},
                    {front, h.Eave, h.Z0}},
                   TowardSquare, wall);
    } else {
        paint.Face(WallRect(front, h.Z0, h.Z1, 0, h.Eave), TowardSquare, wall);
    }
    Frontage(paint, h);
    // Roof, then a chimney rising out of its near slope.
    Rng rng(h.Seed + 3);
    const bool chimney = rng.Unit() < 0.6;
    const double chimneyTop = top + rng.Range(0.3, 0.9);
    const Albedo brick = Stonework(Colour{150, 100, 88}, static_cast<uint32_t>(h.Seed + 4));
    if (h.GableFront) {
        const double run = zm - h.Z0 + over, rise = h.Rise + drop;
        const Vec3 n = Normalised({0, run, -rise});
        paint.Face({{front - over, h.Eave - drop, h.Z0 - over},
                    {back, h.Eave - drop, h.Z0 - over},
                    {back, top, zm},
                    {front - over, top, zm}},
                   n, roof);
        // Barge boards along the gable.
        paint.Face({{front - over, h.Eave - drop, h.Z0 - over},
                    {front - over, top, zm},
                    {front - over, h.Eave - drop, h.Z1 + over},
                    {front - over, h.Eave - drop + 0.3, h.Z1 + over},
                    {front - over, top + 0.3, zm},
                    {front - over, h.Eave - drop + 0.3, h.Z0 - over}},
                   TowardSquare, edge);
        if (chimney) {
            const double za = zm - 1.6, zb = zm - 0.9, xa = front + 2.5, xb = xa + 0.8;
            auto height = [&](double z) { return h.Eave + h.Rise * (z - h.Z0) / (zm - h.Z0); };
            paint.Face(EndRect(za, xa, xb, height(za), chimneyTop), TowardViewer, brick);
            paint.Face({{xa, height(za), za},
                        {xa, height(zb), zb},
                        {xa, chimneyTop, zb},
                        {xa, chimneyTop, za}},
                       TowardSquare, brick);
        }
    } else {
        const double run = ridge - front + over, rise = h.Rise + drop;
        const Vec3 n = Normalised({-rise, run, 0});
        paint.Face({{front - over, h.Eave - drop, h.Z0},
                    {front - over, h.Eave - drop, h.Z1},
                    {ridge, top, h.Z1},
                    {ridge, top, h.Z0}},
                   n, roof);
        paint.Face({{front - over, h.Eave - drop, h.Z0},
                    {ridge, top, h.Z0},
                    {back + over, h.Eave - drop, h.Z0},
                    {back + over, h.Eave - drop + 0.3, h.Z0},
                    {ridge, top + 0.3, h.Z0},
                    {front - over, h.Eave - drop + 0.3, h.Z0}},
                   TowardViewer, edge);
        if (chimney) {
            const double za = h.Z0 + (h.Z1 - h.Z0) * rng.Range(0.2, 0.7), zb = za + 0.7;
            const double xa = front + 2.6, xb = xa + 0.8;
            auto height = [&](double x) { return h.Eave + h.Rise * (x - front) / (ridge - front); };
            paint.Face({{xa, height(xa), za},
                        {xb, height(xb), za},
                        {xb, chimneyTop, za},
                        {xa, chimneyTop, za}},
                       TowardViewer, brick);
            paint.Face(WallRect(xa, za, zb, height(xa), chimneyTop), TowardSquare, brick);
        }
    }
}

// Houses closing the square's far side, turned to the viewer, with the road
// up to the castle between them. Built for the right-hand half.
void DrawFarSide(TownPainter& paint, uint64_t seed) {
    Rng rng(seed);
    struct Front {
        double X0, X1, Eave, Rise;
        bool Gable;
        Colour Wall, Roof;
        uint64_t Seed;
    };
    std::vector<Front> fronts;
    for (double x = Road; x < HouseFront + 6;) {
        Front f{x,
                x + rng.Range(5.0, 7.0),
                rng.Range(5.6, 7.4),
                0,
                rng.Unit() < 0.5,
                Pick(rng, Plasters),
                Pick(rng, Roofs),
                rng.Next()};
        f.Rise = f.Gable ? (f.X1 - f.X0) * rng.Range(0.55, 0.7) : rng.Range(3.0, 4.0);
        fronts.push_back(f);
        x = f.X1;
    }
    constexpr double z = FarSide;
    for (auto f = fronts.rbegin(); f != fronts.rend(); ++f) {
        const Albedo wall = Plaster(f->Wall, static_cast<uint32_t>(f->Seed));
        const Albedo roof = Roofing(f->Roof, static_cast<uint32_t>(f->Seed + 1));
        const double mid = (f->X0 + f->X1) / 2, top = f->Eave + f->Rise;
        if (f->X0 <= Road) {
            // The side wall along the road.
            paint.Face(WallRect(f->X0, z, z + 8, 0, f->Eave), TowardSquare, wall);
        }
        if (f->Gable) {
            paint.Face({{f->X0, 0, z},
                        {f->X1, 0, z},
                        {f->X1, f->Eave, z},
                        {mid, top, z},
                        {f->X0, f->Eave, z}},
                       TowardViewer, wall);
            paint.Face({{f->X0 - 0.3, f->Eave - 0.2, z - 0.3},
                        {mid, top, z - 0.3},
                        {f->X1 + 0.3, f->Eave - 0.2, z - 0.3},
                        {f->X1 + 0.3, f->Eave + 0.15, z - 0.3},
                        {mid, top + 0.35, z - 0.3},
                        {f->X0 - 0.3, f->Eave + 0.15, z - 0.3}},
                       TowardViewer, Plain(f->Roof * 0.45));
        } else {
            paint.Face(EndRect(z, f->X0, f->X1, 0, f->Eave), TowardViewer, wall);
            const Vec3 n = Normalised({0, 4.3, -f->Rise - 0.2});
            paint.Face({{f->X0 - 0.3, f->Eave - 0.2, z - 0.3},
                        {f->X1 + 0.3, f->Eave - 0.2, z - 0.3},
                        {f->X1 + 0.3, top, z + 4},
                        {f->X0 - 0.3, top, z + 4}},
                       n, roof);
        }
        Rng detail(f->Seed);
        const Albedo frame = Wood(Timber * 0.8, static_cast<uint32_t>(f->Seed + 2));
        for (int k = 0; k < 2; ++k) {
            for (const double c :
                 {f->X0 + (f->X1 - f->X0) * 0.28, f->X0 + (f->X1 - f->X0) * 0.72}) {
                const double sill = k * Storey + 0.9, head = sill + 1.4;
                paint.Face(EndRect(z, c - 0.55, c + 0.55, sill - 0.1, head + 0.1), TowardViewer,
                           frame);
                if (detail.Unit() < 0.55) {
                    const Colour warm =
                        Mix(Colour{255, 206, 120}, Colour{255, 150, 72}, detail.Unit());
                    paint.Shine(EndRect(z, c - 0.45, c + 0.45, sill, head), TowardViewer,
                                Interior(warm, sill, head));
                    paint.Light({c, (sill + head) / 2, z}, 1.2, warm * 0.5);
                } else {
                    paint.Face(EndRect(z, c - 0.45, c + 0.45, sill, head), TowardViewer,
                               Plain(DarkGlass));
                }
            }
        }
    }
}

void DrawLamp(TownPainter& paint, const TownLamp& lamp) {
    const Albedo iron = Plain(Iron);
    const double x = lamp.X, z = lamp.Z;
    paint.Face(EndRect(z, x - 0.16, x + 0.16, 0, 0.5), TowardViewer, iron);
    paint.Face(EndRect(z, x - 0.06, x + 0.06, 0, LanternLow), TowardViewer, iron);
    paint.Face(EndRect(z, x - 0.22, x + 0.22, LanternLow - 0.08, LanternLow), TowardViewer, iron);
    paint.Shine(EndRect(z, x - 0.18, x + 0.18, LanternLow, LanternHigh), TowardViewer,
                Plain(LampGlass));
    paint.Face(EndRect(z - 0.01, x - 0.025, x + 0.025, LanternLow, LanternHigh), TowardViewer,
               iron);
    paint.Face({{x - 0.27, LanternHigh, z}, {x + 0.27, LanternHigh, z}, {x, LanternHigh + 0.3, z}},
               TowardViewer, iron);
    paint.Light({x, (LanternLow + LanternHigh) / 2, z}, 1.5, LampLight);
}

}  // namespace

std::vector<TownLight> DrawTownSquare(Sketch& sketch) {
    TownPainter paint(sketch);
    // Cobbles from the eye line down.
    const Vec3 up{0, 1, 0};
    const Albedo cobbles = Cobbles();
    sketch.Fill({{0, TownHorizon}, {640, TownHorizon}, {640, 480}, {0, 480}},
                [&](double x, double y) {
                    if (y <= TownHorizon + 0.05) return TownHaze;
                    const double z = TownFocal * TownEye / (y - TownHorizon);
                    const Vec3 p{(x - TownCentre) * z / TownFocal, 0, z};
                    return Hazed(cobbles(p) * Illumination(p, up, 1.8) + Reflections(x, y, p), z);
                });
    paint.SetSide(-1);
    DrawFarSide(paint, FarSideSeed);
    paint.SetSide(1);
    DrawFarSide(paint, FarSideSeed + 1);
    const std::vector<House> left = Row(LeftRowSeed, 8.0);
    const std::vector<House> right = Row(RightRowSeed, 9.5);
    paint.SetSide(-1);
    for (auto h = left.rbegin(); h != left.rend(); ++h) DrawHouse(paint, *h);
    paint.SetSide(1);
    for (auto h = right.rbegin(); h != right.rend(); ++h) DrawHouse(paint, *h);
    paint.SetSide(1);
    DrawFountain(paint, FountainZ);
    std::vector<TownLamp> lamps(TownLamps.begin(), TownLamps.end());
    std::sort(lamps.begin(), lamps.end(),
              [](const TownLamp& a, const TownLamp& b) { return a.Z > b.Z; });
    for (const TownLamp& lamp : lamps) DrawLamp(paint, lamp);
    return paint.Lights();
}

}  // namespace kv::gen
