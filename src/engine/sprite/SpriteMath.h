#pragma once
// Small numeric helpers shared by the sprite classes.

#include <cmath>
#include <cstdint>

#include "engine/draw/Geometry.h"

namespace mv {

// trunc() of a sprite coordinate as a pixel. Coordinates beyond a billion pixels (or NaN from a broken
// physics step) are pinned so that rectangle arithmetic never overflows.
inline int32_t truncPixel(double v) {
  constexpr double kLimit = 1e9;
  if (!(v > -kLimit)) return v != v ? 0 : -static_cast<int32_t>(kLimit);
  if (v > kLimit) return static_cast<int32_t>(kLimit);
  return static_cast<int32_t>(v);
}

// Modulo whose result takes the sign of the divisor (never negative for a positive m).
inline int32_t floorMod(int32_t a, int32_t m) {
  int32_t r = a % m;
  return (r != 0 && ((r < 0) != (m < 0))) ? r + m : r;
}

// Integer division rounding toward minus infinity.
inline int32_t floorDiv(int32_t a, int32_t m) {
  int32_t q = a / m;
  return (a % m != 0 && ((a < 0) != (m < 0))) ? q - 1 : q;
}

// Two rectangles meet when they share a pixel; a rectangle without area meets nothing, even inside another.
inline bool meets(const TRect& a, const TRect& b) {
  return !a.empty() && !b.empty() && overlap(a, b);
}

}  // namespace mv
