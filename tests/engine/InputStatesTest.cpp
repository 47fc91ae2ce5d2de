#include <gtest/gtest.h>

#include <limits>

#include "engine/input/DXInput.h"

namespace mv {
namespace {

// A stick read like the system joystick service reads it: 0 .. 65535 on each axis.
DeviceState stick(int x, int y, uint32_t buttons = 0, int buttonCount = 12) {
  DeviceState s;
  s.joystickPresent = true;
  s.joyAxis = {x, y, 32767};
  s.joyMin = {0, 0, 0};
  s.joyMax = {65535, 65535, 65535};
  s.joyButtons = buttons;
  s.joyButtonCount = buttonCount;
  return s;
}

// Everything a person could hold at once.
DeviceState everythingHeld() {
  DeviceState s = stick(65535, 0, 0xFFFFFFFFu, 32);
  s.keys.fill(0x80);
  s.mouseX = 5;
  s.mouseY = -7;
  s.mouseZ = 120;
  s.mouseButtons = {0x80, 0x80, 0x80, 0x80};
  return s;
}

TEST(JoystickAxis, DeadZoneAndRangeOfTheSystemJoystick) {
  // Dead zone 10 % of each half of the travel, range 1000.
  EXPECT_EQ(scaleJoystickAxis(32767, 0, 65535, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(32767 + 3276, 0, 65535, 10, 1000), 0);  // 5 % of the whole travel
  EXPECT_EQ(scaleJoystickAxis(32767 - 3276, 0, 65535, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(32767 + 3277, 0, 65535, 10, 1000), 0);  // 1/29491 of the range rounds off
  EXPECT_EQ(scaleJoystickAxis(32767 + 3277 + 15, 0, 65535, 10, 1000), 1);
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 10, 1000), 1000);
  EXPECT_EQ(scaleJoystickAxis(0, 0, 65535, 10, 1000), -1000);
  // Halfway between the dead zone's edge and the end.
  EXPECT_EQ(scaleJoystickAxis(32767 + 3276 + 14746, 0, 65535, 10, 1000), 500);
  // No dead zone: the reading is linear from the middle.
  EXPECT_EQ(scaleJoystickAxis(32767 + 16384, 0, 65535, 0, 1000), 500);
}

TEST(JoystickAxis, DegenerateAxesReadZeroAndNothingReadsPastTheRange) {
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 100, 1000), 0);  // all dead
  EXPECT_EQ(scaleJoystickAxis(65535, 0, 65535, 10, 0), 0);      // no range
  EXPECT_EQ(scaleJoystickAxis(0, 0, 0, 10, 1000), 0);           // an axis the stick lacks
  EXPECT_EQ(scaleJoystickAxis(5, 10, 0, 10, 1000), 0);          // ends the wrong way round
  // Readings beyond the reported ends, and extreme ranges, stay within the range.
  EXPECT_EQ(scaleJoystickAxis(200000, 0, 65535, 10, 1000), 1000);
  EXPECT_EQ(scaleJoystickAxis(-200000, 0, 65535, 10, 1000), -1000);
  const int32_t big = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(scaleJoystickAxis(big, 0, 65535, 0, big), big);
  EXPECT_EQ(scaleJoystickAxis(std::numeric_limits<int32_t>::min(), 0, big, 0, big), -big);
}

TEST(JoystickAxis, CentresOnTheDevicesOwnTravel) {
  // A stick reporting 1000 .. 3000 rests at 2000.
  EXPECT_EQ(scaleJoystickAxis(2000, 1000, 3000, 10, 1000), 0);
  EXPECT_EQ(scaleJoystickAxis(3000, 1000, 3000, 10, 1000), 1000);
  EXPECT_EQ(scaleJoystickAxis(1000, 1000, 3000, 10, 1000), -1000);
}

TEST(JoystickSettings, DeadZonesClampAndPersistAcrossPolls) {
  TDXInput input;
  EXPECT_EQ(input.Joystick.DeadZoneX(), 10);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 10);
  EXPECT_EQ(input.Joystick.deadZone(TJoystick::OffsetZ), 0);
  EXPECT_EQ(input.Joystick.range(TJoystick::OffsetY), 1000);
  // The console accepts up to 999; the stick keeps at most all of its travel.
  input.Joystick.setDeadZoneX(500);
  EXPECT_EQ(input.Joystick.DeadZoneX(), 100);
  input.Joystick.setDeadZoneY(-3);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 0);
  input.Joystick.setRange(TJoystick::OffsetX, -50);
  EXPECT_EQ(input.Joystick.range(TJoystick::OffsetX), 0);
  // The hat has no dead zone; offsets off the state record are neither stored nor read.
  input.Joystick.setDeadZone(TJoystick::OffsetHat, 20);
  EXPECT_EQ(input.Joystick.deadZone(TJoystick::OffsetHat), -1);
  input.Joystick.setDeadZone(271, 20);
  input.Joystick.setDeadZone(-4, 20);
  EXPECT_EQ(input.Joystick.deadZone(271), 0);
  EXPECT_EQ(input.Joystick.deadZone(-4), 0);

  // A dead zone of 100 silences the axis from the next poll on, and stays so.
  input.Joystick.setRange(TJoystick::OffsetX, 1000);
  input.update(stick(65535, 65535), true);
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_EQ(input.Joystick.y, 1000);
  input.update(stick(65535, 65535), true);
  EXPECT_EQ(input.Joystick.x, 0);
}

