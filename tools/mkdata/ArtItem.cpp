#include "ArtItem.h"

namespace mv::art {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

bool ditherOpaque(int x, int y, uint8_t alpha) {
  return alpha * 16 > (kBayer[y & 3][x & 3] * 2 + 1) * 255 / 2;
}

int ArtItem::patternCount() const {
  int w = patternWidth > 0 ? patternWidth : picture.width();
  int h = patternHeight > 0 ? patternHeight : picture.height();
  if (w <= 0 || h <= 0) return 0;
  return (picture.width() / w) * (picture.height() / h);
}

uint16_t to565(uint32_t rgb) {
  uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

uint32_t storedColor(Color c) {
  uint32_t rgb = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
  if (to565(rgb) == to565(kKeyColor)) rgb = (rgb & 0xFF00FF) | 0x000400;
  return rgb;
}

}  // namespace mv::art
