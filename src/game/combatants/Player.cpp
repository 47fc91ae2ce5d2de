#include "game/combatants/Player.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/input/DXInput.h"
#include "game/Globals.h"
#include "game/combatants/PadControl.h"
#include "game/console/BindInput.h"
#include "game/console/Console.h"

namespace mv {

namespace {

// Behind the pause menu, or a message, the match runs on, but the people's hands are on the menu.
bool handsOnTheGame() {
  return globals().screenState == Match && !globals().dialogOpen;
}

}  // namespace

TPlayer::TPlayer(TSprite* parent) : TMan(parent) {}

bool TPlayer::bindDown(const BindRecord& bind) const {
  const TConsol* console = globals().console;
  if (bind.device == BindKeyboard && console && console->takesKeyboard()) return false;
  return bindHeld(bind, globals().input);
}

bool TPlayer::actionDown(int32_t slot) const {
  if (slot < 0 || slot >= kActionSlots) return false;
  return bindDown(binds[static_cast<size_t>(slot)]);
}

bool TPlayer::commandBindDown(int32_t i) const {
  if (i < 0 || i >= std::min<int32_t>(commandBindCount, kCommandBindSlots)) return false;
  return bindDown(binds[static_cast<size_t>(kActionSlots + i)]);
}

double TPlayer::zoomStep(double zoom, int moveCount, int32_t weapon) {
  return std::clamp(zoom + moveCount / 8.0, 0.0, weapon == 1 ? 100.0 : 30.0);
}

PadControls TPlayer::padControls() const {
  const Globals& g = globals();
  PadControls controls;
  if (!g.settings.gamePad || !g.input) return controls;
  const size_t own = this == g.player2 ? 1 : 0;
  for (size_t i = 0; i < g.input->Pads.size(); ++i)
    if (!g.player2 || i == own) controls.merge(readPadControls(g.input->Pads[i]));
  return controls;
}

PersonInput TPlayer::readInput() const {
  const Globals& g = globals();
  const TDXInput* input = g.input;
  const PadControls pad = padControls();
  PersonInput in;
  in.playing = handsOnTheGame();
  AimControls aim;
  aim.lookType = lookType;
  aim.sensivity = sensivity;
  aim.lookUp = actionDown(ActLookUp);
  aim.lookDown = actionDown(ActLookDown);
  in.aim = aimChanges(aim, input);
  in.padAim = pad.aim * sensivity;
  auto hold = [&in](bool down, uint16_t control) {
    if (down) in.held |= control;
  };
  auto held = [this](ActionSlot slot, bool onPad) { return onPad || actionDown(slot); };
  // The stick that aims also walks, besides the move keys.
  if (lookType == LookJoystick && input) {
    hold(input->Joystick.x > 100, HeldStickRight);
    hold(input->Joystick.x < -100, HeldStickLeft);
  }
  hold(held(ActCrouch, pad.crouch), HeldCrouch);
  hold(held(ActFire, pad.fire), HeldFire);
  hold(held(ActNextWeapon, pad.nextWeapon), HeldNextWeapon);
  hold(pad.prevWeapon, HeldPrevWeapon);
  hold(held(ActJump, pad.jump), HeldJump);
  hold(held(ActMoveRight, pad.right), HeldMoveRight);
  hold(held(ActMoveLeft, pad.left), HeldMoveLeft);
  hold(held(ActZoom, pad.zoom), HeldZoom);
  return in;
}

ControlPlan TPlayer::planFrom(const PersonInput& input) const {
  ControlPlan plan;
  std::vector<ControlAction>& out = plan.actions;
  auto command = [&out](int32_t c) { out.push_back({ControlKind::Command, c}); };
  auto held = [&input](uint16_t control) { return (input.held & control) != 0; };

  plan.aimAngle = applyAimChanges(aimAngle, input.aim, facing == 1);
  plan.padAim = input.padAim;
  if (held(HeldStickRight)) command(CmdMoveRight);
  if (held(HeldStickLeft)) command(CmdMoveLeft);
  if (held(HeldCrouch)) command(CmdCrouch);
  out.push_back({held(HeldFire) ? ControlKind::Fire : ControlKind::StopSpin, 0});
  if (held(HeldNextWeapon)) command(CmdNextWeapon);
  if (held(HeldPrevWeapon)) command(CmdPrevWeapon);
  if (held(HeldJump)) command(CmdJump);
  if (held(HeldMoveRight))
    command(CmdMoveRight);
  else if (held(HeldMoveLeft))
    command(CmdMoveLeft);
  if (held(HeldZoom)) out.push_back({ControlKind::Zoom, 0});
  return plan;
}

ControlPlan TPlayer::planControls() const {
  ControlPlan plan = planFrom(readInput());
  for (int32_t i = 0; i < std::clamp<int32_t>(commandBindCount, 0, kCommandBindSlots); ++i)
    if (commandBindDown(i)) plan.actions.push_back({ControlKind::RunBind, i});
  return plan;
}

void TPlayer::moveSelf(int moveCount) {
  TMan::moveSelf(moveCount);
  if (control(moveCount)) updateImage();
}

bool TPlayer::control(int moveCount) {
  // A network match's input says itself whether the person's hands are on a menu.
  const bool playing = networkInput ? networkInput->playing : handsOnTheGame();
  if (!playing || !alive()) return false;
  carryOut(networkInput ? planFrom(*networkInput) : planControls(), moveCount);
  return true;
}

void TPlayer::carryOut(const ControlPlan& plan, int moveCount) {
  aimAngle = plan.aimAngle;
  if (plan.padAim != 0) {
    // The plan's pull carries the sensitivity already (it may be another machine's person's).
    const double change = padAimRest + padAimChange(plan.padAim, 1, facing == 1, moveCount);
    const double whole = std::trunc(change);
    aimAngle = std::clamp(aimAngle + static_cast<int32_t>(whole), -90, 90);
    padAimRest = aimAngle == 90 || aimAngle == -90 ? 0 : change - whole;
  }
  for (const ControlAction& action : plan.actions) {
    switch (action.kind) {
      case ControlKind::Command:
        command(action.arg);
        break;
      case ControlKind::Fire:
        fire();
        break;
      case ControlKind::StopSpin:
        spinUp = 0;
        break;
      case ControlKind::Zoom:
        // After the moves and the weapon change, which both take the zoom back to nothing.
        zoom = zoomStep(zoom, moveCount, currentWeapon);
        break;
      case ControlKind::RunBind:
        runBind(action.arg);
        break;
    }
  }
}

void TPlayer::runBind(int32_t i) {
  TConsol* console = globals().console;
  if (!console) return;
  // A copy: the line may bind more keys while it runs.
  const std::string line = binds[static_cast<size_t>(kActionSlots + i)].command;
  try {
    console->runLine(line, this);
  } catch (const std::exception& e) {
    // A held key's mistake is a console line, not a frame cut short.
    console->add(e.what());
  }
}

}  // namespace mv
