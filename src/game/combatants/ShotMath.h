#pragma once
// The rounding words of the weapon arithmetic, safe for any double a broken step might produce.

#include <cmath>
#include <cstdint>

namespace mv {

// near(v): to the nearest integer, halves to the even neighbour (the default rounding mode).
inline int32_t nearRound(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(std::nearbyint(v));
}

// trunc(v): the fraction dropped, toward zero.
inline int32_t truncRound(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace mv
