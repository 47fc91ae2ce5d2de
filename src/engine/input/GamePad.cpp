#include "engine/input/GamePad.h"

#include "engine/input/DXInput.h"

namespace mv {

void TGamePad::poll(const PadState& polled, bool seen) {
  present = false;
  axes.fill(0);
  buttons = 0;
  if (!seen || !polled.present) return;
  present = true;
  for (int a = 0; a < PadAxisCount; ++a) {
    const int32_t raw = polled.axes[static_cast<size_t>(a)];
    const bool trigger = a == PadLeftTrigger || a == PadRightTrigger;
    // A trigger's travel is the upper half of a stick's: from rest at 0 to 32767.
    axes[static_cast<size_t>(a)] = trigger ? scaleJoystickAxis(raw, -32767, 32767, 0, kRange)
                                           : scaleJoystickAxis(raw, -32768, 32767, kStickDeadZone, kRange);
  }
  buttons = polled.buttons & ((1u << PadButtonCount) - 1);
}

}  // namespace mv
