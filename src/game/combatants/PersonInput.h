#pragma once
// What a person asks of their fighter for one step, read from their own devices through their own
// bindings and aiming settings but before anything of the world is looked at. A network match carries
// this from machine to machine: the bindings and settings stay with the person, and every machine
// carries out the same input on its copy of the fighter.

#include <cstdint>
#include <string>
#include <vector>

namespace mv {

// Held controls, one bit each, in the order the step carries them out.
enum HeldControl : uint16_t {
  HeldStickRight = 1 << 0,  // the aiming joystick pushed right, besides the move keys
  HeldStickLeft = 1 << 1,
  HeldCrouch = 1 << 2,
  HeldFire = 1 << 3,
  HeldNextWeapon = 1 << 4,
  HeldJump = 1 << 5,
  HeldMoveRight = 1 << 6,
  HeldMoveLeft = 1 << 7,
  HeldZoom = 1 << 8,
  HeldPrevWeapon = 1 << 9,  // a game pad's shoulder button; after the next weapon's
};
constexpr uint16_t kAllHeldControls = (1 << 10) - 1;

// One aiming step in degrees for a fighter facing right, amount / divisor: the devices' readings times
// the sensitivity over the device's divisor (mouse 40, joystick 1000, keys 5), so the step a machine
// carries out is the very number the person's own machine would have added.
struct AimChange {
  int32_t amount = 0;
  uint16_t divisor = 1;
  bool operator==(const AimChange&) const = default;
};

struct PersonInput {
  bool playing = false;  // false while the person's hands are on a menu: the fighter stands idle
  uint16_t held = 0;     // HeldControl bits
  std::vector<AimChange> aim;     // applied in order, each truncated on its own
  double padAim = 0;              // a game pad's right stick, -1 .. 1, times the person's sensitivity
  std::vector<int8_t> wheel;      // +1 next weapon, -1 previous, in the order turned
  std::vector<std::string> lines;  // console lines every machine runs for this fighter (say, name)
  bool operator==(const PersonInput&) const = default;
};

}  // namespace mv
