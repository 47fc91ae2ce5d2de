#include "engine/DXTimer.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(DXTimer, LagCountIsTheWholeMillisecondsSinceTheLastFrameAndAtLeastOne) {
  TDXTimer timer;
  EXPECT_EQ(timer.idle(1000), 1);  // the first frame: nothing elapsed yet
  EXPECT_EQ(timer.idle(1016), 16);
  EXPECT_EQ(timer.idle(1016), 1);  // two frames in the same millisecond
  EXPECT_EQ(timer.idle(1050), 34);
}

TEST(DXTimer, ClockWrapDoesNotProduceAHugeLag) {
  TDXTimer timer;
  timer.idle(0xFFFFFFF0u);
  EXPECT_EQ(timer.idle(0x00000010u), 32);
}

TEST(DXTimer, InactiveTimeIsNotCountedAfterReactivation) {
  TDXTimer timer;
  timer.idle(0);
  timer.idle(16);
  timer.deactivate();
  EXPECT_EQ(timer.idle(5000), 0);  // ActiveOnly: no frames while inactive
  timer.activate(60000);
  EXPECT_EQ(timer.idle(60004), 4);
}

TEST(DXTimer, WithoutActiveOnlyFramesRunWhileInactive) {
  TDXTimer timer;
  timer.ActiveOnly = false;
  timer.idle(0);
  timer.deactivate();
  EXPECT_EQ(timer.idle(20), 20);
}

TEST(DXTimer, FrameRateIsMeasuredOverWholeSecondsToTheNearestInteger) {
  TDXTimer timer;
  timer.idle(0);
  EXPECT_EQ(timer.frameRate(), 0);
  uint32_t t = 0;
  for (int i = 0; i < 59; ++i) timer.idle(t += 17);  // with the first, 60 frames in 1003 ms
  EXPECT_EQ(timer.frameRate(), 60);                    // 59.82 rounds to 60
  for (int i = 0; i < 40; ++i) timer.idle(t += 25);  // 40 frames in exactly 1000 ms
  EXPECT_EQ(timer.frameRate(), 40);
}

TEST(DXTimer, IntervalHoldsFramesBack) {
  TDXTimer timer;
  timer.Interval = 10;
  timer.idle(0);
  EXPECT_EQ(timer.idle(5), 0);
  EXPECT_EQ(timer.idle(25), 2);  // LagCount counts whole intervals
}

}  // namespace
}  // namespace mv
