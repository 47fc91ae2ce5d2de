#include "game/combatants/PadControl.h"

#include "engine/input/GamePad.h"

namespace mv {
namespace {

// How far a stick or a trigger is pulled (of 1000, past its dead zone) before it counts as a press.
constexpr int32_t kStickPress = 500;
constexpr int32_t kTriggerPress = 300;

}  // namespace

void PadControls::merge(const PadControls& o) {
  left |= o.left;
  right |= o.right;
  jump |= o.jump;
  crouch |= o.crouch;
  fire |= o.fire;
  zoom |= o.zoom;
  nextWeapon |= o.nextWeapon;
  prevWeapon |= o.prevWeapon;
  if (o.aim * o.aim > aim * aim) aim = o.aim;
}

PadControls readPadControls(const TGamePad& pad) {
  PadControls c;
  if (!pad.present) return c;
  const int32_t x = pad.axis(PadLeftX), y = pad.axis(PadLeftY);
  c.left = x < -kStickPress || pad.held(PadLeft);
  c.right = x > kStickPress || pad.held(PadRight);
  c.jump = y < -kStickPress || pad.held(PadUp) || pad.held(PadA);
  c.crouch = y > kStickPress || pad.held(PadDown);
  c.fire = pad.axis(PadRightTrigger) > kTriggerPress;
  c.zoom = pad.axis(PadLeftTrigger) > kTriggerPress;
  c.nextWeapon = pad.held(PadRightShoulder);
  c.prevWeapon = pad.held(PadLeftShoulder);
  const double pull = pad.axis(PadRightY) / static_cast<double>(TGamePad::kRange);
  c.aim = pull * (pull < 0 ? -pull : pull);
  return c;
}

double padAimChange(double aim, int32_t sensivity, bool facesRight, int moveCount) {
  return aim * (facesRight ? 1.0 : -1.0) * sensivity / 100.0 * moveCount;
}

}  // namespace mv
