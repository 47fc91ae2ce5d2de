#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/input/DXInput.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "game/console/BindInput.h"
#include "game/console/Console.h"

namespace mv {
namespace {

using K = ControlKind;

ControlAction cmd(int32_t c) {
  return {K::Command, c};
}
ControlAction act(K kind, int32_t arg = 0) {
  return {kind, arg};
}

class PlayerControl : public ::testing::Test {
 protected:
  void SetUp() override {
    scope.get().input = &input;
    scope.get().screenState = Match;
  }

  // A living player facing right, unbound, aiming level.
  TPlayer& player() {
    auto* p = new TPlayer(&root);
    p->health = 100;
    p->facing = 1;
    return *p;
  }
  static void bindKey(TPlayer& p, int32_t slot, int32_t key) {
    p.binds[static_cast<size_t>(slot)] = BindRecord{BindKeyboard, "", key};
  }
  static void bindLine(TPlayer& p, int32_t key, const std::string& line) {
    p.binds[static_cast<size_t>(kActionSlots + p.commandBindCount)] = BindRecord{BindKeyboard, line, key};
    ++p.commandBindCount;
  }
  // Polls with exactly these keys held (and the given mouse movement).
  void hold(std::initializer_list<int> keys, int mouseY = 0) {
    DeviceState s;
    for (int k : keys) s.keys[static_cast<size_t>(k)] = 0x80;
    s.mouseY = mouseY;
    input.update(s, true);
  }

