// The rotated blit against the plain one it replaced: the same pixels for every angle, the game's picture
// sizes, rotation centres, scales, blending and clipping.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "PlainRotate.h"
#include "engine/draw/Blit.h"
#include "engine/draw/Rotate.h"

namespace mv {
namespace {

constexpr uint16_t kKey = 0xF81F;

// A picture with a key-coloured border and holes, like a sprite, on a surface with room around it so
// that source rectangles not at the origin are tried too.
std::unique_ptr<TSurface> picture(int w, int h, uint32_t seed) {
  auto surface = std::make_unique<TSurface>(w + 3, h + 2);
  TSurface& s = *surface;
  std::mt19937 random(seed);
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.row(y)[x] = random() % 5 == 0 ? kKey : static_cast<uint16_t>(random());
  s.setColorKey(kKey);
  return surface;
}

struct Case {
  int x, y, width, height;
  double centerX, centerY;
  int angle, alpha;
  bool keyed;
};

// Draws the case both ways onto equal backgrounds; returns the first differing pixel's index or -1.
int compare(const TSurface& source, const TRect& srcRect, const Case& c, int destW = 120, int destH = 100) {
  TSurface plain(destW, destH), fast(destW, destH);
  const size_t count = static_cast<size_t>(destW) * destH;
  for (size_t i = 0; i < count; ++i) plain.pixels()[i] = static_cast<uint16_t>(i * 7919);
  std::memcpy(fast.pixels(), plain.pixels(), count * sizeof(uint16_t));
  plainBlitRotate(plain, c.x, c.y, c.width, c.height, source, srcRect, c.keyed, c.centerX, c.centerY, c.angle,
                  c.alpha);
  blitRotate(fast, c.x, c.y, c.width, c.height, source, srcRect, c.keyed, c.centerX, c.centerY, c.angle, c.alpha);
  if (std::memcmp(plain.pixels(), fast.pixels(), count * sizeof(uint16_t)) == 0) return -1;
  for (size_t i = 0; i < count; ++i)
    if (plain.pixels()[i] != fast.pixels()[i]) return static_cast<int>(i);
  return -1;
}

std::string describe(const Case& c, int w, int h) {
  char text[200];
  std::snprintf(text, sizeof text, "picture %dx%d drawn %dx%d at (%d,%d) centre (%g,%g) angle %d alpha %d keyed %d",
                w, h, c.width, c.height, c.x, c.y, c.centerX, c.centerY, c.angle, c.alpha, c.keyed);
  return text;
}

TEST(Rotate, EveryAngleOfTheGamesPictureSizesMatchesThePlainBlit) {
  // Weapon pictures, the rocket, fighter bodies, small effects and odd sizes.
  const int sizes[][2] = {{40, 16}, {38, 14}, {44, 18}, {10, 22}, {32, 46}, {33, 47},
                          {16, 16}, {24, 24}, {7, 3},   {1, 1},   {2, 5},   {64, 64}};
  const double centres[][2] = {{0.5, 0.5}, {0.2, 0.5}, {0.1, 0.85}};
  uint32_t seed = 1;
  for (const auto& size : sizes) {
    const int w = size[0], h = size[1];
    const auto source = picture(w, h, seed++);
    const TRect srcRect = boundsRect(2, 1, w, h);
    for (const auto& centre : centres)
      for (int angle = 0; angle < 256; ++angle) {
        const Case cases[] = {
            {60, 50, w, h, centre[0], centre[1], angle, 255, true},
            {61, 49, w, h, centre[0], centre[1], angle, 128, true},
            {59, 52, w * 3 / 2 + 1, h * 2, centre[0], centre[1], angle, 255, false},  // scaled up
            {60, 50, std::max(w / 2, 1), std::max(h / 3, 1), centre[0], centre[1], angle, 200, true},
            {3, 97, w, h, centre[0], centre[1], angle, 255, true},  // cut by two edges
        };
        for (const Case& c : cases) ASSERT_EQ(compare(*source, srcRect, c), -1) << describe(c, w, h);
      }
  }
}

// Whole-number steps put sample positions exactly on pixel boundaries, where the fixed-point walk must
// hand over to the doubles.
TEST(Rotate, ExactScalesAtRightAnglesMatchThePlainBlit) {
  const auto source = picture(48, 32, 99);
  const TRect srcRect = boundsRect(0, 0, 48, 32);
  for (int angle : {0, 64, 128, 192, 32, 96})
    for (int divisor : {1, 2, 3, 4, 8, 16})
      for (int offset = 0; offset < 4; ++offset) {
        const Case c{50 + offset, 40 - offset, 48 / divisor, 32 / divisor, 0.5, 0.5, angle, 255, true};
        ASSERT_EQ(compare(*source, srcRect, c), -1) << describe(c, 48, 32);
        const Case corner{50, 40, 48 / divisor, 32 / divisor, 0.0, 1.0, angle, 100, false};
        ASSERT_EQ(compare(*source, srcRect, corner), -1) << describe(corner, 48, 32);
      }
}

TEST(Rotate, RandomDrawingsMatchThePlainBlit) {
  std::mt19937 random(7);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
  for (int i = 0; i < 3000; ++i) {
    const int w = uniform(1, 70), h = uniform(1, 70);
    const auto source = picture(w, h, random());
    // Source rectangles may stick out of their surface: the blit clips them first.
    const TRect srcRect = boundsRect(uniform(-2, 3), uniform(-2, 2), w + uniform(-1, 2), h + uniform(-1, 2));
    const Case c{uniform(-60, 180),   uniform(-60, 160),   uniform(1, 150),       uniform(1, 150),
                 real(-0.5, 1.5),     real(-0.5, 1.5),     uniform(-300, 600),    uniform(1, 300),
                 uniform(0, 1) == 1};
    ASSERT_EQ(compare(*source, srcRect, c), -1) << describe(c, w, h);
  }
}

TEST(Rotate, DegenerateDrawingsLeaveTheSurfaceAsThePlainBlitDoes) {
  const auto source = picture(20, 10, 3);
  const TRect srcRect = boundsRect(0, 0, 20, 10);
  const Case cases[] = {
      {50, 50, 20, 10, 0.5, 0.5, 10, 0, true},         // alpha 0 draws nothing
      {50, 50, 0, 10, 0.5, 0.5, 10, 255, true},        // no width
      {50, 50, 20, 10, 1e300, 0.5, 10, 255, true},     // centre far away
      {50, 50, 20, 10, 0.5, 0.5, 10, 255, true},       // the ordinary case beside them
      {2000000, -5000, 20, 10, 0.5, 0.5, 40, 255, true},
      {50, 50, 100000, 3, 0.5, 0.5, 7, 255, true},     // long and thin, clipped hard
      {50, 50, 1, 200000, 0.5, 0.5, 61, 255, true},
  };
  for (const Case& c : cases) ASSERT_EQ(compare(*source, srcRect, c), -1) << describe(c, 20, 10);
}

}  // namespace
}  // namespace mv
