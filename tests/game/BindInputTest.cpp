#include <gtest/gtest.h>

#include <limits>

#include "engine/input/DXInput.h"
#include "game/console/BindInput.h"

namespace mv {
namespace {

bool held(const TDXInput* input, uint8_t device, int32_t code) {
  return bindHeld(BindRecord{device, "", code}, input);
}

TEST(BindHeld, EachDeviceByItsOwnCodes) {
  DeviceState s;
  s.keys['W'] = 0x80;
  s.keys[0] = 0x80;
  s.mouseButtons = {0x80, 0, 0, 0x80};
  s.joystickPresent = true;
  s.joyButtonCount = 32;
  s.joyButtons = (1u << 5) | (1u << 31);
  TDXInput input;
  input.update(s, true);

  EXPECT_TRUE(held(&input, BindKeyboard, 'W'));
  EXPECT_FALSE(held(&input, BindKeyboard, 0));  // an unbound action never fires
  EXPECT_FALSE(held(&input, BindKeyboard, 256 + 'W'));
  EXPECT_TRUE(held(&input, BindMouse, 0));     // MOUSE0, the left button
  EXPECT_FALSE(held(&input, BindMouse, 3));    // MOUSE3: the mouse reports three buttons
  EXPECT_TRUE(held(&input, BindJoystick, 5));  // JOY5, the sixth button
  EXPECT_TRUE(held(&input, BindJoystick, 31));
  EXPECT_FALSE(held(&input, BindJoystick, 32));
  // The devices do not stand in for each other.
  EXPECT_FALSE(held(&input, BindMouse, 5));
  EXPECT_FALSE(held(&input, BindJoystick, 0));
  EXPECT_FALSE(held(&input, BindKeyboard, 1));
  // An unknown device kind, or no input component at all, holds nothing.
  EXPECT_FALSE(held(&input, 3, 'W'));
  EXPECT_FALSE(held(nullptr, BindKeyboard, 'W'));
}

struct Aim : ::testing::Test {
  int32_t mouse(int32_t aim, int dy, int32_t sensivity, bool right = true) {
    DeviceState s;
    s.mouseY = dy;
    input.update(s, true);
    return convertAim(aim, AimControls{LookMouse, sensivity, right}, &input);
  }
  int32_t keys(int32_t aim, bool up, bool down, int32_t sensivity, bool right = true) {
    return convertAim(aim, AimControls{LookKeyboard, sensivity, right, up, down}, &input);
  }
  TDXInput input;
};

TEST_F(Aim, MouseDownAimsLowerOnScreenOnEitherSideWithinTheVertical) {
  EXPECT_EQ(mouse(0, 4, 10), 1);  // sensivity 10: four units a degree
  EXPECT_EQ(mouse(0, -8, 10), -2);
  EXPECT_EQ(mouse(0, 4, 10, false), -1);  // facing left the stored angle falls
  EXPECT_EQ(mouse(85, 400, 10), 90);
  EXPECT_EQ(mouse(-85, 400, 10, false), -90);
  EXPECT_EQ(mouse(0, std::numeric_limits<int>::min(), 999), -90);
  EXPECT_EQ(mouse(37, 50, 0), 37);
  // The look keys are for keyboard aiming only.
  input.update(DeviceState{}, true);
  EXPECT_EQ(convertAim(0, AimControls{LookMouse, 10, true, true, false}, &input), 0);
  EXPECT_EQ(convertAim(12, AimControls{3, 10, true, false, true}, &input), 12);
  EXPECT_EQ(convertAim(12, AimControls{LookMouse, 10}, nullptr), 12);
}

TEST_F(Aim, StepsUnderADegreeCreepTowardsTheHorizontalOnly) {
  // Three units at sensivity 10 are 0.75 degree: lost going away from level, a whole degree towards.
  int32_t aim = 10;
  for (int i = 0; i < 5; ++i) aim = mouse(aim, 3, 10);
  EXPECT_EQ(aim, 10);
  for (int i = 0; i < 5; ++i) aim = mouse(aim, -3, 10);
  EXPECT_EQ(aim, 5);
  aim = -10;
  for (int i = 0; i < 5; ++i) aim = mouse(aim, 3, 10);
  EXPECT_EQ(aim, -5);
  EXPECT_EQ(mouse(-1, 3, 10), 0);
  EXPECT_EQ(mouse(0, 3, 10), 0);
}

TEST_F(Aim, StickByPositionAndKeysPerStep) {
  DeviceState s;
  s.joystickPresent = true;
  s.joyAxis = {32767, 65535, 0};
  s.joyMax = {65535, 65535, 0};
  input.update(s, true);
  EXPECT_EQ(convertAim(0, AimControls{LookJoystick, 10, true}, &input), 10);
  EXPECT_EQ(convertAim(-85, AimControls{LookJoystick, 10, false}, &input), -90);

  // Sensivity 10: two degrees a step whatever the frame time, flipped when facing left.
  EXPECT_EQ(keys(0, false, true, 10), 2);
  EXPECT_EQ(keys(0, true, false, 10), -2);
  EXPECT_EQ(keys(0, true, false, 10, false), 2);
  EXPECT_EQ(keys(89, false, true, 10), 90);
  // Both held: up first and truncated, then down: 5 - 1.4 = 3.6 -> 3, 3 + 1.4 = 4.4 -> 4.
  EXPECT_EQ(keys(5, true, true, 7), 4);
}

}  // namespace
}  // namespace mv
