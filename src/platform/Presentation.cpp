#include "platform/Presentation.h"

#include <algorithm>

namespace mv {

Viewport letterbox(int surfaceWidth, int surfaceHeight, int outputWidth, int outputHeight) {
  Viewport v;
  if (surfaceWidth <= 0 || surfaceHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) return v;
  // Compare the ratios crosswise in 64 bits so no rounding decides which side gets the bars.
  int64_t wide = static_cast<int64_t>(outputWidth) * surfaceHeight;
  int64_t tall = static_cast<int64_t>(outputHeight) * surfaceWidth;
  if (wide >= tall) {
    v.height = outputHeight;
    v.width = static_cast<int>(static_cast<int64_t>(outputHeight) * surfaceWidth / surfaceHeight);
  } else {
    v.width = outputWidth;
    v.height = static_cast<int>(static_cast<int64_t>(outputWidth) * surfaceHeight / surfaceWidth);
  }
  v.x = (outputWidth - v.width) / 2;
  v.y = (outputHeight - v.height) / 2;
  return v;
}

void outputToSurface(const Viewport& view, int surfaceWidth, int surfaceHeight, int outX, int outY, int& x,
                     int& y) {
  if (view.width <= 0 || view.height <= 0 || surfaceWidth <= 0 || surfaceHeight <= 0) {
    x = y = 0;
    return;
  }
  auto map = [](int out, int origin, int extent, int size) {
    int64_t v = static_cast<int64_t>(out - origin) * size;
    // Floor, not truncation, so a point just left of the picture maps outside it before clamping.
    int64_t q = v >= 0 ? v / extent : -((-v + extent - 1) / extent);
    return static_cast<int>(std::clamp<int64_t>(q, 0, size - 1));
  };
  x = map(outX, view.x, view.width, surfaceWidth);
  y = map(outY, view.y, view.height, surfaceHeight);
}

}  // namespace mv
