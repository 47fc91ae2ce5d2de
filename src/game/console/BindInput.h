#pragma once
// Where a human player's bindings meet the polled devices: whether a bound key or button is held this
// frame, and how each aiming device turns into a change of the fighter's aim.

#include <cstdint>
#include <vector>

#include "game/combatants/PersonInput.h"
#include "game/console/BindRecord.h"

namespace mv {

class TDXInput;

enum LookType : uint8_t { LookMouse = 0, LookJoystick = 1, LookKeyboard = 2 };

// Whether the binding's key, mouse button or joystick button is held in this frame's poll. Evaluated
// fresh on every call: a key held over several frames counts on each of them. Without an input
// component nothing is held.
bool bindHeld(const BindRecord& bind, const TDXInput* input);

// One aiming step: the change is added, the sum kept within -90 .. 90 and truncated towards zero, so a
// change under one degree creeps the aim towards the horizontal and never away from it.
int32_t aimStep(int32_t aimAngle, double change);

// What one frame's aiming reads besides the devices.
struct AimControls {
  uint8_t lookType = LookMouse;
  int32_t sensivity = 0;
  bool facesRight = true;  // moving the device down aims lower on screen on either side
  bool lookUp = false;     // LOOKUP and LOOKDOWN held; read by keyboard aiming only
  bool lookDown = false;
};

// This frame's aiming as steps for a fighter facing right (facesRight is not read).
std::vector<AimChange> aimChanges(const AimControls& controls, const TDXInput* input);
// The aim after the steps, each turned to the side the fighter faces and truncated on its own.
int32_t applyAimChanges(int32_t aimAngle, const std::vector<AimChange>& changes, bool facesRight);
// The aim after this frame's mouse, joystick or keyboard aiming.
int32_t convertAim(int32_t aimAngle, const AimControls& controls, const TDXInput* input);

}  // namespace mv
