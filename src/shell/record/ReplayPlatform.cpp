#include "shell/record/ReplayPlatform.h"

namespace mv {

void ReplayPlatform::apply(const TimedEvent& line) {
  const auto& v = line.values;
  auto value = [&](size_t i) { return i < v.size() ? static_cast<int>(v[i]) : 0; };
  switch (line.kind) {
    case ScriptedKind::HeldKey:
      state_.keys[static_cast<uint8_t>(value(0))] = static_cast<uint8_t>(value(1));
      break;
    case ScriptedKind::MouseRelative:
      state_.mouseX += value(0);
      state_.mouseY += value(1);
      state_.mouseZ += value(2);
      break;
    case ScriptedKind::MouseButtons:
      for (size_t i = 0; i < state_.mouseButtons.size(); ++i)
        state_.mouseButtons[i] = static_cast<uint8_t>(value(i));
      break;
    case ScriptedKind::Joystick:
      state_.joystickPresent = !v.empty();
      for (size_t i = 0; i < 3; ++i) {
        state_.joyAxis[i] = value(i);
        state_.joyMin[i] = value(3 + i);
        state_.joyMax[i] = value(6 + i);
      }
      state_.joyButtons = static_cast<uint32_t>(v.size() > 9 ? v[9] : 0);
      state_.joyButtonCount = value(10);
      break;
    case ScriptedKind::Pad:
      if (value(0) >= 0 && value(0) < kMaxPads) state_.pads[static_cast<size_t>(value(0))] = padState(line);
      break;
    case ScriptedKind::DeviceFocus:
      focus_ = value(0) != 0;
      break;
    case ScriptedKind::Pointer:
      pointerX_ = value(0);
      pointerY_ = value(1);
      break;
    default:
      break;
  }
}

DeviceState ReplayPlatform::pollDevices() {
  DeviceState state = state_;
  state_.mouseX = state_.mouseY = state_.mouseZ = 0;
  return state;
}

void ReplayPlatform::pointerPosition(int& x, int& y) const {
  x = pointerX_;
  y = pointerY_;
}

}  // namespace mv
