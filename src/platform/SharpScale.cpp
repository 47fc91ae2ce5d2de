#include "platform/SharpScale.h"

#include <algorithm>
#include <cstring>

namespace mv {

namespace {

// q's share is w / 256; red and blue are worked together in one word, green in another.
inline uint32_t blend(uint32_t p, uint32_t q, uint32_t w) {
  const uint32_t v = 256 - w;
  const uint32_t rb = (((p & 0xFF00FFu) * v + (q & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  const uint32_t g = (((p & 0x00FF00u) * v + (q & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

}  // namespace

AxisMap mapAxis(int sourceSize, int viewSize) {
  AxisMap map;
  if (sourceSize <= 0 || viewSize <= 0) return map;
  map.first.resize(static_cast<size_t>(viewSize));
  map.weight.resize(static_cast<size_t>(viewSize));
  const int64_t s = sourceSize, v = viewSize;
  for (int64_t i = 0; i < v; ++i) {
    int64_t first = 0, weight = 0;
    if (v >= s) {
      // Screen pixel i covers [i s, (i + 1) s) in units of 1 / v surface pixels: at most two of them.
      const int64_t start = i * s, end = start + s;
      first = start / v;
      const int64_t boundary = (first + 1) * v;
      if (end > boundary) weight = ((end - boundary) * 256 + s / 2) / s;
    } else {
      // Its centre, (i + 0.5) s / v - 0.5 surface pixels, in 256ths.
      const int64_t centre = std::max<int64_t>(0, ((2 * i + 1) * s * 256 / v - 256) / 2);
      first = centre / 256;
      weight = centre % 256;
    }
    if (weight >= 256) {
      ++first;
      weight = 0;
    }
    if (first >= s - 1) {
      first = s - 1;
      weight = 0;
    }
    map.first[static_cast<size_t>(i)] = static_cast<int32_t>(first);
    map.weight[static_cast<size_t>(i)] = static_cast<uint16_t>(weight);
  }
  return map;
}

bool wholeMultiple(int surfaceWidth, int surfaceHeight, int viewWidth, int viewHeight) {
  return surfaceWidth > 0 && surfaceHeight > 0 && viewWidth > 0 && viewHeight > 0 &&
         viewWidth % surfaceWidth == 0 && viewHeight % surfaceHeight == 0 &&
         viewWidth / surfaceWidth == viewHeight / surfaceHeight;
}

const uint32_t* SharpScaler::scaledRow(const uint32_t* source, int sourcePitch, int row) {
  for (int k = 0; k < 2; ++k)
    if (slotRow_[k] == row) {
      nextSlot_ = k ^ 1;  // the other row is the one to give up next
      return slots_[k].data();
    }
  const int k = nextSlot_;
  nextSlot_ ^= 1;
  slotRow_[k] = row;
  uint32_t* out = slots_[k].data();
  const uint32_t* in = source + static_cast<size_t>(row) * static_cast<size_t>(sourcePitch);
  for (int x = 0; x < targetWidth_; ++x) {
    const int32_t a = columns_.first[static_cast<size_t>(x)];
    const uint32_t w = columns_.weight[static_cast<size_t>(x)];
    out[x] = w ? blend(in[a], in[a + 1], w) : (in[a] | 0xFF000000u);
  }
  return out;
}

void SharpScaler::scale(const uint32_t* source, int sourceWidth, int sourceHeight, int sourcePitch,
                        uint32_t* target, int targetWidth, int targetHeight, int targetPitch) {
  if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0 ||
      sourcePitch < sourceWidth || targetPitch < targetWidth)
    return;
  if (sourceWidth != sourceWidth_ || targetWidth != targetWidth_) {
    columns_ = mapAxis(sourceWidth, targetWidth);
    for (auto& slot : slots_) slot.assign(static_cast<size_t>(targetWidth), 0);
  }
  if (sourceHeight != sourceHeight_ || targetHeight != targetHeight_)
    rows_ = mapAxis(sourceHeight, targetHeight);
  sourceWidth_ = sourceWidth;
  sourceHeight_ = sourceHeight;
  targetWidth_ = targetWidth;
  targetHeight_ = targetHeight;
  slotRow_[0] = slotRow_[1] = -1;  // a new frame
  for (int y = 0; y < targetHeight; ++y) {
    const int32_t a = rows_.first[static_cast<size_t>(y)];
    const uint32_t w = rows_.weight[static_cast<size_t>(y)];
    uint32_t* out = target + static_cast<size_t>(y) * static_cast<size_t>(targetPitch);
    const uint32_t* upper = scaledRow(source, sourcePitch, a);
    if (!w) {
      std::memcpy(out, upper, static_cast<size_t>(targetWidth) * sizeof(uint32_t));
      continue;
    }
    const uint32_t* lower = scaledRow(source, sourcePitch, a + 1);  // fills the slot a is not in
    for (int x = 0; x < targetWidth; ++x) out[x] = blend(upper[x], lower[x], w);
  }
}

}  // namespace mv
