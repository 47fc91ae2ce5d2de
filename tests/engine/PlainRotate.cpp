#include "PlainRotate.h"

#include <algorithm>
#include <cmath>

#include "engine/draw/Blit.h"
#include "engine/draw/Rotate.h"

namespace mv {

void plainBlitRotate(TSurface& dest, int x, int y, int width, int height, const TSurface& source,
                     const TRect& srcRect, bool keyed, double centerX, double centerY, int angle, int alpha) {
  if (alpha <= 0 || width <= 0 || height <= 0) return;
  const TRect src = intersection(srcRect, source.clientRect());
  if (src.empty()) return;
  const auto& table = cosineTable();
  const double c = table[angle & 255], s = table[(angle + 192) & 255];

  // The scaled picture relative to its rotation centre, cut to whole pixels.
  const double cx = centerX * width, cy = centerY * height;
  const double u0 = std::trunc(-cx), u1 = std::trunc(width - cx);
  const double v0 = std::trunc(-cy), v1 = std::trunc(height - cy);
  if (!std::isfinite(u0) || !std::isfinite(v0) || u1 <= u0 || v1 <= v0) return;

  int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
  for (double u : {u0, u1})
    for (double v : {v0, v1}) {
      const double px = x + std::trunc(u * c - v * s), py = y + std::trunc(u * s + v * c);
      minX = std::min(minX, static_cast<int>(std::clamp(px, -1e9, 1e9)));
      maxX = std::max(maxX, static_cast<int>(std::clamp(px, -1e9, 1e9)));
      minY = std::min(minY, static_cast<int>(std::clamp(py, -1e9, 1e9)));
      maxY = std::max(maxY, static_cast<int>(std::clamp(py, -1e9, 1e9)));
    }
  // One pixel of margin: the truncated corners may fall a pixel inside the covered area.
  const TRect box = intersection({minX - 1, minY - 1, maxX + 2, maxY + 2}, dest.clientRect());
  if (box.empty()) return;

  // Each destination pixel centre is turned back into the picture and sampled at the nearest pixel.
  const double scaleX = src.width() / (u1 - u0), scaleY = src.height() / (v1 - v0);
  const double srcW = src.width(), srcH = src.height();
  const uint16_t key = source.colorKey();
  const bool blend = alpha < 255;
  for (int py = box.Top; py < box.Bottom; ++py) {
    const double dv = py + 0.5 - y;
    double du = box.Left + 0.5 - x;
    double su = (du * c + dv * s - u0) * scaleX, sv = (dv * c - du * s - v0) * scaleY;
    const double stepU = c * scaleX, stepV = -s * scaleY;
    uint16_t* d = dest.row(py);
    for (int px = box.Left; px < box.Right; ++px, su += stepU, sv += stepV) {
      if (su < 0 || sv < 0 || su >= srcW || sv >= srcH) continue;
      const uint16_t p = source.row(src.Top + static_cast<int>(sv))[src.Left + static_cast<int>(su)];
      if (keyed && p == key) continue;
      d[px] = blend ? blend565(p, d[px], alpha) : p;
    }
  }
}

}  // namespace mv
