// The keyed row copy in every instruction set the processor has, against the pixel-by-pixel rule: every
// width from 1 to 40 at every relative alignment of source and destination.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/draw/Blit.h"
#include "engine/draw/RowCopy.h"

namespace mv {
namespace {

constexpr uint16_t kKey = 0xF81F;

std::vector<SimdLevel> levels() {
  std::vector<SimdLevel> out;
  for (SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2})
    if (simdLevelAvailable(level)) out.push_back(level);
  return out;
}

const char* name(SimdLevel level) {
  return level == SimdLevel::Avx2 ? "avx2" : level == SimdLevel::Sse2 ? "sse2" : "scalar";
}

TEST(RowCopy, EveryWidthAndAlignmentMatchesThePixelRule) {
  std::mt19937 random(5);
  // Runs of key pixels as well as single ones, so that whole vectors are kept and whole vectors copied.
  std::vector<uint16_t> source(4 * 64 + 64), dest(4 * 64 + 64), expected;
  for (size_t i = 0; i < source.size(); ++i)
    source[i] = (i / 8) % 3 == 0 ? kKey : random() % 3 == 0 ? kKey : static_cast<uint16_t>(random());
  for (SimdLevel level : levels())
    for (int width = 1; width <= 40; ++width)
      for (int sourceOffset = 0; sourceOffset < 16; ++sourceOffset)
        for (int destOffset = 0; destOffset < 16; ++destOffset) {
          for (size_t i = 0; i < dest.size(); ++i) dest[i] = static_cast<uint16_t>(i * 31 + width);
          expected = dest;
          // Three rows of a block with pitch 64, starting at the offsets.
          for (int row = 0; row < 3; ++row)
            for (int i = 0; i < width; ++i) {
              const uint16_t p = source[sourceOffset + row * 64 + i];
              if (p != kKey) expected[destOffset + row * 80 + i] = p;
            }
          copyRowsKeyed(dest.data() + destOffset, 80, source.data() + sourceOffset, 64, width, 3, kKey, level);
          ASSERT_EQ(dest, expected) << name(level) << " width " << width << " offsets " << sourceOffset << ", "
                                    << destOffset;
        }
}

// The unscaled blit through the surfaces: clipped at every edge and drawn onto itself, against the rule.
TEST(RowCopy, SurfaceBlitsKeepTheKeyAndClip) {
  TSurface picture(37, 9), screen(50, 20);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 37; ++x) picture.row(y)[x] = (x + y) % 4 == 0 ? kKey : static_cast<uint16_t>(x * 97 + y);
  picture.setColorKey(kKey);
  for (int dx = -40; dx <= 50; dx += 7)
    for (int dy = -10; dy <= 20; dy += 3) {
      for (int i = 0; i < 50 * 20; ++i) screen.pixels()[i] = static_cast<uint16_t>(i);
      blitCopy(screen, dx, dy, picture, {1, 0, 36, 9}, true);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 50; ++x) {
          const int sx = x - dx + 1, sy = y - dy;
          uint16_t want = static_cast<uint16_t>(y * 50 + x);
          if (sx >= 1 && sx < 36 && sy >= 0 && sy < 9 && picture.row(sy)[sx] != kKey) want = picture.row(sy)[sx];
          ASSERT_EQ(screen.row(y)[x], want) << "at " << x << "," << y << " drawn at " << dx << "," << dy;
        }
    }
  // Onto itself, overlapping: the rows read are the rows as they were before the copy.
  for (int i = 0; i < 50 * 20; ++i) screen.pixels()[i] = static_cast<uint16_t>(i % 7 == 0 ? kKey : i);
  screen.setColorKey(kKey);
  std::vector<uint16_t> before(screen.pixels(), screen.pixels() + 50 * 20);
  blitCopy(screen, 3, 2, screen, {0, 0, 40, 15}, true);
  for (int y = 2; y < 17; ++y)
    for (int x = 3; x < 43; ++x) {
      const uint16_t p = before[(y - 2) * 50 + x - 3];
      ASSERT_EQ(screen.row(y)[x], p == kKey ? before[y * 50 + x] : p);
    }
}

}  // namespace
}  // namespace mv