TEST(InputStates, JoystickButtonsAndDirections) {
  TDXInput input;
  input.update(stick(0, 65535, (1u << 5) | (1u << 20), 12), true);
  EXPECT_EQ(input.Joystick.x, -1000);
  EXPECT_EQ(input.Joystick.y, 1000);
  EXPECT_TRUE(input.Joystick.buttonHeld(5));
  EXPECT_FALSE(input.Joystick.buttonHeld(4));
  EXPECT_FALSE(input.Joystick.buttonHeld(20));  // past the stick's twelve buttons
  EXPECT_TRUE(input.Joystick.states.test(isLeft));
  EXPECT_TRUE(input.Joystick.states.test(isDown));
  EXPECT_FALSE(input.Joystick.states.test(isRight));

  input.update(stick(32767, 32767, 1u << 31, 32), true);
  EXPECT_TRUE(input.Joystick.buttonHeld(31));
  EXPECT_FALSE(input.Joystick.buttonHeld(32));
  EXPECT_FALSE(input.Joystick.buttonHeld(-1));

  // Unplugged: nothing held, nothing moved, whatever the stale readings say.
  DeviceState gone = stick(0, 0, 0xFFFFFFFFu, 32);
  gone.joystickPresent = false;
  input.update(gone, true);
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_EQ(input.Joystick.y, 0);
  EXPECT_FALSE(input.Joystick.buttonHeld(0));
}

TEST(InputStates, KeyboardByVirtualKeyCode) {
  TDXInput input;
  DeviceState s;
  s.keys[0] = 0x80;  // never a key
  s.keys['A'] = 0x80;
  s.keys[38] = 0x80;  // up arrow
  s.keys[255] = 0x81;
  s.keys['B'] = 0x7F;  // bit 7 clear: not held
  input.update(s, true);
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_TRUE(input.Keyboard.keyHeld(255));
  EXPECT_FALSE(input.Keyboard.keyHeld('B'));
  EXPECT_FALSE(input.Keyboard.keyHeld(0));
  EXPECT_FALSE(input.Keyboard.keyHeld(256));
  EXPECT_FALSE(input.Keyboard.keyHeld(-1));
  // The keyboard's named states come from its assignments and alone reach the merged set.
  EXPECT_TRUE(input.Keyboard.states.test(isUp));
  EXPECT_TRUE(input.states.test(isUp));

  // A released key is gone on the next poll.
  input.update(DeviceState{}, true);
  EXPECT_FALSE(input.Keyboard.keyHeld('A'));
  EXPECT_TRUE(input.states.none());
}

TEST(InputStates, MouseMovementIsPerPollAndOnlyThreeButtonsCount) {
  TDXInput input;
  DeviceState s;
  s.mouseX = -3;
  s.mouseY = 12;
  s.mouseButtons = {0x80, 0, 0x80, 0x80};
  input.update(s, true);
  EXPECT_EQ(input.Mouse.x, -3);
  EXPECT_EQ(input.Mouse.y, 12);
  EXPECT_TRUE(input.Mouse.buttonHeld(0));
  EXPECT_FALSE(input.Mouse.buttonHeld(1));
  EXPECT_TRUE(input.Mouse.buttonHeld(2));
  EXPECT_FALSE(input.Mouse.buttonHeld(3));  // a fourth button is never reported
  EXPECT_TRUE(input.Mouse.states.test(isLeft));
  EXPECT_TRUE(input.Mouse.states.test(isDown));
  // The mouse does not bind its states into the merged set.
  EXPECT_FALSE(input.states.test(isDown));

  input.update(DeviceState{}, true);
  EXPECT_EQ(input.Mouse.y, 0);
  EXPECT_FALSE(input.Mouse.buttonHeld(0));
}

TEST(InputStates, NothingIsHeldWithoutTheFocus) {
  TDXInput input;
  input.update(everythingHeld(), false);
  EXPECT_FALSE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Mouse.x, 0);
  EXPECT_EQ(input.Mouse.y, 0);
  EXPECT_EQ(input.Mouse.z, 0);
  EXPECT_FALSE(input.Mouse.buttonHeld(0));
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_FALSE(input.Joystick.buttonHeld(0));
  EXPECT_TRUE(input.states.none());

  // Held a frame earlier and then the focus goes: released at once.
  input.update(everythingHeld(), true);
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Joystick.x, 1000);
  input.update(everythingHeld(), false);
  EXPECT_FALSE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Joystick.x, 0);

  // Without ActiveOnly a device reads in the background too.
  input.ActiveOnly = false;
  input.update(everythingHeld(), false);
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Mouse.y, -7);
}

TEST(InputStates, DisabledDevicesReadIdle) {
  TDXInput input;
  input.Mouse.Enabled = false;
  input.Joystick.Enabled = false;
  input.update(everythingHeld(), true);
  EXPECT_TRUE(input.Keyboard.keyHeld('A'));
  EXPECT_EQ(input.Mouse.y, 0);
  EXPECT_FALSE(input.Mouse.buttonHeld(0));
  EXPECT_EQ(input.Joystick.x, 0);
  EXPECT_FALSE(input.Joystick.buttonHeld(0));
}

}  // namespace
}  // namespace mv
