#include <gtest/gtest.h>

#include <limits>

#include "engine/input/DXInput.h"
#include "game/console/BindInput.h"

namespace mv {
namespace {

BindRecord bind(uint8_t device, int32_t code) {
  BindRecord b;
  b.device = device;
  b.code = code;
  return b;
}

struct HeldTest : ::testing::Test {
  void poll(const DeviceState& s) { input.update(s, true); }
  TDXInput input;
};

TEST_F(HeldTest, KeyboardByCodeWithinOneTo255) {
  DeviceState s;
  s.keys['W'] = 0x80;
  s.keys[0] = 0x80;
  poll(s);
  EXPECT_TRUE(bindHeld(bind(BindKeyboard, 'W'), &input));
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, 'S'), &input));
  // An unbound action (code 0) never fires, nor does a code no key has.
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, 0), &input));
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, 256 + 'W'), &input));
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, -1), &input));
}

TEST_F(HeldTest, MouseButtonsFromTheFirst) {
  DeviceState s;
  s.mouseButtons = {0x80, 0, 0, 0x80};
  poll(s);
  EXPECT_TRUE(bindHeld(bind(BindMouse, 0), &input));  // MOUSE0, the left button
  EXPECT_FALSE(bindHeld(bind(BindMouse, 1), &input));
  EXPECT_FALSE(bindHeld(bind(BindMouse, 3), &input));  // the mouse reports three buttons
  EXPECT_FALSE(bindHeld(bind(BindMouse, 32), &input));
  // Mouse and keyboard codes are separate: the left button is not key 0 or key 1.
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, 1), &input));
}

TEST_F(HeldTest, JoystickButtonsUpTo31) {
  DeviceState s;
  s.joystickPresent = true;
  s.joyButtonCount = 32;
  s.joyButtons = (1u << 5) | (1u << 31);
  poll(s);
  EXPECT_TRUE(bindHeld(bind(BindJoystick, 5), &input));  // JOY5, the sixth button
  EXPECT_TRUE(bindHeld(bind(BindJoystick, 31), &input));
  EXPECT_FALSE(bindHeld(bind(BindJoystick, 0), &input));
  EXPECT_FALSE(bindHeld(bind(BindJoystick, 32), &input));
  // The mouse's button 5 is not the stick's.
  EXPECT_FALSE(bindHeld(bind(BindMouse, 5), &input));
}

TEST_F(HeldTest, UnknownDeviceOrNoInputIsNeverHeld) {
  DeviceState s;
  s.keys.fill(0x80);
  s.mouseButtons.fill(0x80);
  poll(s);
  EXPECT_FALSE(bindHeld(bind(3, 'A'), &input));
  EXPECT_FALSE(bindHeld(bind(255, 0), &input));
  EXPECT_FALSE(bindHeld(bind(BindKeyboard, 'A'), nullptr));
}

// Aiming -----------------------------------------------------------------------------------------

struct AimTest : ::testing::Test {
  int32_t mouse(int32_t aim, int dy, int32_t sensivity, bool right = true) {
    DeviceState s;
    s.mouseY = dy;
    input.update(s, true);
    AimControls c;
    c.lookType = LookMouse;
    c.sensivity = sensivity;
    c.facesRight = right;
    return convertAim(aim, c, &input);
  }
  int32_t keys(int32_t aim, bool up, bool down, int32_t sensivity, bool right = true) {
    AimControls c;
    c.lookType = LookKeyboard;
    c.sensivity = sensivity;
    c.facesRight = right;
    c.lookUp = up;
    c.lookDown = down;
    return convertAim(aim, c, &input);
  }
  TDXInput input;
};

