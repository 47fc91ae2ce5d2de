#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "engine/input/DXInput.h"

namespace mv {
namespace {

// A stick read like the system joystick service reads it: 0 .. 65535 on each axis.
DeviceState stick(int x, int y, uint32_t buttons = 0, int buttonCount = 12) {
  DeviceState s;
  s.joystickPresent = true;
  s.joyAxis = {x, y, 32767};
  s.joyMax = {65535, 65535, 65535};
  s.joyButtons = buttons;
  s.joyButtonCount = buttonCount;
  return s;
}

TEST(JoystickAxis, DeadZoneAndRange) {
  // Dead zone 10 % of each half of the travel, range 1000.
  EXPECT_EQ(scaleJoystickAxis(32767, 0, 65535, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(32767 + 3276, 0, 65535, 10, 1000), 0);  // 5 % of the whole travel
  EXPECT_EQ(scaleJoystickAxis(32767 - 3276, 0, 65535, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(32767 + 3276 + 16, 0, 65535, 10, 1000), 1);  // 0.54 rounds up
  EXPECT_EQ(scaleJoystickAxis(32767 + 3276 + 14746, 0, 65535, 10, 1000), 500);
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 10, 1000), 1000);
  EXPECT_EQ(scaleJoystickAxis(0, 0, 65535, 10, 1000), -1000);
  // Halves go to the even neighbour, as near() takes them: on a 0 .. 4 stick one step off the middle is
  // half the range.
  for (auto [p, range, want] : {std::tuple{3, 1, 0}, {1, 1, 0}, {3, 3, 2}, {1, 3, -2}, {3, 5, 2}, {1, 5, -2}})
    EXPECT_EQ(scaleJoystickAxis(p, 0, 4, 0, range), want) << p << " of 0 .. 4, range " << range;
  // A stick reporting 1000 .. 3000 rests at 2000.
  EXPECT_EQ(scaleJoystickAxis(2000, 1000, 3000, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(3000, 1000, 3000, 10, 1000), 1000);
  // All dead, no range, an axis the stick lacks, ends the wrong way round: 0.
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 100, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 10, 0), 0);
  EXPECT_EQ(scaleJoystickAxis(0, 0, 0, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(5, 10, 0, 10, 1000), 0);
  // Readings past the reported ends and extreme ranges stay within the range, without overflow.
  const int32_t big = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(scaleJoystickAxis(200000, 0, 65535, 10, 1000), 1000);
  EXPECT_EQ(scaleJoystickAxis(big, 0, 65535, 0, big), big);
  EXPECT_EQ(scaleJoystickAxis(std::numeric_limits<int32_t>::min(), 0, big, 0, big), -big);
}

TEST(JoystickAxis, DeadZoneSettingsClampAndPersist) {
  TDXInput input;
  EXPECT_EQ(input.Joystick.DeadZoneX(), 10);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 10);
  EXPECT_EQ(input.Joystick.range(TJoystick::OffsetY), 1000);
  // The console accepts up to 999; the stick keeps at most all of its travel.
  input.Joystick.setDeadZoneX(500);
  EXPECT_EQ(input.Joystick.DeadZoneX(), 100);
  input.Joystick.setDeadZoneY(-3);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 0);
  input.Joystick.setRange(TJoystick::OffsetZ, -50);
  EXPECT_EQ(input.Joystick.range(TJoystick::OffsetZ), 0);
  // The hat has no dead zone; offsets off the state record are neither stored nor read.
  input.Joystick.setDeadZone(TJoystick::OffsetHat, 20);
  input.Joystick.setDeadZone(271, 20);
  EXPECT_EQ(input.Joystick.deadZone(TJoystick::OffsetHat), -1);
  EXPECT_EQ(input.Joystick.deadZone(271), 0);
  // Every later poll reads through the changed dead zones.
  for (int frame = 0; frame < 2; ++frame) {
    input.update(stick(65535, 65535), true);
    EXPECT_EQ(input.Joystick.x, 0);
    EXPECT_EQ(input.Joystick.y, 1000);
  }
}

TEST(InputStates, ButtonsDirectionsAndKeysPerPoll) {
  TDXInput input;
  DeviceState s = stick(0, 65535, (1u << 5) | (1u << 20), 12);
  s.keys['A'] = 0x80;
  s.keys[0] = 0x80;   // never a key
  s.keys[38] = 0x80;  // up arrow
  s.mouseY = 12;
  s.mouseButtons = {0x80, 0, 0, 0x80};
  input.update(s, true);
  EXPECT_EQ(input.Joystick.x, -1000);
  EXPECT_TRUE(input.Joystick.buttonHeld(5));
  EXPECT_FALSE(input.Joystick.buttonHeld(20));  // past the stick's twelve buttons
  EXPECT_TRUE(input.Joystick.states.test(isLeft));
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_FALSE(input.Keyboard.keyHeld(0));
  EXPECT_FALSE(input.Keyboard.keyHeld(256));
  EXPECT_EQ(input.Mouse.y, 12);
  EXPECT_TRUE(input.Mouse.buttonHeld(0));
  EXPECT_FALSE(input.Mouse.buttonHeld(3));  // the mouse reports three buttons
  EXPECT_TRUE(input.Mouse.states.test(isDown));
  // Only the keyboard binds its named states into the merged set.
  EXPECT_TRUE(input.states.test(isUp));
  EXPECT_FALSE(input.states.test(isDown));

  // Nothing carries over: released keys, spent movement, an unplugged stick.
  DeviceState next = stick(0, 0, 0xFFFFFFFFu, 32);
  next.joystickPresent = false;
  input.update(next, true);
  EXPECT_FALSE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Mouse.y, 0);
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_FALSE(input.Joystick.buttonHeld(0));
  EXPECT_TRUE(input.states.none());

  input.update(stick(32767, 32767, 1u << 31, 32), true);
  EXPECT_TRUE(input.Joystick.buttonHeld(31));
  EXPECT_FALSE(input.Joystick.buttonHeld(32));
}

TEST(InputStates, NothingIsHeldWithoutTheFocus) {
  DeviceState all = stick(65535, 0, 0xFFFFFFFFu, 32);
  all.keys.fill(0x80);
  all.mouseY = -7;
  all.mouseButtons.fill(0x80);
  TDXInput input;
  input.update(all, true);
  ASSERT_TRUE(input.Keyboard.keyHeld('A'));
  // Held a frame earlier, then the focus goes: released at once.
  input.update(all, false);
  EXPECT_FALSE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Mouse.y, 0);
  EXPECT_FALSE(input.Mouse.buttonHeld(0));
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_FALSE(input.Joystick.buttonHeld(0));
  EXPECT_TRUE(input.states.none());
  // A disabled device reads idle even with the focus; without ActiveOnly the rest read anyway.
  input.ActiveOnly = false;
  input.Mouse.Enabled = false;
  input.update(all, false);
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_FALSE(input.Mouse.buttonHeld(0));
}

}  // namespace
}  // namespace mv
