#pragma once
// The platform the game sees while a recording plays: the real display, sound and clock, but the
// devices report what the recording says they reported. Window events pass through untouched; the loop
// keeps only Esc and the window's close from them.

#include "shell/record/InputScript.h"
#include "shell/record/PlatformRelay.h"

namespace mv {

class ReplayPlatform : public PlatformRelay {
 public:
  explicit ReplayPlatform(Platform& inner) : PlatformRelay(inner) {}

  // Takes one recorded line about the devices (held keys, buttons, movement, joystick, focus, pointer);
  // other lines are not the devices' and change nothing.
  void apply(const TimedEvent& line);

  // The recorded state. Movement is reported once, by the next poll.
  DeviceState pollDevices() override;
  bool hasFocus() const override { return focus_; }
  void pointerPosition(int& x, int& y) const override;

 private:
  DeviceState state_;
  bool focus_ = true;
  int pointerX_ = 0, pointerY_ = 0;
};

}  // namespace mv
