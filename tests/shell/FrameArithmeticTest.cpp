#include "shell/FrameArithmetic.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(TitlePulse, QuarterLevelPerMillisecondTruncated) {
  int32_t b = 1, step = 1;
  stepTitlePulse(b, step, 1);  // 1.25 truncates to 1: short ticks do not move the pulse up
  EXPECT_EQ(b, 1);
  EXPECT_EQ(step, 1);
  stepTitlePulse(b, step, 16);
  EXPECT_EQ(b, 5);
  for (int i = 0; i < 29; ++i) stepTitlePulse(b, step, 16);
  EXPECT_EQ(b, 121);  // 30 ticks of 16 ms from 1
}

TEST(TitlePulse, TurnsAtBothEndsExactly) {
  int32_t b = 250, step = 1;
  stepTitlePulse(b, step, 100);  // clamps to 255 and turns
  EXPECT_EQ(b, 255);
  EXPECT_EQ(step, -1);
  b = 1;
  stepTitlePulse(b, step, 1);  // 0.75 truncates to 0 and turns
  EXPECT_EQ(b, 0);
  EXPECT_EQ(step, 1);
  b = 254, step = 1;
  stepTitlePulse(b, step, 2);  // 254.5 -> 254: not at the end, no turn
  EXPECT_EQ(b, 254);
  EXPECT_EQ(step, 1);
}

TEST(CursorFrame, RunsThroughFivePatternsAndRestartsFromZero) {
  EXPECT_DOUBLE_EQ(stepCursorFrame(0, 16), 0.16);
  EXPECT_DOUBLE_EQ(stepCursorFrame(4.99, 5), 0);  // 5.04 resets to 0, not 0.04
  EXPECT_NEAR(stepCursorFrame(4.5, 40), 4.9, 1e-9);
}

TEST(ScreenshotName, AtLeastThreeDigits) {
  EXPECT_EQ(screenshotFileName(1), "scr001.bmp");
  EXPECT_EQ(screenshotFileName(9), "scr009.bmp");
  EXPECT_EQ(screenshotFileName(10), "scr010.bmp");
  EXPECT_EQ(screenshotFileName(100), "scr100.bmp");
  EXPECT_EQ(screenshotFileName(999), "scr999.bmp");
}

}  // namespace
}  // namespace mv
