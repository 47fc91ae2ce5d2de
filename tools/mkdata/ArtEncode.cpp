#include "ArtItem.h"

namespace mv::art {

TPicture toPicture(const Canvas& canvas, bool keyed) {
  std::vector<uint32_t> rgb;
  rgb.reserve(canvas.pixels().size());
  for (size_t i = 0; i < canvas.pixels().size(); ++i) {
    Color c = canvas.pixels()[i];
    int x = static_cast<int>(i % canvas.width()), y = static_cast<int>(i / canvas.width());
    if (keyed) {
      rgb.push_back(ditherOpaque(x, y, c.a) ? storedColor(c) : kKeyColor);
    } else {
      rgb.push_back(storedColor(shade(c, c.a / 255.0)));
    }
  }
  return TPicture(canvas.width(), canvas.height(), std::move(rgb));
}

}  // namespace mv::art
