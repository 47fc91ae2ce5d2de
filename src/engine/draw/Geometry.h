#pragma once
#include <algorithm>
#include <cstdint>

namespace mv {

// A rectangle with exclusive right and bottom edges, as the drawing code and the sprite tree use it.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  int32_t width() const { return Right - Left; }
  int32_t height() const { return Bottom - Top; }
  bool empty() const { return Right <= Left || Bottom <= Top; }
  TRect moved(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  bool operator==(const TRect&) const = default;
};

inline TRect boundsRect(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

// Two rectangles overlap when they share at least one pixel; sharing an edge is not enough, and an
// empty rectangle meets nothing.
inline bool overlap(const TRect& a, const TRect& b) {
  return !a.empty() && !b.empty() && a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
}

inline TRect intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

}  // namespace mv
