#include "game/console/BindInput.h"

#include <algorithm>
#include <cmath>

#include "engine/input/DXInput.h"

namespace mv {

bool bindHeld(const BindRecord& bind, const TDXInput* input) {
  if (!input) return false;
  switch (bind.device) {
    case BindKeyboard:
      return input->Keyboard.keyHeld(bind.code);
    case BindMouse:
      return input->Mouse.buttonHeld(bind.code);
    case BindJoystick:
      return input->Joystick.buttonHeld(bind.code);
    default:
      return false;
  }
}

int32_t aimStep(int32_t aimAngle, double change) {
  return static_cast<int32_t>(std::trunc(std::clamp(aimAngle + change, -90.0, 90.0)));
}

int32_t convertAim(int32_t aimAngle, const AimControls& controls, const TDXInput* input) {
  const double sign = controls.facesRight ? 1.0 : -1.0;
  const double sensivity = controls.sensivity;
  switch (controls.lookType) {
    case LookMouse:
      if (!input) return aimAngle;
      return aimStep(aimAngle, input->Mouse.y * sign * sensivity / 40);
    case LookJoystick:
      if (!input) return aimAngle;
      return aimStep(aimAngle, input->Joystick.y * sign * sensivity / 1000);
    case LookKeyboard:
      // Each key is its own step, truncated on its own, up first.
      if (controls.lookUp) aimAngle = aimStep(aimAngle, -sign * sensivity / 5);
      if (controls.lookDown) aimAngle = aimStep(aimAngle, sign * sensivity / 5);
      return aimAngle;
    default:
      return aimAngle;
  }
}

}  // namespace mv
