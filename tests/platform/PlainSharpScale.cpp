#include "PlainSharpScale.h"

#include <cstddef>
#include <vector>

#include "platform/Presentation.h"
#include "platform/SharpScale.h"

namespace mv {
namespace {

// q's share is w / 256; red and blue are worked together in one word, green in another.
uint32_t blend(uint32_t p, uint32_t q, uint32_t w) {
  const uint32_t v = 256 - w;
  const uint32_t rb = (((p & 0xFF00FFu) * v + (q & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  const uint32_t g = (((p & 0x00FF00u) * v + (q & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

}  // namespace

void plainSharpScale(const uint16_t* source, int sourceWidth, int sourceHeight, int sourcePitch, uint32_t* target,
                     int targetWidth, int targetHeight, int targetPitch) {
  const AxisMap columns = mapAxis(sourceWidth, targetWidth), rows = mapAxis(sourceHeight, targetHeight);
  auto in = [&](int x, int y) {
    return rgb565ToArgb8888(source[static_cast<size_t>(y) * static_cast<size_t>(sourcePitch) + static_cast<size_t>(x)]);
  };
  auto across = [&](int x, int y) {
    const int32_t a = columns.first[static_cast<size_t>(x)];
    const uint32_t w = columns.weight[static_cast<size_t>(x)];
    return w ? blend(in(a, y), in(a + 1, y), w) : in(a, y);
  };
  for (int y = 0; y < targetHeight; ++y) {
    const int32_t a = rows.first[static_cast<size_t>(y)];
    const uint32_t w = rows.weight[static_cast<size_t>(y)];
    uint32_t* out = target + static_cast<size_t>(y) * static_cast<size_t>(targetPitch);
    for (int x = 0; x < targetWidth; ++x) out[x] = w ? blend(across(x, a), across(x, a + 1), w) : across(x, a);
  }
}

}  // namespace mv
