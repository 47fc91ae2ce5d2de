// A person's hands on a real match: the shipped autoexec.cfg bindings read through the polled devices
// as the program feeds them (scripted mouse movement included), zoom, the wheel, the pause menu, and
// bound lines that fail or quit in the middle of a frame.
#include <cmath>

#include "RealMatch.h"
#include "game/console/Additions.h"
#include "shell/record/InputScript.h"

namespace mv {
namespace {

struct Hands : RealMatch {
  void SetUp() override {
    RealMatch::SetUp();
    form.startMatch({.level = "steelcage"});
    settle();
  }
  // Scripted relative mouse movement, delivered the way the program's loop delivers it headless.
  void script(const std::string& text) {
    for (const TimedEvent& e : parseInputScript(text)) {
      ASSERT_EQ(e.kind, ScriptedKind::MouseRelative);
      platform.moveMouse(static_cast<int>(e.values.at(0)), static_cast<int>(e.values.at(1)));
    }
  }
  // One frame holding a move key, to face that way, and one more for the step it asked for.
  void face(int key) {
    hold({key});
    frames();
    hold({});
    frames();
  }
  TPlayer& p1() { return *g.player1; }
};

TEST_F(Hands, TheMouseAimsLowerWhenMovedDownOnEitherSide) {
  face('D');
  ASSERT_EQ(p1().facing, 1);
  const int32_t level = p1().aimAngle;
  script("1 mouserel 0 10\n");  // sensivity 16: 10 * 16 / 40 = 4 degrees
  frames();
  EXPECT_EQ(p1().aimAngle, level + 4);
  script("1 mouserel 0 -3\n");  // 1.2 degrees: the fraction is dropped
  frames();
  EXPECT_EQ(p1().aimAngle, level + 2);
  frames();
  EXPECT_EQ(p1().aimAngle, level + 2);  // movement counts once
  script("1 mouserel 0 -1000\n");
  frames();
  EXPECT_EQ(p1().aimAngle, -90);

  face('A');  // turning mirrors the aim, so it still points up
  ASSERT_EQ(p1().facing, 0);
  EXPECT_EQ(p1().aimAngle, 90);
  const double upBefore = std::sin((p1().aimAngle - 180) * M_PI / 180);
  script("1 mouserel 0 10\n");
  frames();
  EXPECT_EQ(p1().aimAngle, 86);
  EXPECT_GT(std::sin((p1().aimAngle - 180) * M_PI / 180), upBefore);  // lower on the screen
}

TEST_F(Hands, TheRightButtonZoomsAndAStepOrAWeaponChangeEndsIt) {
  const double cameraX = p1().cameraX;
  hold({}, {1});
  frames(5);
  EXPECT_EQ(p1().zoom, 10);  // 16 ms a frame, one per 8 ms
  frames(20);
  EXPECT_EQ(p1().zoom, 30);  // the energy gun looks no further
  EXPECT_NEAR(std::abs(p1().cameraX - cameraX), 150, 0.5);

  p1().setHasWeapon(1, 1);
  p1().setAmmo(1, 10);
  form.FormMouseWheelUp();
  EXPECT_EQ(p1().currentWeapon, 1);
  EXPECT_EQ(p1().zoom, 0);
  frames(60);
  EXPECT_EQ(p1().zoom, 100);  // the rifle's sight reaches further
  hold({'D'});
  frames();
  EXPECT_EQ(p1().zoom, 0);
}

TEST_F(Hands, TheWheelTurnsThroughTheWeaponsHeldEvenBehindThePauseMenu) {
  setClassic(g.settings, true);  // the classic pause, behind which the switch's 200 ms run on
  for (int32_t w : {3, 5}) {
    p1().setHasWeapon(w, 1);
    p1().setAmmo(w, 5);
  }
  form.FormMouseWheelUp();
  EXPECT_EQ(p1().currentWeapon, 3);
  form.FormMouseWheelUp();
  EXPECT_EQ(p1().currentWeapon, 3);  // a switch needs its 200 ms
  frames(13);
  form.FormMouseWheelDown();
  EXPECT_EQ(p1().currentWeapon, 0);
  form.FormKeyDown(27, 0);
  ASSERT_EQ(g.screenState, PauseMenu);
  frames(13);
  form.FormMouseWheelDown();
  EXPECT_EQ(p1().currentWeapon, 5);
}

TEST_F(Hands, ThePauseMenuTakesTheHandsOffTheFighter) {
  face('D');
  const double x = p1().x;
  const int32_t aim = p1().aimAngle, spritesBefore = form.SpriteEngine.engine.count();
  form.FormKeyDown(27, 0);
  hold({'D', 'W', 'S'}, {0, 1});
  script("1 mouserel 0 40\n");
  frames(10);
  EXPECT_EQ(p1().x, x);
  EXPECT_EQ(p1().aimAngle, aim);
  EXPECT_FALSE(p1().crouched);
  EXPECT_EQ(p1().zoom, 0);
  EXPECT_EQ(form.SpriteEngine.engine.count(), spritesBefore);  // no shot left the gun

  form.FormKeyDown(27, 0);  // back in the match, still holding the keys
  hold({'D'});
  frames(5);
  // 0.2 px/ms; the step a frame asks for is taken by the next one's physics.
  if (p1().canWalk(TPhyzObj::Right)) {
    EXPECT_NEAR(p1().x - x, 4 * 16 * 0.2, 1e-9);
  }
  EXPECT_GT(p1().x, x);
}

TEST_F(Hands, ABoundLineThatFailsOrQuitsStillLetsTheFrameFinish) {
  form.FormKeyDown(27, 0);  // a start over a paused match replaces it, here with a second player
  form.startMatch({.level = "steelcage", .hotseat = true});
  settle();
  form.Console->submit("bind K \"exec missing.cfg\"");
  form.Console->submit("bind L \"quit\"");
  form.Console->submit("p2bind M \"LOOKUP\"");  // the second player comes after the first in the tree
  ASSERT_EQ(g.player2->lookType, 2);
  const int32_t aim2 = g.player2->aimAngle;
  const uint64_t presented = platform.presentCount();
  hold({'K', 'L', 'M'});
  frames();
  EXPECT_EQ(platform.presentCount(), presented + 1);
  EXPECT_EQ(g.player2->aimAngle, aim2 + (g.player2->facing == 1 ? -3 : 3));  // sensivity 15 / 5
  // Bound lines are kept in capitals.
  EXPECT_EQ(errors, (std::vector<std::string>{"Cannot open file SYSTEM\\MISSING.CFG"}));
  EXPECT_TRUE(form.quitRequested());  // the loop ends between frames
}

}  // namespace
}  // namespace mv
