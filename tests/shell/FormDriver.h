// A main window driven in-process as a person would: the pointer, keys, a pad, each followed by a frame.
#pragma once

#include <initializer_list>

#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {

struct FormDriver {
  TMainForm* driven = nullptr;
  HeadlessPlatform* devices = nullptr;

  void frame(int n = 1) {
    for (int i = 0; i < n; ++i) driven->DXTimerTimer(16);
  }
  void click(int x, int y, unsigned button = ssLeft) {
    driven->DXDrawMouseMove(x, y);
    driven->DXDrawMouseDown(x, y, button);
    driven->DXDrawMouseUp(x, y);
    frame();
  }
  void press(const TDXImageButton& b) { click(b.x + 50, b.y + 12); }
  void key(int code, unsigned shift = 0) {
    driven->FormKeyDown(code, shift);
    frame();
  }
  void keys(std::initializer_list<int> codes) {
    for (int code : codes) key(code);
  }
  // Pad number `pad` with these buttons down and its left stick pulled stickY, for n frames, then let go.
  void holdPad(size_t pad, uint32_t buttons, int16_t stickY = 0, int n = 1) {
    DeviceState s;
    s.pads[pad] = {true, {0, stickY, 0, 0, 0, 0}, buttons};
    devices->setDeviceState(s);
    frame(n);
    devices->setDeviceState({});
    frame();
  }
};

}  // namespace mv
