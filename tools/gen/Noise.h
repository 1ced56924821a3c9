#pragma once
// Deterministic randomness for the art: a small seeded generator and lattice
// value noise. Everything derives from explicit seeds, so every run draws the
// same pictures bit for bit.
#include <cstdint>

namespace kv::gen {

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint32_t Next();
    double Unit();  // [0, 1)
    double Range(double low, double high);
    int Below(int count);  // 0 .. count-1 (0 when count <= 0)

  private:
    uint64_t state_;
};

// A well-mixed 32-bit hash of a lattice point.
uint32_t Hash(int x, int y, uint32_t seed);
double Lattice(int x, int y, uint32_t seed);  // [0, 1)

// Smooth value noise in [0, 1]; a positive period wraps the lattice so the
// noise tiles (x with periodX cells, y with periodY).
double ValueNoise(double x, double y, uint32_t seed, int periodX = 0, int periodY = 0);

// Octaves of value noise, each twice as fine and half as strong; [0, 1].
double Fractal(double x, double y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

}  // namespace kv::gen
