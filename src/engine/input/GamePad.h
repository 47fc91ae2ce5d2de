#pragma once
// A game pad as the game reads it, from the same poll as the other devices: the sticks with their middle
// dead, scaled to -1000 .. 1000 (y downward), the triggers to 0 .. 1000, and the buttons.

#include <array>
#include <cstdint>

#include "platform/Platform.h"

namespace mv {

class TGamePad {
 public:
  static constexpr int32_t kRange = 1000;
  // Worn sticks rest a little off the middle; this much of each half of the travel reads as rest.
  static constexpr int32_t kStickDeadZone = 24;

  // Clears the snapshot and, when seen, reads it from the polled pad.
  void poll(const PadState& polled, bool seen);
  bool held(PadButton button) const { return (buttons >> button) & 1u; }
  int32_t axis(PadAxis which) const { return axes[static_cast<size_t>(which)]; }

  bool present = false;
  std::array<int32_t, PadAxisCount> axes{};
  uint32_t buttons = 0;
};

}  // namespace mv