  GlobalsScope scope;
  TDXInput input;
  TSpriteEngine root;
};

// The nine actions on the letters A .. I, in slot order.
void bindAll(TPlayer& p) {
  for (int32_t slot = 0; slot < kActionSlots; ++slot)
    p.binds[static_cast<size_t>(slot)] = BindRecord{BindKeyboard, "", 'A' + slot};
}

TEST_F(PlayerControl, ActionsComeInTheirFixedOrder) {
  TPlayer& p = player();
  bindAll(p);
  bindLine(p, 'J', "SAY GG");
  hold({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'});
  // The zoom comes after every move and weapon change, which each take it back to nothing.
  const std::vector<ControlAction> expected = {cmd(CmdCrouch),    act(K::Fire),      cmd(CmdNextWeapon),
                                               cmd(CmdJump),      cmd(CmdMoveRight), act(K::Zoom),
                                               act(K::RunBind, 0)};
  EXPECT_EQ(p.planControls().actions, expected);
}

TEST_F(PlayerControl, RightWinsOverLeftAndFireReleasedStopsTheWindUp) {
  TPlayer& p = player();
  bindAll(p);
  hold({'C', 'D'});
  EXPECT_EQ(p.planControls().actions, (std::vector<ControlAction>{act(K::StopSpin), cmd(CmdMoveRight)}));
  hold({'C'});
  EXPECT_EQ(p.planControls().actions, (std::vector<ControlAction>{act(K::StopSpin), cmd(CmdMoveLeft)}));
  hold({});
  EXPECT_EQ(p.planControls().actions, (std::vector<ControlAction>{act(K::StopSpin)}));
}

TEST_F(PlayerControl, AFreshTableBindsNothing) {
  TPlayer& p = player();
  DeviceState s;
  s.keys.fill(0x80);
  s.mouseButtons.fill(0x80);
  input.update(s, true);
  for (int32_t slot = -1; slot <= kActionSlots; ++slot) EXPECT_FALSE(p.actionDown(slot)) << slot;
  EXPECT_FALSE(p.commandBindDown(0));
  EXPECT_EQ(p.planControls().actions, (std::vector<ControlAction>{act(K::StopSpin)}));
}

TEST_F(PlayerControl, HeldCommandBindsRunOnEveryFrameInSlotOrder) {
  TPlayer& p = player();
  bindLine(p, 'Q', "SAY HI");
  bindLine(p, 'E', "SCREENSHOT");
  bindLine(p, 'Q', "NAME BOB");  // the same key twice: both run
  hold({'Q'});
  const std::vector<ControlAction> expected = {act(K::StopSpin), act(K::RunBind, 0), act(K::RunBind, 2)};
  EXPECT_EQ(p.planControls().actions, expected);
  hold({'Q'});
  EXPECT_EQ(p.planControls().actions, expected);
  hold({});
  EXPECT_EQ(p.planControls().actions.size(), 1u);

  // A count past the table reads no further than its last slot; a negative one reads none.
  for (int32_t i = 3; i < kCommandBindSlots; ++i) bindLine(p, 'Q', "X");
  p.commandBindCount = 100;
  hold({'Q'});
  EXPECT_EQ(p.planControls().actions.size(), 1u + kCommandBindSlots - 1);
  p.commandBindCount = -5;
  EXPECT_EQ(p.planControls().actions.size(), 1u);
}

TEST_F(PlayerControl, TheAimingStickAlsoWalks) {
  TPlayer& p = player();
  bindKey(p, ActMoveLeft, 'L');
  p.lookType = LookJoystick;
  // With no dead zone and a range of half the travel, the stick reads its raw offset from the middle.
  input.Joystick.setDeadZoneX(0);
  input.Joystick.setRange(TJoystick::OffsetX, 32767);
  auto push = [&](int dx, bool left) {
    DeviceState s;
    s.joystickPresent = true;
    s.joyAxis = {32767 + dx, 32767, 0};
    s.joyMax = {65535, 65535, 0};
    if (left) s.keys['L'] = 0x80;
    input.update(s, true);
    return p.planControls().actions;
  };
  EXPECT_EQ(push(100, false), (std::vector<ControlAction>{act(K::StopSpin)}));
  EXPECT_EQ(push(101, false), (std::vector<ControlAction>{cmd(CmdMoveRight), act(K::StopSpin)}));
  EXPECT_EQ(push(-101, false), (std::vector<ControlAction>{cmd(CmdMoveLeft), act(K::StopSpin)}));
  // On top of the move keys, and before them.
  EXPECT_EQ(push(101, true),
            (std::vector<ControlAction>{cmd(CmdMoveRight), act(K::StopSpin), cmd(CmdMoveLeft)}));
  // A mouse player's stick does not walk.
  p.lookType = LookMouse;
  EXPECT_EQ(push(20000, false), (std::vector<ControlAction>{act(K::StopSpin)}));
}

TEST_F(PlayerControl, PauseMenusAndDeathIgnoreTheControls) {
  TPlayer& p = player();
  p.sensivity = 10;
  p.spinUp = 40;
  p.zoom = 5;
  bindKey(p, ActZoom, 'Z');
  for (ScreenState screen : {PauseMenu, MainMenu, NewGame, Credits}) {
    scope.get().screenState = screen;
    hold({'Z'}, 40);
    EXPECT_FALSE(p.control(16));
  }
  scope.get().screenState = Match;
  p.health = 0;
  hold({'Z'}, 40);
  EXPECT_FALSE(p.control(16));
  EXPECT_EQ(p.aimAngle, 0);
  EXPECT_EQ(p.spinUp, 40);
  EXPECT_EQ(p.zoom, 5);

  // Back in the match and alive: the aim moves, the zoom grows and FIRE up drops the wind-up.
  p.health = 1;
  hold({'Z'}, 40);
  EXPECT_TRUE(p.control(16));
  EXPECT_EQ(p.aimAngle, 10);
  EXPECT_EQ(p.spinUp, 0);
  EXPECT_EQ(p.zoom, 7);
}

TEST_F(PlayerControl, ZoomReachesFurtherWithTheRifle) {
  TPlayer& p = player();
  bindKey(p, ActZoom, 'Z');
  hold({'Z'});
  p.currentWeapon = 1;
  p.control(8);
  EXPECT_EQ(p.zoom, 1);  // one per 8 ms
  for (int i = 0; i < 100; ++i) p.control(16);
  EXPECT_EQ(p.zoom, 100);
  p.currentWeapon = 7;
  p.control(16);
  EXPECT_EQ(p.zoom, 30);
  p.zoom = 0;
  p.control(3);
  EXPECT_DOUBLE_EQ(p.zoom, 0.375);
}

TEST_F(PlayerControl, HotseatPlayersShareTheDevicesButNotTheirBinds) {
  TPlayer& one = player();
  TPlayer& two = player();
  bindKey(one, ActFire, 'A');
  bindKey(two, ActFire, 'B');
  one.sensivity = two.sensivity = 40;
  hold({'B'}, 2);
  ControlPlan a = one.planControls();
  ControlPlan b = two.planControls();
  EXPECT_EQ(a.actions, (std::vector<ControlAction>{act(K::StopSpin)}));
  EXPECT_EQ(b.actions, (std::vector<ControlAction>{act(K::Fire)}));
  EXPECT_EQ(a.aimAngle, 2);
  EXPECT_EQ(b.aimAngle, 2);
}

// What a person's machine reads through that person's own bindings is carried out the same by any copy
// of the fighter (another machine's, unbound), which looks at no device of its own.
TEST_F(PlayerControl, AnInputReadOnOneMachineIsCarriedOutTheSameByAnother) {
  for (uint8_t lookType : {LookMouse, LookKeyboard}) {
    for (uint8_t facing : {0, 1}) {
      TPlayer& mine = player();
      TPlayer& copy = player();
      mine.facing = copy.facing = facing;
      mine.lookType = lookType;
      mine.sensivity = 13;
      bindAll(mine);
      bindLine(mine, 'J', "SAY GG");
      hold({'A', 'B', 'D', 'E', 'H', 'J'}, 7);
      ControlPlan expected = mine.planControls();
      expected.actions.pop_back();  // the bound line is the person's machine's to run, not the step's
      copy.networkInput = mine.readInput();
      hold({});  // this machine's own devices are not the person's
      const ControlPlan carried = copy.planFrom(*copy.networkInput);
      EXPECT_EQ(carried.actions, expected.actions);
      EXPECT_EQ(carried.aimAngle, expected.aimAngle) << int{lookType} << " " << int{facing};
      EXPECT_NE(carried.aimAngle, 0);
      EXPECT_TRUE(copy.control(16));
    }
  }
  // The person's hands on a menu leave the fighter idle, whatever menu this machine shows.
  TPlayer& away = player();
  away.zoom = 5;
  away.networkInput = PersonInput{false, HeldZoom, {{400, 40}}, 0, {}, {}};
  EXPECT_FALSE(away.control(16));
  scope.get().screenState = PauseMenu;
  away.networkInput->playing = true;
  EXPECT_TRUE(away.control(16));
  EXPECT_EQ(away.aimAngle, 10);
  EXPECT_EQ(away.zoom, 7);
}

// Keys typed into the console are the console's: while it is open or opening the fighter reads no
// keyboard, bound lines included; the mouse still fires.
TEST_F(PlayerControl, TheOpenConsoleKeepsTheKeyboardFromTheFighter) {
  TConsol console;
  scope.get().console = &console;
  TPlayer& p = player();
  bindAll(p);
  p.binds[ActFire] = BindRecord{BindMouse, "", 0};
  bindLine(p, 'J', "SAY GG");
  DeviceState s{.mouseButtons = {0x80}};
  for (int k : {'A', 'C', 'J'}) s.keys[static_cast<size_t>(k)] = 0x80;
  input.update(s, true);
  const std::vector<ControlAction> all = {act(K::Fire), cmd(CmdJump), cmd(CmdMoveLeft), act(K::RunBind, 0)};
  for (ConsoleState state : {Closed, Opening, Open, Closing}) {
    console.state = state;
    const bool typing = state == Opening || state == Open;
    EXPECT_EQ(p.planControls().actions, typing ? std::vector{act(K::Fire)} : all) << int(state);
  }
}

class PadControl : public PlayerControl {
 protected:
  void SetUp() override {
    PlayerControl::SetUp();
    scope.get().settings.gamePad = 1;
  }
  // Polls with pad `which` in this state and the other unplugged.
  void pad(int which, std::initializer_list<std::pair<PadAxis, int>> axes, uint32_t buttons = 0) {
    DeviceState s;
    PadState& p = s.pads[static_cast<size_t>(which)];
    p.present = true;
    for (auto [axis, value] : axes) p.axes[static_cast<size_t>(axis)] = static_cast<int16_t>(value);
    p.buttons = buttons;
    input.update(s, true);
  }
};

TEST_F(PadControl, APadPlaysWithoutBindings) {
  TPlayer& p = player();
  const struct {
    std::initializer_list<std::pair<PadAxis, int>> axes;
    uint32_t buttons;
    std::vector<ControlAction> actions;
  } cases[] = {
      {{}, 0, {act(K::StopSpin)}},
      {{{PadLeftX, 32767}}, 0, {act(K::StopSpin), cmd(CmdMoveRight)}},
      {{{PadLeftY, -32768}}, 0, {act(K::StopSpin), cmd(CmdJump)}},
      {{{PadLeftY, 32767}}, 0, {cmd(CmdCrouch), act(K::StopSpin)}},
      {{{PadRightTrigger, 32767}}, 0, {act(K::Fire)}},
      {{{PadLeftTrigger, 20000}}, 0, {act(K::StopSpin), act(K::Zoom)}},
      {{}, 1u << PadRightShoulder, {act(K::StopSpin), cmd(CmdNextWeapon)}},
      {{}, 1u << PadLeftShoulder, {act(K::StopSpin), cmd(CmdPrevWeapon)}},
  };
  for (const auto& c : cases) {
    pad(1, c.axes, c.buttons);  // alone, any pad plays
    EXPECT_EQ(p.planControls().actions, c.actions) << c.buttons;
  }
  // The stick's pull goes into the plan times the person's sensitivity, as another machine needs it.
  p.sensivity = 16;
  pad(0, {{PadRightY, -32768}});
  EXPECT_DOUBLE_EQ(p.planControls().padAim, -16.0);
  scope.get().settings.gamePad = 0;
  pad(0, {{PadRightTrigger, 32767}, {PadRightY, 32767}});
  EXPECT_EQ(p.planControls().actions, std::vector<ControlAction>{act(K::StopSpin)});
  EXPECT_EQ(p.planControls().padAim, 0.0);
}

TEST_F(PadControl, InHotseatEachPersonHasAPad) {
  TPlayer& one = player();
  TPlayer& two = player();
  scope.get().player1 = &one;
  scope.get().player2 = &two;
  pad(1, {{PadRightTrigger, 32767}});
  EXPECT_EQ(one.planControls().actions, std::vector<ControlAction>{act(K::StopSpin)});
  EXPECT_EQ(two.planControls().actions, std::vector<ControlAction>{act(K::Fire)});
}

// A light pull aims by fractions of a degree a frame: they add up, away from the horizontal too, where
// a truncated step would never move.
TEST_F(PadControl, SmallPullsAddUpAndTheAimStopsAtItsEnds) {
  TPlayer& p = player();
  p.sensivity = 16;
  p.aimAngle = 30;
  pad(0, {{PadRightY, 20315}});  // half way past the dead zone: a quarter of full speed, 0.04 degree a ms
  for (int i = 0; i < 10; ++i) p.control(16);
  EXPECT_EQ(p.aimAngle, 36);  // 6.4 degrees
  p.facing = 0;               // facing left, the same pull still aims lower on the screen
  for (int i = 0; i < 10; ++i) p.control(16);
  EXPECT_EQ(p.aimAngle, 30);
  pad(0, {{PadRightY, -32768}});
  for (int i = 0; i < 100; ++i) p.control(16);
  EXPECT_EQ(p.aimAngle, 90);
  EXPECT_EQ(p.padAimRest, 0.0);
}

// In a network match the pad is part of the person's input: another machine's copy of the fighter, with
// a sensitivity of its own and no pad, carries it out as the person's own machine does, to the same
// fraction of a degree.
TEST_F(PadControl, APadsInputIsCarriedOutTheSameByAnotherMachine) {
  TPlayer& mine = player();
  TPlayer& copy = player();
  mine.sensivity = 16;
  copy.sensivity = 999;
  mine.aimAngle = copy.aimAngle = 30;
  pad(0, {{PadRightY, 20315}, {PadLeftX, 32767}}, 1u << PadLeftShoulder);
  copy.networkInput = mine.readInput();
  EXPECT_EQ(copy.planFrom(*copy.networkInput).actions, mine.planControls().actions);
  for (int i = 0; i < 10; ++i) {
    mine.control(16);
    copy.control(16);
  }
  EXPECT_EQ(copy.aimAngle, 36);
  EXPECT_EQ(copy.padAimRest, mine.padAimRest);
}

}  // namespace
}  // namespace mv
