#include "Noise.h"

#include <cmath>

namespace kv::gen {
namespace {

int Wrap(int value, int period) {
    if (period <= 0) return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

uint32_t Rng::Next() {
    // SplitMix64: tiny, fast and fully defined, so every build agrees.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

double Rng::Unit() {
    return Next() / 4294967296.0;
}

double Rng::Range(double low, double high) {
    return low + (high - low) * Unit();
}

int Rng::Below(int count) {
    if (count <= 0) return 0;
    return static_cast<int>(Unit() * count);
}

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Lattice(int x, int y, uint32_t seed) {
    return Hash(x, y, seed) / 4294967296.0;
}

double ValueNoise(double x, double y, uint32_t seed, int periodX, int periodY) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const int xa = Wrap(x0, periodX);
    const int xb = Wrap(x0 + 1, periodX);
    const int ya = Wrap(y0, periodY);
    const int yb = Wrap(y0 + 1, periodY);
    const double top = Lattice(xa, ya, seed) + (Lattice(xb, ya, seed) - Lattice(xa, ya, seed)) * tx;
    const double bottom =
        Lattice(xa, yb, seed) + (Lattice(xb, yb, seed) - Lattice(xa, yb, seed)) * tx;
    return top + (bottom - top) * ty;
}

double Fractal(double x, double y, uint32_t seed, int octaves, int periodX, int periodY) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 1013u, periodX, periodY) * weight;
        total += weight;
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return total > 0.0 ? sum / total : 0.0;
}

}  // namespace kv::gen
