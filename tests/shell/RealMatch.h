#pragma once
// A main window with the shipped data, started headless, for tests that play real matches: the real
// match start, the shipped autoexec.cfg, the frames as the loop runs them.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "game/combatants/Player.h"
#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {

struct RealMatch : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  Globals& g = form.state();
  std::vector<std::string> errors;  // what the loop would have shown in message boxes

  void SetUp() override {
    form.fixedSeed = 1;
    form.FormCreate();
    form.show();
    form.OnError = [this](const std::string& m) { errors.push_back(m); };
  }
  void frames(int n = 1) {
    for (int i = 0; i < n; ++i) form.DXTimerTimer(16);
  }
  // Exactly these keys and mouse buttons held from the next poll on.
  void hold(std::initializer_list<int> keys, std::initializer_list<int> buttons = {}) {
    DeviceState s;
    for (int k : keys) s.keys[static_cast<size_t>(k)] = 0x80;
    for (int b : buttons) s.mouseButtons[static_cast<size_t>(b)] = 0x80;
    platform.setDeviceState(s);
  }
  // Frames until player 1 has entered and stands on something (its height no longer changes).
  void settle() {
    double lastY = -1;
    for (int i = 0; i < 400; ++i) {
      frames();
      const TPlayer* p = g.player1;
      if (p && p->alive() && !p->canMove(TPhyzObj::Down) && p->y == lastY) return;
      lastY = p ? p->y : -1;
    }
    FAIL() << "player 1 never came to rest";
  }
  static std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }
};

}  // namespace mv
