#include <gtest/gtest.h>

#include <vector>

#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"

namespace mv {
namespace {

TEST(HeadlessPlatform, ClockMovesByTheStepOnEveryPresentAndByDelays) {
  auto platform = createHeadlessPlatform(16);
  EXPECT_EQ(platform->ticks(), 0u);
  EXPECT_EQ(platform->ticks(), 0u);  // reading does not move it
  std::vector<uint16_t> frame(4 * 3, 0);
  platform->present(frame.data(), 4, 3, 4);
  platform->present(frame.data(), 4, 3, 4);
  EXPECT_EQ(platform->ticks(), 32u);
  platform->delay(5);
  EXPECT_EQ(platform->ticks(), 37u);
  platform->setStep(1);
  platform->present(frame.data(), 4, 3, 4);
  EXPECT_EQ(platform->ticks(), 38u);
  EXPECT_EQ(platform->presentCount(), 3u);
}

TEST(HeadlessPlatform, KeepsACopyOfTheLastFrame) {
  HeadlessPlatform platform(10);
  platform.openDisplay(800, 600);
  EXPECT_TRUE(platform.displayOpen());
  EXPECT_THROW(platform.openDisplay(0, 600), PlatformError);
  EXPECT_TRUE(platform.lastFrame().empty());
  // A 3x2 picture inside rows of 5 pixels: the padding must not be copied.
  std::vector<uint16_t> surface = {1, 2, 3, 99, 99, 4, 5, 6, 99, 99};
  platform.present(surface.data(), 3, 2, 5);
  surface.assign(surface.size(), 0);  // the copy does not follow the surface
  EXPECT_EQ(platform.lastFrame(), (std::vector<uint16_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(platform.frameWidth(), 3);
  EXPECT_EQ(platform.frameHeight(), 2);
  EXPECT_EQ(platform.framePixel(2, 1), 6);
  EXPECT_EQ(platform.framePixel(3, 0), 0);  // outside reads as black
  EXPECT_EQ(platform.framePixel(-1, 0), 0);
}

TEST(HeadlessPlatform, InjectedEventsComeOutInOrderAndMoveThePointer) {
  HeadlessPlatform platform(10);
  Event key;
  key.kind = EventKind::KeyDown;
  key.key = 27;
  platform.inject(key);
  Event ch;
  ch.kind = EventKind::Char;
  ch.ch = 27;
  platform.inject(ch);
  Event move;
  move.kind = EventKind::MouseMove;
  move.x = 120;
  move.y = 45;
  platform.inject(move);

  int x = -1, y = -1;
  platform.pointerPosition(x, y);
  EXPECT_EQ(x, 0);  // not before the game has taken the event
  Event e;
  ASSERT_TRUE(platform.pollEvent(e));
  EXPECT_EQ(e.kind, EventKind::KeyDown);
  EXPECT_EQ(e.key, 27);
  ASSERT_TRUE(platform.pollEvent(e));
  EXPECT_EQ(e.kind, EventKind::Char);
  EXPECT_EQ(e.ch, 27);
  ASSERT_TRUE(platform.pollEvent(e));
  EXPECT_EQ(e.kind, EventKind::MouseMove);
  platform.pointerPosition(x, y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 45);
  EXPECT_FALSE(platform.pollEvent(e));
}

TEST(HeadlessPlatform, DevicesReadAsSetMovementOnceAndIdleWithoutFocus) {
  HeadlessPlatform platform(10);
  DeviceState state;
  state.keys[39] = 0x80;
  state.mouseButtons[0] = 0x80;
  state.mouseX = 7;
  state.joystickPresent = true;
  state.joyAxis = {100, 200, 300};
  platform.setDeviceState(state);
  platform.moveMouse(3, -2, 120);

  DeviceState first = platform.pollDevices();
  EXPECT_EQ(first.keys[39], 0x80);
  EXPECT_EQ(first.mouseX, 10);
  EXPECT_EQ(first.mouseY, -2);
  EXPECT_EQ(first.mouseZ, 120);
  EXPECT_EQ(first.joyAxis[1], 200);

  DeviceState second = platform.pollDevices();
  EXPECT_EQ(second.keys[39], 0x80);  // still held
  EXPECT_EQ(second.mouseButtons[0], 0x80);
  EXPECT_EQ(second.mouseX, 0);  // no new movement
  EXPECT_EQ(second.mouseZ, 0);

  platform.setFocus(false);
  Event e;
  ASSERT_TRUE(platform.pollEvent(e));
  EXPECT_EQ(e.kind, EventKind::FocusLost);
  platform.moveMouse(50, 50);
  DeviceState idle = platform.pollDevices();
  EXPECT_FALSE(platform.hasFocus());
  EXPECT_EQ(idle.keys[39], 0);
  EXPECT_EQ(idle.mouseButtons[0], 0);
  EXPECT_EQ(idle.mouseX, 0);
  EXPECT_FALSE(idle.joystickPresent);

  // Movement made while away is not delivered on return.
  platform.setFocus(true);
  ASSERT_TRUE(platform.pollEvent(e));
  EXPECT_EQ(e.kind, EventKind::FocusGained);
  DeviceState back = platform.pollDevices();
  EXPECT_EQ(back.keys[39], 0x80);
  EXPECT_EQ(back.mouseX, 0);
}

TEST(HeadlessPlatform, SoundsEndByTheFixedClock) {
  HeadlessPlatform platform(20);
  Mixer& mixer = platform.mixer();
  EXPECT_FALSE(mixer.hasDevice());
  WaveFormat f;
  f.channels = 1;
  f.samplesPerSec = 11025;
  f.bitsPerSample = 8;
  f.blockAlign = 1;
  std::vector<uint8_t> halfSecond(11025 / 2, 128);
  int h = mixer.create(f, halfSecond.data(), halfSecond.size());
  mixer.play(h, false);
  std::vector<uint16_t> frame(1, 0);
  for (int i = 0; i < 24; ++i) platform.present(frame.data(), 1, 1, 1);
  EXPECT_TRUE(mixer.isPlaying(h));  // 480 ms
  platform.present(frame.data(), 1, 1, 1);
  EXPECT_FALSE(mixer.isPlaying(h));  // 500 ms
}

TEST(HeadlessPlatform, Messages) {
  HeadlessPlatform platform(10);
  std::string text = utf8ToCp1251("Неизвестная команда.");
  testing::internal::CaptureStderr();
  platform.messageBox("Mashvolt", text);
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "Mashvolt: Неизвестная команда.\n");
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0], "Mashvolt: " + text);
}

}  // namespace
}  // namespace mv