TEST_F(AimTest, MouseDownAimsLowerOnScreenOnEitherSide) {
  // Sensivity 10: four units of movement are one degree.
  EXPECT_EQ(mouse(0, 4, 10), 1);
  EXPECT_EQ(mouse(0, -8, 10), -2);
  // Facing left the stored angle falls, which is still lower on screen.
  EXPECT_EQ(mouse(0, 4, 10, false), -1);
  EXPECT_EQ(mouse(0, -8, 10, false), 2);
  // Clamped at the vertical both ways, even by an absurd movement.
  EXPECT_EQ(mouse(85, 400, 10), 90);
  EXPECT_EQ(mouse(-85, -400, 10), -90);
  EXPECT_EQ(mouse(0, std::numeric_limits<int>::max(), 999), 90);
  EXPECT_EQ(mouse(0, std::numeric_limits<int>::min(), 999), -90);
  // No movement, no change; no sensivity, no change.
  EXPECT_EQ(mouse(37, 0, 10), 37);
  EXPECT_EQ(mouse(37, 50, 0), 37);
}

TEST_F(AimTest, SmallStepsCreepTowardsTheHorizontalOnly) {
  // Three units at sensivity 10 are 0.75 degree: lost going away from level, a whole degree towards.
  int32_t aim = 10;
  for (int i = 0; i < 5; ++i) aim = mouse(aim, 3, 10);
  EXPECT_EQ(aim, 10);
  for (int i = 0; i < 5; ++i) aim = mouse(aim, -3, 10);
  EXPECT_EQ(aim, 5);
  aim = -10;
  for (int i = 0; i < 5; ++i) aim = mouse(aim, 3, 10);
  EXPECT_EQ(aim, -5);
  // Through the horizontal: -0.25 truncates to 0, and from 0 a 0.75 step is lost.
  EXPECT_EQ(mouse(-1, 3, 10), 0);
  EXPECT_EQ(mouse(0, 3, 10), 0);
}

TEST_F(AimTest, JoystickAimsByPosition) {
  DeviceState s;
  s.joystickPresent = true;
  s.joyAxis = {32767, 65535, 0};
  s.joyMax = {65535, 65535, 0};
  input.update(s, true);
  ASSERT_EQ(input.Joystick.y, 1000);
  AimControls c;
  c.lookType = LookJoystick;
  c.sensivity = 10;
  EXPECT_EQ(convertAim(0, c, &input), 10);
  c.facesRight = false;
  EXPECT_EQ(convertAim(0, c, &input), -10);
  EXPECT_EQ(convertAim(-85, c, &input), -90);
  // The mouse does not aim for a joystick player.
  s.joyAxis[1] = 32767;
  s.mouseY = 400;
  input.update(s, true);
  EXPECT_EQ(convertAim(20, c, &input), 20);
}

TEST_F(AimTest, KeysAimPerStepEachTruncatedOnItsOwn) {
  // Sensivity 10: two degrees a step whatever the frame time.
  EXPECT_EQ(keys(0, false, true, 10), 2);
  EXPECT_EQ(keys(0, true, false, 10), -2);
  EXPECT_EQ(keys(0, false, true, 10, false), -2);
  EXPECT_EQ(keys(0, true, false, 10, false), 2);
  EXPECT_EQ(keys(89, false, true, 10), 90);
  // Both held: up first, truncated, then down: 5 - 1.4 = 3.6 -> 3, then 3 + 1.4 = 4.4 -> 4.
  EXPECT_EQ(keys(5, true, true, 7), 4);
  // The look keys do nothing for a mouse player.
  AimControls c;
  c.lookType = LookMouse;
  c.sensivity = 10;
  c.lookDown = true;
  input.update(DeviceState{}, true);
  EXPECT_EQ(convertAim(0, c, &input), 0);
}

TEST_F(AimTest, UnknownLookTypeOrNoInputKeepsTheAim) {
  AimControls c;
  c.lookType = 3;
  c.sensivity = 10;
  c.lookDown = true;
  EXPECT_EQ(convertAim(12, c, &input), 12);
  c.lookType = LookMouse;
  EXPECT_EQ(convertAim(12, c, nullptr), 12);
  EXPECT_EQ(aimStep(12, 0.999), 12);
  EXPECT_EQ(aimStep(-12, -0.999), -12);
  EXPECT_EQ(aimStep(0, 1e300), 90);
}

}  // namespace
}  // namespace mv
