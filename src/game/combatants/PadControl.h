#pragma once
// What a game pad asks of a person's fighter in one frame, on top of the bindings and with no binding
// needed: the left stick or the d-pad walks, jumps (up, or A) and crouches (down), the right stick aims,
// the right trigger fires, the left trigger zooms, the shoulder buttons change weapon.

#include <cstdint>

namespace mv {

class TGamePad;

struct PadControls {
  bool left = false, right = false, jump = false, crouch = false;
  bool fire = false, zoom = false, nextWeapon = false, prevWeapon = false;
  double aim = 0;  // the right stick's pull, -1 (up) .. 1 (down), eased so small pulls aim finely

  void merge(const PadControls& other);
};

PadControls readPadControls(const TGamePad& pad);

// The aim change of one frame, in degrees on the same scale as aimAngle: at full pull, sensivity
// hundredths of a degree per millisecond, down on screen for a positive pull on either side.
double padAimChange(double aim, int32_t sensivity, bool facesRight, int moveCount);

}  // namespace mv
