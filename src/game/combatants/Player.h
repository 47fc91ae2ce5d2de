#pragma once
// A fighter driven by a person: every step it reads its bind table against the polled devices and
// turns held actions into fighter commands, firing, zoom and bound console lines.

#include <cstdint>

#include "game/combatants/Man.h"
#include "game/console/BindRecord.h"

namespace mv {

class TPlayer : public TMan {
 public:
  explicit TPlayer(TSprite* parent);

  bool isHuman() const override { return true; }
  void moveSelf(int moveCount) override;

  // Whether the bind of action slot 0 .. 8, or of command bind i (slot 9 + i), is held.
  bool actionDown(int32_t slot) const;
  bool commandBindDown(int32_t i) const;

  BindTable binds{};
  int8_t commandBindCount = 0;
  int32_t sensivity = 0;  // 1 .. 999
  uint8_t lookType = 0;   // 0 mouse, 1 joystick, 2 keyboard
};

}  // namespace mv
