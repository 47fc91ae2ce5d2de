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

namespace {

// A reading beyond any aim: whatever it is, the step takes the aim to its end, and the product with the
// sensitivity still fits.
constexpr int32_t kLargestReading = 100000;

AimChange change(int32_t reading, int32_t sensivity, uint16_t divisor) {
  return {std::clamp(reading, -kLargestReading, kLargestReading) * sensivity, divisor};
}

}  // namespace

std::vector<AimChange> aimChanges(const AimControls& controls, const TDXInput* input) {
  // The sensitivity as the console accepts it; a step of 0 changes nothing and is left out.
  const int32_t sensivity = std::clamp(controls.sensivity, 0, 999);
  std::vector<AimChange> out;
  switch (controls.lookType) {
    case LookMouse:
      if (input && input->Mouse.y != 0) out.push_back(change(input->Mouse.y, sensivity, 40));
      break;
    case LookJoystick:
      if (input && input->Joystick.y != 0) out.push_back(change(input->Joystick.y, sensivity, 1000));
      break;
    case LookKeyboard:
      // Each key is its own step, truncated on its own, up first.
      if (controls.lookUp) out.push_back({-sensivity, 5});
      if (controls.lookDown) out.push_back({sensivity, 5});
      break;
    default:
      break;
  }
  std::erase_if(out, [](const AimChange& c) { return c.amount == 0; });
  return out;
}

int32_t applyAimChanges(int32_t aimAngle, const std::vector<AimChange>& changes, bool facesRight) {
  // The device's reading times the side times the sensitivity over the divisor, as one product: the
  // side only flips the sign, so turning the step afterwards gives the same number to the last bit.
  const double sign = facesRight ? 1.0 : -1.0;
  for (const AimChange& c : changes)
    if (c.divisor != 0) aimAngle = aimStep(aimAngle, sign * (static_cast<double>(c.amount) / c.divisor));
  return aimAngle;
}

int32_t convertAim(int32_t aimAngle, const AimControls& controls, const TDXInput* input) {
  return applyAimChanges(aimAngle, aimChanges(controls, input), controls.facesRight);
}

}  // namespace mv
