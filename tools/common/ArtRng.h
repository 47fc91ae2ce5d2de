#pragma once
#include <cstdint>

namespace mv::art {

// The art must come out byte for byte the same on every build, so it draws its randomness from this
// small fixed-seed generator (xorshift64*) instead of the library's engines and distributions, whose
// results may differ between standard libraries.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
    if (state_ == 0) state_ = 1;
  }

  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // A whole number 0 .. n - 1 (0 when n <= 0).
  int below(int n) { return n <= 0 ? 0 : static_cast<int>((next() >> 33) % static_cast<uint64_t>(n)); }
  // A real number in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

 private:
  uint64_t state_;
};

// Smooth value noise on a lattice, hashed from the coordinates so that any point can be asked for in
// any order and still give the same value.
double valueNoise(double x, double y, uint32_t seed);
// Several octaves of value noise, result roughly in [0, 1).
double fractalNoise(double x, double y, uint32_t seed, int octaves);

}  // namespace mv::art
