#pragma once
// A fighter driven by a person: every step it reads its bind table against the polled devices and
// turns held actions into fighter commands, firing, zoom and bound console lines.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/combatants/Man.h"
#include "game/combatants/PersonInput.h"
#include "game/console/BindRecord.h"

namespace mv {

// One thing the person asked for this frame, in the order it is carried out.
enum class ControlKind : uint8_t {
  Command,   // fighter command arg
  Fire,      // fire the current weapon
  StopSpin,  // FIRE released: the wind-up starts again from nothing
  Zoom,      // look further ahead along the aim
  RunBind,   // run command bind arg through the console
};

struct ControlAction {
  ControlKind kind = ControlKind::Command;
  int32_t arg = 0;
  bool operator==(const ControlAction&) const = default;
};

// A frame's controls read from the devices before any of them is carried out: the aim first, then the
// actions in order. Reading first means a bound line that binds more keys cannot change this frame.
struct ControlPlan {
  int32_t aimAngle = 0;
  // A game pad's right stick, -1 .. 1, times the person's sensitivity; scaled by the frame's time when
  // carried out.
  double padAim = 0;
  std::vector<ControlAction> actions;
};

struct PadControls;

class TPlayer : public TMan {
 public:
  explicit TPlayer(TSprite* parent);

  bool isHuman() const override { return true; }
  void moveSelf(int moveCount) override;
  // The person's part of a step, after the fighter's own: false, doing nothing, unless the match is
  // being played (no menu over it) and the fighter is alive.
  bool control(int moveCount);

  // Whether the bind of action slot 0 .. 8, or of command bind i (slot 9 + i), is held.
  bool actionDown(int32_t slot) const;
  bool commandBindDown(int32_t i) const;
  // What the held bindings and the aiming device ask for in this frame.
  ControlPlan planControls() const;
  // The same read from the devices in a form that does not depend on the world (bound lines aside).
  PersonInput readInput() const;
  // What an input asks of this fighter as it stands now (facing, aim).
  ControlPlan planFrom(const PersonInput& input) const;
  // Zoom after holding ZOOM for moveCount ms: up to 100 with the rifle, 30 with anything else.
  static double zoomStep(double zoom, int moveCount, int32_t weapon);

  BindTable binds{};
  int8_t commandBindCount = 0;
  int32_t sensivity = 0;    // 1 .. 999
  uint8_t lookType = 0;     // 0 mouse, 1 joystick, 2 keyboard
  std::string modelChoice;  // "model": the colours this person wears; empty takes the player's own
  // A pad aims in fractions of a degree; what the whole-degree aim could not take yet waits here.
  double padAimRest = 0;
  // In a network match every person's fighter, this machine's one included, carries out what the
  // network brought for the step instead of reading the devices here.
  std::optional<PersonInput> networkInput;

 private:
  // A binding held in this frame's poll; keys typed into the console count for the console alone.
  bool bindDown(const BindRecord& bind) const;
  // The pads this person holds: in Hotseat the first pad is player 1's and the second player 2's; alone,
  // any pad plays.
  PadControls padControls() const;
  void carryOut(const ControlPlan& plan, int moveCount);
  void runBind(int32_t i);
};

}  // namespace mv
