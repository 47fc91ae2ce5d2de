#include "shell/PadKeys.h"

namespace mv {
namespace {

constexpr PadButton kDirections[] = {PadUp, PadDown, PadLeft, PadRight};

uint32_t bit(PadButton b) {
  return 1u << b;
}

uint32_t buttonsWithStick(const TGamePad& pad) {
  uint32_t b = pad.buttons;
  if (pad.axis(PadLeftY) < -TPadKeys::kStickPress) b |= bit(PadUp);
  if (pad.axis(PadLeftY) > TPadKeys::kStickPress) b |= bit(PadDown);
  if (pad.axis(PadLeftX) < -TPadKeys::kStickPress) b |= bit(PadLeft);
  if (pad.axis(PadLeftX) > TPadKeys::kStickPress) b |= bit(PadRight);
  return b;
}

}  // namespace

std::vector<PadButton> TPadKeys::poll(const std::array<TGamePad, kMaxPads>& pads, int32_t elapsedMs) {
  std::vector<PadButton> presses;
  for (size_t i = 0; i < pads.size(); ++i) {
    Held& h = held_[i];
    const uint32_t now = pads[i].present ? buttonsWithStick(pads[i]) : 0;
    const uint32_t pressed = now & ~h.buttons;
    for (int b = 0; b < PadButtonCount; ++b)
      if (pressed & bit(static_cast<PadButton>(b))) presses.push_back(static_cast<PadButton>(b));
    uint32_t directions = 0;
    for (PadButton d : kDirections) directions |= bit(d);
    if (pressed & directions) {
      h.repeatIn = kRepeatDelayMs;
    } else if (now & directions) {
      h.repeatIn -= elapsedMs;
      if (h.repeatIn <= 0) {
        h.repeatIn += kRepeatMs;
        if (h.repeatIn <= 0) h.repeatIn = kRepeatMs;
        for (PadButton d : kDirections)
          if (now & bit(d)) presses.push_back(d);
      }
    }
    h.buttons = now;
  }
  return presses;
}

}  // namespace mv
