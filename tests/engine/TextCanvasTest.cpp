// Text on a surface: sizes follow the points, fixed-pitch faces are fixed, the brush decides the
// background, and the canvas keeps its font between calls.

#include <gtest/gtest.h>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

int countColour(const TSurface& s, uint16_t colour) {
  int n = 0;
  for (int i = 0; i < s.width() * s.height(); ++i) n += s.pixels()[i] == colour;
  return n;
}

TEST(TextCanvas, MeasuresFollowSizeWeightAndPitch) {
  TSurface s(200, 100);
  TTextCanvas& c = s.canvas();
  EXPECT_EQ(&c, &s.canvas());  // kept with the surface
  c.setFontName("Arial");
  c.setFontSize(10);
  const int small = c.textWidth("Mashvolt"), smallHeight = c.textHeight("Mashvolt");
  c.setFontSize(20);
  EXPECT_GT(c.textWidth("Mashvolt"), small * 3 / 2);
  // 20 points are 27 pixels at 96 per inch; the cell is a little taller than the em.
  EXPECT_GE(c.textHeight("M"), 27);
  EXPECT_LE(c.textHeight("M"), 36);
  EXPECT_LT(smallHeight, c.textHeight("M"));
  const int regular = c.textWidth("Mashvolt");
  c.setFontBold(true);
  EXPECT_GT(c.textWidth("Mashvolt"), regular);
  EXPECT_TRUE(c.fontBold());

  c.setFontBold(false);
  c.setFontFixedPitch(true);
  EXPECT_EQ(c.textWidth("iiii"), c.textWidth("WWWW"));
  c.setFontFixedPitch(false);
  c.setFontName("Courier New");
  EXPECT_EQ(c.textWidth("i"), c.textWidth("W"));
  c.setFontName("Arial");
  EXPECT_LT(c.textWidth("i"), c.textWidth("W"));
  EXPECT_EQ(c.textWidth(""), 0);
  // Cyrillic letters of the code page have glyphs of their own.
  EXPECT_GT(c.textWidth(utf8ToCp1251("Ж")), c.textWidth(" "));
}

TEST(TextCanvas, DrawsInTheFontColourWithClearOrSolidBrush) {
  TSurface s(200, 60);
  const uint16_t back = rgb565(0, 0, 80);
  s.fill(back);
  TTextCanvas& c = s.canvas();
  c.setFontSize(20);
  c.setFontBold(true);
  c.setFontColor(colorRef(255, 0, 0));
  c.setBrushClear(true);
  c.textOut(10, 5, "HHH");
  EXPECT_TRUE(c.inUse());
  c.release();
  EXPECT_FALSE(c.inUse());
  const uint16_t red = rgb565(255, 0, 0);
  EXPECT_GT(countColour(s, red), 30);
  // Nothing left of the text, and the background around the glyphs stays.
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(s.row(y)[x], back);
  EXPECT_EQ(s.row(5)[10], back);  // the cell's top-left corner is above the capitals

  // A solid brush fills the whole cell first.
  s.fill(back);
  c.setBrushClear(false);
  c.setBrushColor(colorRef(255, 255, 255));
  c.textOut(10, 5, "HHH");
  EXPECT_EQ(s.row(5)[10], rgb565(255, 255, 255));
  EXPECT_EQ(s.row(5 + c.textHeight("H") - 1)[10 + c.textWidth("HHH") - 1], rgb565(255, 255, 255));
  EXPECT_EQ(s.row(5 + c.textHeight("H"))[10], back);

  // Text running off every edge is clipped.
  c.textOut(-30, -10, "Clipped text at the edge");
  c.textOut(190, 50, "WWW");
  c.textOut(100000, 100000, "far away");
}

TEST(TextCanvas, LinesLeaveTheEndPointOutAndClipFarEnds) {
  TSurface s(40, 30);
  TTextCanvas& c = s.canvas();
  const uint16_t red = rgb565(255, 0, 0);
  c.setPenColor(colorRef(255, 0, 0));
  c.moveTo(2, 3);
  c.lineTo(12, 3);
  EXPECT_TRUE(c.inUse());
  EXPECT_EQ(countColour(s, red), 10);
  EXPECT_EQ(s.row(3)[2], red);
  EXPECT_EQ(s.row(3)[11], red);
  EXPECT_EQ(s.row(3)[12], 0);
  // The pen stays at the end: the next segment starts where the last one stopped.
  c.lineTo(12, 13);
  EXPECT_EQ(s.row(3)[12], red);
  EXPECT_EQ(s.row(12)[12], red);
  EXPECT_EQ(s.row(13)[12], 0);
  // A diagonal sets one pixel per step.
  s.fill(0);
  c.moveTo(0, 0);
  c.lineTo(5, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.row(i)[i], red);
  EXPECT_EQ(countColour(s, red), 5);

  // A line from far off the surface to far off the other side costs only the visible part, which
  // reaches both edges of the surface.
  s.fill(0);
  c.moveTo(-1000000000, 10);
  c.lineTo(1000000000, 10);
  EXPECT_EQ(countColour(s, red), 40);
  s.fill(0);
  c.moveTo(-50, -50);
  c.lineTo(-10, 60);  // never on the surface
  EXPECT_EQ(countColour(s, red), 0);
  c.moveTo(20, 10);
  c.lineTo(20, 10);  // a point: its end is left out, so nothing
  EXPECT_EQ(countColour(s, red), 0);
}

TEST(TextCanvas, TextPassedByAsOffTheSurfaceDrawsNothingThere) {
  // The same line on a small surface and, 100 pixels further on, inside a large one: the small one is
  // what the large one shows through a window of its size, wherever the line lies.
  TSurface small(40, 20), large(240, 220);
  for (TSurface* s : {&small, &large}) {
    s->canvas().setFontName("Arial");
    s->canvas().setFontSize(12);
    s->canvas().setFontColor(0xFFFFFF);
  }
  for (int y = -40; y < 40; y += 3)
    for (int x = -200; x < 60; x += 7) {
      small.fill(0);
      large.fill(0);
      small.canvas().textOut(x, y, "Wj,|Q_'");
      large.canvas().textOut(x + 100, y + 100, "Wj,|Q_'");
      for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 40; ++col)
          ASSERT_EQ(small.row(row)[col], large.row(row + 100)[col + 100]) << x << "," << y;
    }
}

}  // namespace
}  // namespace mv
