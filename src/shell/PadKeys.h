#pragma once
// The pads' buttons as the menus take them: a press when a button goes down, and for the directions
// (the d-pad, or the left stick pushed well over) presses repeated while held, as a held key repeats.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/input/GamePad.h"

namespace mv {

class TPadKeys {
 public:
  static constexpr int32_t kRepeatDelayMs = 400;
  static constexpr int32_t kRepeatMs = 120;
  static constexpr int32_t kStickPress = 600;  // of 1000

  // The presses since the previous frame, which was elapsedMs ago, of every pad.
  std::vector<PadButton> poll(const std::array<TGamePad, kMaxPads>& pads, int32_t elapsedMs);

 private:
  struct Held {
    uint32_t buttons = 0;  // the pad's buttons, the stick's directions counted as the d-pad's
    int32_t repeatIn = 0;  // until a held direction presses again
  };
  std::array<Held, kMaxPads> held_{};
};

}  // namespace mv
