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

// False only where two boxes of width x height at the truncated positions ax, ay and bx, by are
// certainly apart: truncation moves a coordinate by less than a pixel, so boxes whose positions differ
// by two pixels more than a size cannot meet. A cheap look before the collision test when one sprite is
// tested against a crowd; coordinates that truncPixel would pin, and NaN, are left to the real test.
inline bool mayMeet(double ax, double ay, int32_t aw, int32_t ah, double bx, double by, int32_t bw, int32_t bh) {
  constexpr double kPinned = 1e9;
  if (!(std::abs(ax) < kPinned && std::abs(ay) < kPinned && std::abs(bx) < kPinned && std::abs(by) < kPinned))
    return true;
  return bx - ax < aw + 2.0 && ax - bx < bw + 2.0 && by - ay < ah + 2.0 && ay - by < bh + 2.0;
}

// Whether a picture of w x h turned about (cx, cy) can reach the clip rectangle. Turned any way about a
// centre within its box, no pixel lies further from the centre than its width and height together, with
// room to spare for rounding; the drawing of one that cannot reach is passed by before any work.
inline bool turnedMayShow(const TRect& clip, int64_t cx, int64_t cy, int64_t w, int64_t h) {
  const int64_t reach = (w < 0 ? -w : w) + (h < 0 ? -h : h) + 4;
  return cx + reach > clip.Left && cx - reach < clip.Right && cy + reach > clip.Top && cy - reach < clip.Bottom;
}

}  // namespace mv
