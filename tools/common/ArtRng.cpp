#include "common/ArtRng.h"

#include <cmath>

namespace mv::art {

namespace {

double lattice(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<double>(h & 0xFFFFFF) / 16777216.0;
}

double smooth(double t) {
  return t * t * (3.0 - 2.0 * t);
}

}  // namespace

double valueNoise(double x, double y, uint32_t seed) {
  double fx = std::floor(x), fy = std::floor(y);
  auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  double tx = smooth(x - fx), ty = smooth(y - fy);
  double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
  double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
  double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, weight = 0.5, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += valueNoise(x * scale, y * scale, seed + static_cast<uint32_t>(i) * 101u) * weight;
    total += weight;
    weight *= 0.5;
    scale *= 2;
  }
  return total > 0 ? sum / total : 0;
}

}  // namespace mv::art
