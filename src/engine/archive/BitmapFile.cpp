#include "engine/archive/BitmapFile.h"

#include "engine/archive/Picture.h"

namespace mv {

void saveBitmapFile(const TSurface& surface, const TRect& rect, const std::string& path) {
  const TRect r = intersection(rect, surface.clientRect());
  const int w = r.empty() ? 0 : r.width(), h = r.empty() ? 0 : r.height();
  std::vector<uint32_t> rgb(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const uint16_t* src = surface.row(r.Top + y) + r.Left;
    for (int x = 0; x < w; ++x) {
      // Each channel's top bits are repeated into the low ones, so white stays white.
      const uint32_t p = src[x], r5 = p >> 11, g6 = (p >> 5) & 63, b5 = p & 31;
      rgb[static_cast<size_t>(y) * w + x] =
          (((r5 << 3) | (r5 >> 2)) << 16) | (((g6 << 2) | (g6 >> 4)) << 8) | ((b5 << 3) | (b5 >> 2));
    }
  }
  saveBitmapFile(TPicture(w, h, std::move(rgb)), path);
}

}  // namespace mv
