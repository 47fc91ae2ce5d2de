// The drawing canvas the generated art is made with: fills cover exactly the pixels inside, blending
// composes by alpha, the copies (mirror, rotation, scaling, crop) move pixels where they belong, and
// the noise and random numbers repeat for a seed.

#include <gtest/gtest.h>

#include "common/ArtCanvas.h"
#include "common/ArtRng.h"

namespace mv::art {
namespace {

int countOpaque(const Canvas& c) {
  int n = 0;
  for (Color p : c.pixels()) n += p.a > 0;
  return n;
}

TEST(ArtCanvas, FillsCoverThePixelsInsideAndNothingElse) {
  Canvas c(10, 10);
  c.fillPolygon({{2, 2}, {6, 2}, {6, 5}, {2, 5}}, rgb(255, 0, 0));
  EXPECT_EQ(countOpaque(c), 4 * 3);
  EXPECT_EQ(c.get(2, 2), rgb(255, 0, 0));
  EXPECT_EQ(c.get(5, 4), rgb(255, 0, 0));
  EXPECT_EQ(c.get(6, 2).a, 0);
  EXPECT_EQ(c.get(2, 5).a, 0);

  Canvas few(4, 4);
  few.fillPolygon({{0, 0}, {4, 4}}, rgb(1, 2, 3));
  EXPECT_EQ(countOpaque(few), 0);

  // Writes outside the canvas are dropped and reads there are clear.
  Canvas small(3, 3);
  small.fillRect(-5, -5, 20, 20, rgb(9, 9, 9));
  EXPECT_EQ(countOpaque(small), 9);
  EXPECT_EQ(small.get(-1, 0).a, 0);
  EXPECT_EQ(small.get(3, 3).a, 0);

  Canvas round(21, 21);
  round.fillCircle(10.5, 10.5, 5, rgb(0, 255, 0));
  EXPECT_EQ(round.get(10, 10), rgb(0, 255, 0));
  EXPECT_EQ(round.get(10, 4).a, 0);
  EXPECT_EQ(round.get(4, 10).a, 0);
}

TEST(ArtCanvas, LinesLeaveNoGaps) {
  Canvas c(40, 12);
  c.line(0.5, 1.5, 39.5, 9.5, rgb(255, 255, 255));
  for (int x = 0; x < 40; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 12; ++y) inColumn += c.get(x, y).a > 0;
    EXPECT_GE(inColumn, 1) << "column " << x;
  }
  EXPECT_GT(c.get(0, 1).a, 0);
  EXPECT_GT(c.get(39, 9).a, 0);
}

TEST(ArtCanvas, BlendingComposesByAlpha) {
  Canvas c(2, 1, rgb(0, 0, 200));
  c.blend(0, 0, rgb(200, 0, 0, 128));
  Color mixed = c.get(0, 0);
  EXPECT_EQ(mixed.a, 255);
  EXPECT_NEAR(mixed.r, 100, 1);
  EXPECT_NEAR(mixed.b, 100, 1);
  c.blend(1, 0, rgb(1, 2, 3, 0));
  EXPECT_EQ(c.get(1, 0), rgb(0, 0, 200));
  c.blend(1, 0, rgb(1, 2, 3));
  EXPECT_EQ(c.get(1, 0), rgb(1, 2, 3));

  EXPECT_EQ(mix(rgb(0, 0, 0), rgb(200, 100, 50), 0.5), rgb(100, 50, 25));
  EXPECT_EQ(mix(rgb(0, 0, 0), rgb(200, 100, 50), 7), rgb(200, 100, 50));
  EXPECT_EQ(shade(rgb(200, 100, 10), 2), rgb(255, 200, 20));
}

TEST(ArtCanvas, CopiesPutPixelsWhereTheyBelong) {
  Canvas c(4, 3);
  c.set(0, 0, rgb(1, 1, 1));
  c.set(3, 2, rgb(2, 2, 2));
  Canvas m = c.mirrored();
  EXPECT_EQ(m.get(3, 0), rgb(1, 1, 1));
  EXPECT_EQ(m.get(0, 2), rgb(2, 2, 2));
  EXPECT_EQ(m.mirrored().pixels(), c.pixels());

  // A quarter turn clockwise about the centre of a 3 x 3 picture takes its top-middle to its right-middle.
  Canvas t(3, 3);
  t.set(1, 0, rgb(7, 7, 7));
  Canvas r = t.rotated(90, 1.5, 1.5, 3, 3, 1.5, 1.5);
  EXPECT_EQ(r.get(2, 1), rgb(7, 7, 7));
  EXPECT_EQ(countOpaque(r), 1);
  EXPECT_EQ(t.rotated(0, 1.5, 1.5, 3, 3, 1.5, 1.5).pixels(), t.pixels());

  Canvas s = c.scaled(8, 6);
  EXPECT_EQ(s.get(0, 0), rgb(1, 1, 1));
  EXPECT_EQ(s.get(1, 1), rgb(1, 1, 1));
  EXPECT_EQ(s.get(7, 5), rgb(2, 2, 2));
  EXPECT_EQ(countOpaque(s), 8);

  Canvas part = c.crop(2, 1, 4, 4);
  EXPECT_EQ(part.get(1, 1), rgb(2, 2, 2));
  EXPECT_EQ(countOpaque(part), 1);

  Canvas dest(5, 5);
  dest.draw(c, 1, 1);
  EXPECT_EQ(dest.get(1, 1), rgb(1, 1, 1));
  EXPECT_EQ(dest.get(4, 3), rgb(2, 2, 2));
}

TEST(ArtCanvas, OutlineRimsTheShapeOnItsFourSides) {
  Canvas c(5, 5);
  c.set(2, 2, rgb(255, 255, 255));
  c.outline(rgb(1, 1, 1));
  EXPECT_EQ(c.get(2, 1), rgb(1, 1, 1));
  EXPECT_EQ(c.get(1, 2), rgb(1, 1, 1));
  EXPECT_EQ(c.get(3, 2), rgb(1, 1, 1));
  EXPECT_EQ(c.get(2, 3), rgb(1, 1, 1));
  EXPECT_EQ(c.get(1, 1).a, 0);
  EXPECT_EQ(c.get(2, 2), rgb(255, 255, 255));
  EXPECT_EQ(countOpaque(c), 5);
}

TEST(ArtRng, RepeatsForASeedAndStaysInRange) {
  Rng a(42), b(42), other(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    uint64_t x = a.next();
    EXPECT_EQ(x, b.next());
    differs |= x != other.next();
  }
  EXPECT_TRUE(differs);
  Rng r(7);
  for (int i = 0; i < 1000; ++i) {
    int v = r.below(5);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 5);
    double u = r.unit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
  EXPECT_EQ(r.below(0), 0);
  EXPECT_EQ(r.below(-3), 0);

  // Noise is a function of its arguments alone, and smooth: neighbouring points are close.
  EXPECT_EQ(valueNoise(3.25, 7.5, 9), valueNoise(3.25, 7.5, 9));
  EXPECT_NEAR(valueNoise(3.0, 7.0, 9), valueNoise(3.001, 7.0, 9), 0.01);
  for (double x = -20; x < 20; x += 0.7) {
    double n = fractalNoise(x, x * 0.3, 5, 4);
    ASSERT_GE(n, 0.0);
    ASSERT_LT(n, 1.0);
  }
}

}  // namespace
}  // namespace mv::art
