// Blending by the channel formula, in every form the blitters use: one pixel at a time, eight at a time,
// and through the scaled blended blit.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/draw/Blit.h"
#include "engine/draw/RotatedRun.h"

namespace mv {
namespace {

// The formula as written for the display: channels widened to 8 bits, blended, packed by dropping bits.
uint16_t byFormula(uint16_t s, uint16_t d, int alpha) {
  const int inv = 255 - alpha;
  const int r = (((s >> 8) & 0xF8) * alpha + ((d >> 8) & 0xF8) * inv) >> 8;
  const int g = (((s >> 3) & 0xFC) * alpha + ((d >> 3) & 0xFC) * inv) >> 8;
  const int b = (((s << 3) & 0xF8) * alpha + ((d << 3) & 0xF8) * inv) >> 8;
  return rgb565(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

std::vector<uint16_t> testPixels() {
  std::vector<uint16_t> out = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8410, 0x7BEF, 0xF81F};
  std::mt19937 random(3);
  for (int i = 0; i < 120; ++i) out.push_back(static_cast<uint16_t>(random()));
  return out;
}

TEST(Blend, OnePixelAndEightAtATimeFollowTheFormulaForEveryAlpha) {
  const std::vector<uint16_t> pixels = testPixels();
  for (int alpha = 0; alpha <= 255; ++alpha) {
    for (uint16_t s : pixels)
      for (uint16_t d : pixels) ASSERT_EQ(blend565(s, d, alpha), byFormula(s, d, alpha)) << s << " " << d << " " << alpha;
    // A run of 19 (two full vectors and a tail) with every third pixel kept as it was.
    std::vector<uint16_t> samples(19), keep(19), row(19), expected(19);
    for (int i = 0; i < 19; ++i) {
      samples[i] = pixels[(i * 7 + alpha) % pixels.size()];
      row[i] = pixels[(i * 13 + 5) % pixels.size()];
      keep[i] = i % 3 == 0 ? 0xFFFF : 0;
      expected[i] = keep[i] ? row[i] : byFormula(samples[i], row[i], alpha);
    }
    const std::vector<uint16_t> original = row;
    blendSpan(row.data(), samples.data(), keep.data(), 19, alpha, -1);
    ASSERT_EQ(row, expected) << "alpha " << alpha;
    // The same with the pixels to keep marked by the colour key in their samples instead.
    std::vector<uint16_t> keyed = original;
    for (int i = 0; i < 19; ++i) {
      if (i % 3 == 0) samples[i] = 0xF81F;
      else if (samples[i] == 0xF81F) samples[i] = 0;
      expected[i] = i % 3 == 0 ? original[i] : byFormula(samples[i], original[i], alpha);
    }
    blendSpan(keyed.data(), samples.data(), nullptr, 19, alpha, 0xF81F);
    ASSERT_EQ(keyed, expected) << "keyed, alpha " << alpha;
    // Whole groups of key (sixteen, then eight) are left as they were around the pixels between them.
    std::vector<uint16_t> gaps(40, 0xF81F), under(40);
    for (int i = 0; i < 40; ++i) under[i] = pixels[(i * 11 + alpha) % pixels.size()];
    gaps[16] = gaps[39] = 0x1234;
    std::vector<uint16_t> blended = under;
    blendSpan(blended.data(), gaps.data(), nullptr, 40, alpha, 0xF81F);
    for (int i = 0; i < 40; ++i)
      ASSERT_EQ(blended[i], gaps[i] == 0xF81F ? under[i] : byFormula(0x1234, under[i], alpha)) << i;
  }
}

TEST(Blend, ScaledBlendedBlitSamplesAndBlendsEveryPixel) {
  TSurface source(37, 23), dest(90, 70);
  std::mt19937 random(9);
  for (int i = 0; i < 37 * 23; ++i) source.pixels()[i] = random() % 5 == 0 ? 0xF81F : static_cast<uint16_t>(random());
  source.setColorKey(0xF81F);
  for (int i = 0; i < 90 * 70; ++i) dest.pixels()[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
  std::vector<uint16_t> before(dest.pixels(), dest.pixels() + 90 * 70);
  const TRect to{-5, 3, 80, 66};  // 85 x 63 from 37 x 23, cut on the left
  blitAlpha(dest, to, source, source.clientRect(), true, 77);
  const int64_t stepX = (37 << 16) / 85, stepY = (23 << 16) / 63;
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 90; ++x) {
      uint16_t want = before[y * 90 + x];
      if (x < to.Right && y >= to.Top && y < to.Bottom) {
        const uint16_t p = source.row(((y - to.Top) * stepY) >> 16)[((x - to.Left) * stepX) >> 16];
        if (p != 0xF81F) want = byFormula(p, want, 77);
      }
      ASSERT_EQ(dest.row(y)[x], want) << x << "," << y;
    }
}

}  // namespace
}  // namespace mv
