// The fighter's body: commands and their refusals, crouching, jumping, one-way platforms, weapons.

#include "ManTestSupport.h"
#include "game/world/PhyzObj.h"

namespace mv {
namespace {

// A floor of solid cells on row 10 (pixels 160 ..); a fighter at (100, 114) stands on it with its box
// (5, 0, 27, 46) over columns 6 and 7.
class ManMove : public ManWorld {
 protected:
  ManMove() { cells(10, 0, 30, CellSolid); }
  TMan* standing() { return fighterAt(100, 114); }
};

TEST_F(ManMove, WalkingTurningAndTheirRefusals) {
  TMan* m = standing();
  m->aimAngle = 30;
  m->zoom = 12;
  m->command(CmdMoveRight);
  EXPECT_EQ(m->aimAngle, -30);  // the aim keeps its height on the other side
  EXPECT_EQ(m->zoom, 0);
  // Walking runs the strip forward to the right, one cycle in 800 ms; standing shows its first frame.
  m->updateImage();
  EXPECT_EQ(m->frameCount, 4);
  EXPECT_DOUBLE_EQ(m->frameSpeed, 0.005);
  pass(10);
  EXPECT_DOUBLE_EQ(m->x, 102);  // 0.2 px/ms
  m->updateImage();
  EXPECT_EQ(m->frameCount, 0);
  EXPECT_EQ(m->framePos, 0);
  // The left strip is mirrored: it runs backwards and stands on its last frame.
  m->command(CmdMoveLeft);
  m->updateImage();
  EXPECT_DOUBLE_EQ(m->frameSpeed, -0.005);
  m->extraDX = 0;
  m->updateImage();
  EXPECT_EQ(m->framePos, 3);

  // A wall beside the box: the fighter turns to it but does not push.
  g().grid.set(8, 8, CellSolid);
  m->x = 100;
  m->command(CmdMoveRight);
  EXPECT_EQ(m->facing, 1);
  EXPECT_EQ(m->extraDX, 0);

  // Dead: moving, jumping, switching and crouching do nothing, not even the zoom reset.
  m->velY = 0;
  m->health = 0;
  m->zoom = 5;
  for (int c : {CmdMoveLeft, CmdMoveRight, CmdJump, CmdNextWeapon, CmdPrevWeapon, CmdCrouch}) m->command(c);
  EXPECT_EQ(m->extraDX, 0);
  EXPECT_EQ(m->velY, 0);
  EXPECT_EQ(m->cooldown, 0);
  EXPECT_EQ(m->zoom, 5);
  EXPECT_FALSE(m->crouched);
}

TEST_F(ManMove, CrouchKeepsTheFeetAndStandsUpUnlessACeilingHoldsItDown) {
  TMan* m = standing();
  m->command(CmdCrouch);
  EXPECT_TRUE(m->crouched);
  EXPECT_EQ(m->y, 127);
  EXPECT_EQ(feet(*m), 160);
  m->updateImage();
  EXPECT_EQ(m->height, 33);
  m->command(CmdCrouch);  // already down: nothing more
  EXPECT_EQ(m->y, 127);

  m->command(CmdMoveRight);
  EXPECT_DOUBLE_EQ(m->extraDX, 0.14);
  m->command(CmdJump);
  EXPECT_EQ(m->velY, 0);  // no jump from a crouch

  // The step stands it up unless its controller crouches again; neither touches the look-ahead.
  m->zoom = 5;
  pass(10);
  EXPECT_EQ(m->zoom, 5);
  EXPECT_FALSE(m->crouched);
  EXPECT_EQ(m->y, 114);
  EXPECT_EQ(feet(*m), 160);

  // A ceiling two cells above the floor: standing up finds it over the head and crouches again.
  cells(7, 0, 30, CellSolid);
  m->command(CmdCrouch);
  pass(10);
  EXPECT_TRUE(m->crouched);
  EXPECT_EQ(m->y, 127);
  // It can still crawl along under it.
  m->command(CmdMoveRight);
  pass(10);
  EXPECT_NEAR(m->x, 100 + 2 * 1.4, 1e-9);
  EXPECT_EQ(m->y, 127);
  // Dead under the ceiling it is stood up regardless, without crouching again.
  m->health = 0;
  m->command(CmdStandUp);
  EXPECT_FALSE(m->crouched);
}

TEST_F(ManMove, JumpsOnlyFromGroundOrPlatform) {
  TMan* m = standing();
  m->zoom = 3;
  m->command(CmdJump);
  EXPECT_DOUBLE_EQ(m->velY, 0.33);
  EXPECT_EQ(m->zoom, 0);
  pass(10);
  EXPECT_LT(m->y, 114);
  // In the air: refused.
  const double rising = m->velY;
  m->command(CmdJump);
  EXPECT_EQ(m->velY, rising);
  // It comes back down onto the floor.
  pass(10, 100);
  EXPECT_EQ(feet(*m), 160);
  EXPECT_DOUBLE_EQ(m->x, 100);

  // One pixel above the floor still counts as standing, two do not.
  m->y = 113;
  m->command(CmdJump);
  EXPECT_DOUBLE_EQ(m->velY, 0.33);
  m->velY = 0;
  m->y = 112;
  m->command(CmdJump);
  EXPECT_EQ(m->velY, 0);
}

TEST_F(ManMove, PlatformsCarryFightersFromAboveOnly) {
  cells(7, 0, 30, CellPlatform);  // pixels 112 .. 127

  // Dropped from above, the fighter lands with its feet on the platform's top row and may jump.
  TMan* m = fighterAt(100, 20);
  pass(10, 60);
  EXPECT_EQ(feet(*m), 112);
  EXPECT_FALSE(m->canMove(TPhyzObj::Down));
  const double resting = m->y;
  pass(10, 10);
  EXPECT_EQ(m->y, resting);
  m->command(CmdJump);
  EXPECT_DOUBLE_EQ(m->velY, 0.33);
  pass(10, 100);
  EXPECT_EQ(feet(*m), 112);

  // From the floor below, a jump carries it up through the platform, and it lands on top.
  m->y = 114;
  m->command(CmdJump);
  EXPECT_DOUBLE_EQ(m->velY, 0.33);
  int64_t highest = feet(*m);
  bool jumpedInside = false;
  for (int i = 0; i < 100; ++i) {
    pass(10);
    highest = std::min(highest, feet(*m));
    // Inside the platform on the way up there is nothing to jump from.
    if (m->velY > 0 && feet(*m) > 115 && feet(*m) < 127) {
      m->command(CmdJump);
      jumpedInside = m->velY == 0.33;
    }
  }
  EXPECT_LT(highest, 112);
  EXPECT_FALSE(jumpedInside);
  EXPECT_EQ(feet(*m), 112);

  // Walking sideways through platform cells is free.
  cells(7, 0, 30, CellEmpty);
  g().grid.set(8, 9, CellPlatform);
  g().grid.set(8, 8, CellPlatform);
  m->x = 100;
  m->y = 114;
  EXPECT_TRUE(m->canWalk(TPhyzObj::Right));
  for (int i = 0; i < 10; ++i) {
    m->command(CmdMoveRight);
    pass(10);
  }
  EXPECT_DOUBLE_EQ(m->x, 120);

  // Bodies other than fighters fall straight through platforms.
  cells(5, 0, 30, CellPlatform);
  auto* stone = new TPhyzObj(&root);
  stone->hitBox = {0, 0, 10, 10};
  stone->x = 300;
  stone->y = 40;
  pass(10, 100);
  EXPECT_EQ(TPhyzObj::nearPixel(stone->y) + 10, 160);
}

TEST_F(ManMove, WeaponSwitchWrapsSkipsAndWaits) {
  TMan* m = standing();
  // Only weapon 0: it stays.
  m->command(CmdNextWeapon);
  EXPECT_EQ(m->currentWeapon, 0);
  EXPECT_EQ(m->cooldown, 200);
  m->command(CmdPrevWeapon);  // still waiting
  EXPECT_EQ(m->cooldown, 200);
  pass(100, 2);
  EXPECT_EQ(m->cooldown, 0);

  m->hasWeapon[3] = 1, m->ammo[3] = 5;
  m->hasWeapon[5] = 1, m->ammo[5] = 0;  // owned but empty: skipped
  m->ammo[6] = 9;                       // ammunition without the gun: skipped
  m->hasWeapon[7] = 1, m->ammo[7] = 50;
  auto next = [&](int c) {
    m->cooldown = 0;
    m->command(c);
    return int{m->currentWeapon};
  };
  EXPECT_EQ(next(CmdNextWeapon), 3);
  EXPECT_EQ(next(CmdNextWeapon), 7);
  EXPECT_EQ(next(CmdNextWeapon), 0);  // 7 wraps to 0
  EXPECT_EQ(next(CmdPrevWeapon), 7);  // 0 wraps to 7
  EXPECT_EQ(next(CmdPrevWeapon), 3);
  // Nothing usable anywhere, not even the weapon in hand: weapon 0 is taken all the same.
  m->ammo[7] = 0;
  m->ammo[3] = 0;
  m->hasWeapon[0] = 0;
  EXPECT_EQ(next(CmdNextWeapon), 0);
}

}  // namespace
}  // namespace mv
