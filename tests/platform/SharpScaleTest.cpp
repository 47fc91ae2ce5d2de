// Sharp scaling of the frame to the screen: every surface pixel keeps the same share of the screen
// whatever the factor, whole multiples stay pixel for pixel, and a frame of any size scales safely.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "PlainSharpScale.h"
#include "platform/Presentation.h"
#include "platform/SharpScale.h"

namespace mv {
namespace {

// The part of the screen each surface pixel gets along one axis, in 256ths of a screen pixel.
std::vector<int> coverage(const AxisMap& map, int sourceSize) {
  std::vector<int> share(static_cast<size_t>(sourceSize), 0);
  for (size_t i = 0; i < map.first.size(); ++i) {
    share[static_cast<size_t>(map.first[i])] += 256 - map.weight[i];
    if (map.weight[i]) share[static_cast<size_t>(map.first[i]) + 1] += map.weight[i];
  }
  return share;
}

TEST(SharpScale, EverySurfacePixelGetsTheSameShareOfTheScreen) {
  // 1280 x 720 shows 800 x 600 as 960 x 720 (1.2), 1920 x 1080 as 1440 x 1080 (1.8); and a stretch of
  // a small window. A nearest-pixel stretch gives 1 or 2 screen pixels by turns at 1.2.
  for (auto [source, view] : {std::pair{800, 960}, {600, 720}, {800, 1440}, {600, 1080}, {600, 1007}}) {
    SCOPED_TRACE(std::to_string(source) + " to " + std::to_string(view));
    const AxisMap map = mapAxis(source, view);
    ASSERT_EQ(map.first.size(), static_cast<size_t>(view));
    const double wanted = 256.0 * view / source;
    const std::vector<int> share = coverage(map, source);
    for (int p = 0; p < source; ++p) ASSERT_NEAR(share[static_cast<size_t>(p)], wanted, 2.0) << "pixel " << p;
    // Each screen pixel is one surface pixel or the meeting of two neighbours, in order.
    for (size_t i = 1; i < map.first.size(); ++i) {
      ASSERT_GE(map.first[i], map.first[i - 1]);
      ASSERT_LE(map.first[i], map.first[i - 1] + 1);
    }
    // Most of the screen is unblended: only where two surface pixels meet inside a screen pixel.
    size_t pure = 0;
    for (uint16_t w : map.weight) pure += w == 0;
    EXPECT_GE(pure * source, static_cast<size_t>(view) * source - static_cast<size_t>(source) * source);
  }
}

TEST(SharpScale, WholeMultiplesStayPixelForPixel) {
  EXPECT_TRUE(wholeMultiple(800, 600, 800, 600));
  EXPECT_TRUE(wholeMultiple(800, 600, 1600, 1200));
  EXPECT_FALSE(wholeMultiple(800, 600, 960, 720));
  EXPECT_FALSE(wholeMultiple(800, 600, 1600, 600));  // not the same factor both ways
  EXPECT_FALSE(wholeMultiple(800, 600, 0, 0));
  const AxisMap map = mapAxis(800, 2400);
  for (size_t i = 0; i < map.first.size(); ++i) {
    ASSERT_EQ(map.first[i], static_cast<int32_t>(i / 3));
    ASSERT_EQ(map.weight[i], 0);
  }
}

TEST(SharpScale, ShrinkingAndOddSizesStayInsideTheSurface) {
  for (auto [source, view] : {std::pair{800, 400}, {800, 799}, {600, 1}, {1, 1}, {1, 500}, {3, 1000}}) {
    const AxisMap map = mapAxis(source, view);
    ASSERT_EQ(map.first.size(), static_cast<size_t>(view));
    for (size_t i = 0; i < map.first.size(); ++i) {
      ASSERT_GE(map.first[i], 0);
      ASSERT_LT(map.first[i] + (map.weight[i] ? 1 : 0), source);
      ASSERT_LT(map.weight[i], 256);
    }
  }
  EXPECT_TRUE(mapAxis(0, 10).first.empty());
  EXPECT_TRUE(mapAxis(10, 0).first.empty());
}

TEST(SharpScale, ThinLinesKeepTheirWeightAcrossTheScreen) {
  // Every other column white: at 1.2 each white column must bring the same light to a screen row,
  // where a nearest-pixel stretch makes every fifth one twice as bright as the rest.
  constexpr int kW = 20, kH = 10, kViewW = 24, kViewH = 12, kPitch = 32;
  std::vector<uint16_t> source(static_cast<size_t>(kPitch) * kH, 0x1234);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) source[static_cast<size_t>(y) * kPitch + x] = x % 2 ? 0xFFFF : 0x0000;
  std::vector<uint32_t> target(static_cast<size_t>(kViewW + 3) * kViewH, 0xDEADBEEF);
  SharpScaler scaler;
  scaler.scale(source.data(), kW, kH, kPitch, target.data(), kViewW, kViewH, kViewW + 3);
  for (int y = 0; y < kViewH; ++y) {
    const uint32_t* row = target.data() + static_cast<size_t>(y) * (kViewW + 3);
    int light = 0;
    for (int x = 0; x < kViewW; ++x) {
      ASSERT_EQ(row[x] >> 24, 0xFFu) << "opaque";
      ASSERT_EQ(row[x] & 0xFF, (row[x] >> 8) & 0xFF) << "grey stays grey";
      light += static_cast<int>(row[x] & 0xFF);
    }
    EXPECT_NEAR(light, 10 * 255 * 1.2, 10);  // ten white columns, 1.2 screen pixels each
    EXPECT_EQ(row[kViewW], 0xDEADBEEF) << "nothing written past the row";
  }
  // A single lit pixel keeps its light (1.2 x 1.2 of it) wherever it lands.
  std::vector<uint16_t> dot(static_cast<size_t>(kW) * kH);
  for (int at : {0, 7, 13, kW * kH - 1}) {
    std::fill(dot.begin(), dot.end(), 0);
    dot[static_cast<size_t>(at)] = 0xF800;
    std::vector<uint32_t> out(static_cast<size_t>(kViewW) * kViewH);
    scaler.scale(dot.data(), kW, kH, kW, out.data(), kViewW, kViewH, kViewW);
    int red = 0;
    for (uint32_t p : out) red += static_cast<int>((p >> 16) & 0xFF);
    EXPECT_NEAR(red, 255 * 1.44, 6) << "pixel " << at;
  }
}

TEST(SharpScale, ChangingSizesBetweenFramesAndBadArgumentsAreSafe) {
  SharpScaler scaler;
  const uint16_t colour = 0x1234;
  const uint32_t shown = rgb565ToArgb8888(colour);
  std::vector<uint16_t> source(800 * 600, colour);
  std::vector<uint32_t> target(1920 * 1080, 0);
  scaler.scale(source.data(), 800, 600, 800, target.data(), 960, 720, 960);
  EXPECT_EQ(target[959 + 719 * 960], shown);
  scaler.scale(source.data(), 800, 600, 800, target.data(), 1440, 1080, 1440);
  EXPECT_EQ(target[1439 + 1079 * 1440], shown);
  scaler.scale(source.data(), 400, 300, 800, target.data(), 500, 375, 500);
  EXPECT_EQ(target[499 + 374 * 500], shown);
  target.assign(target.size(), 7);
  scaler.scale(nullptr, 800, 600, 800, target.data(), 960, 720, 960);
  scaler.scale(source.data(), 800, 600, 799, target.data(), 960, 720, 960);  // pitch under the width
  scaler.scale(source.data(), 800, 600, 800, target.data(), 0, 720, 960);
  EXPECT_EQ(target[0], 7u);
}

// Every instruction set the processor has gives the pixels of the plain scaler, at every screen width
// from 800 to 3840 and every height from 600 to 2160 (in steps of 8, which meet every alignment of the
// vector groups), and on whole frames at the sizes screens have. The axes are scaled independently, so
// the sweeps use a few rows or columns of a full-size surface; a sparkle of random colours makes every
// blend count.
TEST(SharpScale, VectorsGiveThePlainScalersPixelsAtEverySize) {
  std::vector<uint16_t> surface(800 * 600);
  uint32_t state = 99;
  for (auto& p : surface) p = static_cast<uint16_t>((state = state * 1103515245u + 12345u) >> 16);
  auto check = [&](int sourceW, int sourceH, int w, int h, SimdLevel level) {
    const int pitch = w + 5;  // a texture's pitch may be wider than its row
    std::vector<uint32_t> want(static_cast<size_t>(pitch) * h, 0xDEADBEEF), got(want.size(), 0xDEADBEEF);
    plainSharpScale(surface.data(), sourceW, sourceH, 800, want.data(), w, h, pitch);
    SharpScaler scaler(level);
    scaler.scale(surface.data(), sourceW, sourceH, 800, got.data(), w, h, pitch);
    for (size_t i = 0; i < want.size(); ++i)
      if (want[i] != got[i])
        return testing::AssertionFailure() << sourceW << "x" << sourceH << " to " << w << "x" << h << " level "
                                           << static_cast<int>(level) << ": pixel " << i % pitch << ","
                                           << i / pitch << " is " << got[i] << ", not " << want[i];
    return testing::AssertionSuccess();
  };
  for (SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2}) {
    if (!simdLevelAvailable(level)) continue;
    for (int w = 800; w <= 3840; w += 8) ASSERT_TRUE(check(800, 3, w, 5, level));
    for (int h = 600; h <= 2160; h += 8) ASSERT_TRUE(check(9, 600, 13, h, level));
    // Shrinking, odd widths below a vector and whole frames.
    for (auto [w, h] : {std::pair{799, 7}, {780, 5}, {700, 3}, {400, 3}, {7, 9}, {3, 2}, {1, 1}}) ASSERT_TRUE(check(800, 600, w, h, level));
    for (auto [w, h] : {std::pair{960, 720}, {1024, 768}, {1440, 1080}, {1920, 1080}, {2880, 2160}, {3840, 2160}})
      ASSERT_TRUE(check(800, 600, w, h, level));
  }
}

}  // namespace
}  // namespace mv
