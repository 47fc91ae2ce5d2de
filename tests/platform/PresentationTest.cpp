#include <gtest/gtest.h>

#include <tuple>

#include "platform/Presentation.h"

namespace mv {
namespace {

TEST(Presentation, LetterboxKeepsTheAspectRatioAndCentres) {
  Viewport wide = letterbox(800, 600, 1920, 1080);  // bars left and right
  EXPECT_EQ(wide.width, 1440);
  EXPECT_EQ(wide.height, 1080);
  EXPECT_EQ(wide.x, 240);
  EXPECT_EQ(wide.y, 0);

  Viewport tall = letterbox(800, 600, 1280, 1024);  // bars above and below
  EXPECT_EQ(tall.width, 1280);
  EXPECT_EQ(tall.height, 960);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 32);

  Viewport exact = letterbox(800, 600, 800, 600);
  EXPECT_EQ(exact.x, 0);
  EXPECT_EQ(exact.y, 0);
  EXPECT_EQ(exact.width, 800);
  EXPECT_EQ(exact.height, 600);

  Viewport none = letterbox(800, 600, 0, 0);  // a minimised window
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
}

TEST(Presentation, WholeMultiplesCentreAndFallBackToTheLetterboxWhenNoneFits) {
  auto v = [](int w, int h) {
    const Viewport r = wholeMultipleViewport(800, 600, w, h);
    return std::make_tuple(r.x, r.y, r.width, r.height);
  };
  EXPECT_EQ(v(1920, 1080), std::make_tuple(560, 240, 800, 600));  // 1.8 times would fit, 2 would not
  EXPECT_EQ(v(2560, 1440), std::make_tuple(480, 120, 1600, 1200));
  EXPECT_EQ(v(640, 480), std::make_tuple(0, 0, 640, 480));  // smaller than the surface: the letterbox
}

TEST(Presentation, ScreenPointsMapBackToSurfacePixels) {
  Viewport v = letterbox(800, 600, 1920, 1080);
  int x = -1, y = -1;
  outputToSurface(v, 800, 600, 240, 0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  outputToSurface(v, 800, 600, 240 + 1439, 1079, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  outputToSurface(v, 800, 600, 960, 540, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // Over the bars the pointer sits at the picture's edge.
  outputToSurface(v, 800, 600, 10, 500, x, y);
  EXPECT_EQ(x, 0);
  outputToSurface(v, 800, 600, 239, 500, x, y);
  EXPECT_EQ(x, 0);
  outputToSurface(v, 800, 600, 1919, 500, x, y);
  EXPECT_EQ(x, 799);
  outputToSurface(Viewport{}, 800, 600, 5, 5, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(Presentation, Rgb565ExpandsToFullRange) {
  EXPECT_EQ(rgb565ToArgb8888(0x0000), 0xFF000000u);
  EXPECT_EQ(rgb565ToArgb8888(0xFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(rgb565ToArgb8888(0xF800), 0xFFFF0000u);
  EXPECT_EQ(rgb565ToArgb8888(0x07E0), 0xFF00FF00u);
  EXPECT_EQ(rgb565ToArgb8888(0x001F), 0xFF0000FFu);
  // Mid grey 0x8410 (r 16, g 32, b 16) comes out as 0x84 / 0x82 / 0x84.
  EXPECT_EQ(rgb565ToArgb8888(0x8410), 0xFF848284u);
}

}  // namespace
}  // namespace mv
