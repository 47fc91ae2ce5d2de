// The main window's part in a person's play: the devices polled at the start of each frame, the views
// looking from the human fighters' cameras, and the wheel.
#include <gtest/gtest.h>

#include "CameraPlayer.h"

#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Player.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

struct PlayerFrame : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  void SetUp() override {
    form.FormCreate();  // the frames draw the menu backdrop and the pointer from the archives
    form.show();
  }

  TPlayer& fighter(double cameraX, double cameraY) {
    return cameraPlayer(form.SpriteEngine.engine, cameraX, cameraY);
  }
};

TEST_F(PlayerFrame, EachFramePollsTheDevicesForTheGame) {
  ASSERT_EQ(form.state().input, &form.Input);
  DeviceState held;
  held.keys['D'] = 0x80;
  held.mouseButtons[0] = 0x80;
  platform.setDeviceState(held);
  platform.moveMouse(0, 6);
  form.DXTimerTimer(16);
  EXPECT_TRUE(form.Input.Keyboard.keyHeld('D'));
  EXPECT_TRUE(form.Input.Mouse.buttonHeld(0));
  EXPECT_EQ(form.Input.Mouse.y, 6);
  // The movement was the previous frame's; the key is still down.
  form.DXTimerTimer(16);
  EXPECT_EQ(form.Input.Mouse.y, 0);
  EXPECT_TRUE(form.Input.Keyboard.keyHeld('D'));
  // Another window has the focus: nothing is held.
  platform.setFocus(false);
  platform.moveMouse(0, 6);
  form.DXTimerTimer(16);
  EXPECT_FALSE(form.Input.Keyboard.keyHeld('D'));
  EXPECT_FALSE(form.Input.Mouse.buttonHeld(0));
  EXPECT_EQ(form.Input.Mouse.y, 0);
}

TEST_F(PlayerFrame, TheMatchFrameLooksFromPlayerOneOrSplitsForTwo) {
  Globals& g = form.state();
  g.screenState = Match;
  TPlayer& one = fighter(-120, -340);
  g.player1 = &one;
  form.DXTimerTimer(16);
  EXPECT_EQ(form.SpriteEngine.engine.x, -120);
  EXPECT_EQ(form.SpriteEngine.engine.y, -340);

  // Hotseat: the lower half is drawn last, from the second player's camera moved a quarter down.
  TPlayer& two = fighter(-500, -60);
  g.player2 = &two;
  g.screenState = PauseMenu;  // the views go on behind the pause menu
  form.DXTimerTimer(16);
  EXPECT_EQ(form.SpriteEngine.engine.x, -500);
  EXPECT_EQ(form.SpriteEngine.engine.y, -60 + 600 / 4);
}

TEST_F(PlayerFrame, AMatchWithoutPlayersDrawsNoView) {
  Globals& g = form.state();
  g.screenState = Match;
  form.SpriteEngine.engine.x = 33;
  form.DXTimerTimer(16);
  EXPECT_EQ(form.SpriteEngine.engine.x, 33);
}

TEST_F(PlayerFrame, TheWheelWithoutPlayerOneDoesNothing) {
  // After a match is left the players are gone; the wheel must not reach for them in any screen.
  for (ScreenState screen : {MainMenu, NewGame, Credits, Match, PauseMenu}) {
    form.state().screenState = screen;
    form.FormMouseWheelUp();
    form.FormMouseWheelDown();
    EXPECT_EQ(form.state().screenState, screen);
  }
  // A second player alone is never the wheel's.
  TPlayer& two = fighter(0, 0);
  two.health = 100;
  two.hasWeapon = {1, 1, 1, 1, 1, 1, 1, 1};
  form.state().player2 = &two;
  form.FormMouseWheelUp();
  form.FormMouseWheelDown();
  EXPECT_EQ(two.currentWeapon, 0);
}

}  // namespace
}  // namespace mv
