// Sharp scaling of the frame to the screen: every surface pixel keeps the same share of the screen
// whatever the factor, whole multiples stay pixel for pixel, and a frame of any size scales safely.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

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
  std::vector<uint32_t> source(static_cast<size_t>(kPitch) * kH, 0x12345678);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) source[static_cast<size_t>(y) * kPitch + x] = x % 2 ? 0x00FFFFFF : 0x00000000;
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
  std::vector<uint32_t> dot(static_cast<size_t>(kW) * kH);
  for (int at : {0, 7, 13, kW * kH - 1}) {
    std::fill(dot.begin(), dot.end(), 0);
    dot[static_cast<size_t>(at)] = 0x00FF0000;
    std::vector<uint32_t> out(static_cast<size_t>(kViewW) * kViewH);
    scaler.scale(dot.data(), kW, kH, kW, out.data(), kViewW, kViewH, kViewW);
    int red = 0;
    for (uint32_t p : out) red += static_cast<int>((p >> 16) & 0xFF);
    EXPECT_NEAR(red, 255 * 1.44, 6) << "pixel " << at;
  }
}

TEST(SharpScale, ChangingSizesBetweenFramesAndBadArgumentsAreSafe) {
  SharpScaler scaler;
  std::vector<uint32_t> source(800 * 600, 0xFF102030), target(1920 * 1080, 0);
  scaler.scale(source.data(), 800, 600, 800, target.data(), 960, 720, 960);
  EXPECT_EQ(target[959 + 719 * 960], 0xFF102030u);
  scaler.scale(source.data(), 800, 600, 800, target.data(), 1440, 1080, 1440);
  EXPECT_EQ(target[1439 + 1079 * 1440], 0xFF102030u);
  scaler.scale(source.data(), 400, 300, 800, target.data(), 500, 375, 500);
  EXPECT_EQ(target[499 + 374 * 500], 0xFF102030u);
  target.assign(target.size(), 7);
  scaler.scale(nullptr, 800, 600, 800, target.data(), 960, 720, 960);
  scaler.scale(source.data(), 800, 600, 799, target.data(), 960, 720, 960);  // pitch under the width
  scaler.scale(source.data(), 800, 600, 800, target.data(), 0, 720, 960);
  EXPECT_EQ(target[0], 7u);
}

}  // namespace
}  // namespace mv
