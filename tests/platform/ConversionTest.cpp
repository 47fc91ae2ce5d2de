// The vector conversion of the back surface for presentation against the pixel formula: every one of the
// 65536 values, every row length and alignment, and whole frames with pitches.

#include <gtest/gtest.h>

#include <vector>

#include "platform/Presentation.h"

namespace mv {
namespace {

TEST(Conversion, EverySixteenBitValueComesOutAsThePixelFormulaSays) {
  std::vector<uint16_t> all(65536);
  for (int p = 0; p < 65536; ++p) all[p] = static_cast<uint16_t>(p);
  for (bool avx2 : {false, true}) {
    std::vector<uint32_t> out(65536, 0);
    convertRow565To8888(all.data(), out.data(), 65536, avx2);
    for (int p = 0; p < 65536; ++p) ASSERT_EQ(out[p], rgb565ToArgb8888(static_cast<uint16_t>(p))) << p << " " << avx2;
  }
}

TEST(Conversion, EveryRowLengthAndAlignmentStaysInsideItsRow) {
  std::vector<uint16_t> source(64);
  for (int i = 0; i < 64; ++i) source[i] = static_cast<uint16_t>(i * 2711 + 17);
  for (bool avx2 : {false, true})
    for (int length = 0; length <= 40; ++length)
      for (int sourceOffset = 0; sourceOffset < 8; ++sourceOffset)
        for (int targetOffset = 0; targetOffset < 4; ++targetOffset) {
        std::vector<uint32_t> target(64, 0xDEADBEEF);
        convertRow565To8888(source.data() + sourceOffset, target.data() + targetOffset, length, avx2);
        for (int i = 0; i < 64; ++i) {
          const int k = i - targetOffset;
          const uint32_t want = k >= 0 && k < length ? rgb565ToArgb8888(source[sourceOffset + k]) : 0xDEADBEEF;
          ASSERT_EQ(target[i], want) << "length " << length << " offsets " << sourceOffset << "," << targetOffset;
        }
        }
}

TEST(Conversion, FramesFollowBothPitches) {
  // 13 x 5 pixels in rows of 16, into rows of 60 bytes (15 pixels).
  std::vector<uint16_t> surface(16 * 5);
  for (size_t i = 0; i < surface.size(); ++i) surface[i] = static_cast<uint16_t>(i * 40503);
  std::vector<uint32_t> frame(15 * 5, 7);
  convertFrame565To8888(surface.data(), 13, 5, 16, frame.data(), 60);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 15; ++x)
      EXPECT_EQ(frame[y * 15 + x], x < 13 ? rgb565ToArgb8888(surface[y * 16 + x]) : 7u) << x << "," << y;
}

}  // namespace
}  // namespace mv
