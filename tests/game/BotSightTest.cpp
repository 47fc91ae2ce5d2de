// The bot in a fight: whom it sees and picks, which gun it takes for the distance, and its aim.

#include <cmath>
#include <limits>

#include "BotWorld.h"

namespace mv {
namespace {

// No floor: these tests never step the bodies, so nothing falls. A bot at (100, 100) has its eyes at
// (121, 124) and aims at a fighter's (x + 20, y + 20).
using BotSight = BotWorld;

TShot* lastShot(TSpriteEngine& root) {
  TShot* found = nullptr;
  for (TSprite* s : root.children())
    if (auto* shot = dynamic_cast<TShot*>(s)) found = shot;
  return found;
}

TEST_F(BotSight, OnlySolidCellsHideATarget) {
  TBot* b = bot(100, 100);
  TMan* t = target(300, 100);
  EXPECT_EQ(b->findTarget(), t);
  for (uint8_t value : {CellPlatform, CellLethal}) {
    cells(6, 12, 14, value);  // across the sight line
    cells(7, 12, 14, value);
    EXPECT_EQ(b->findTarget(), t) << int{value};
  }
  g().grid.set(12, 7, CellSolid);
  EXPECT_EQ(b->findTarget(), nullptr);
}

TEST_F(BotSight, TheNearestInSightWinsHoweverFar) {
  TBot* b = bot(100, 100);
  TMan* far = target(1600, 100);
  TMan* hidden = target(300, 300);
  target(200, 100)->health = 0;     // nearest of all, but dead
  g().grid.set(13, 13, CellSolid);  // between the bot and `hidden` only
  EXPECT_EQ(b->findTarget(), far);
  g().grid.set(13, 13, CellEmpty);
  EXPECT_EQ(b->findTarget(), hidden);
}

TEST_F(BotSight, OnEqualDistancesTheFighterListedFirstWinsOnEitherSide) {
  TBot* upper = bot(100, 100);
  TBot* lower = bot(100, 500);
  TMan* upperLeft = target(-100, 100);
  TMan* upperRight = target(300, 100);
  TMan* lowerRight = target(300, 500);
  TMan* lowerLeft = target(-100, 500);
  EXPECT_EQ(upper->findTarget(), upperLeft);
  EXPECT_EQ(lower->findTarget(), lowerRight);
  (void)upperRight, (void)lowerLeft;
}

TEST_F(BotSight, TheSightStartsAtTheEyesSoAShortLookCannotSkipAWall) {
  TBot* b = bot(100, 100);
  // From the top-left corner the point is no distance away, from the eyes 31 pixels: the cell it lies
  // in is solid and hides it.
  EXPECT_TRUE(b->lineOfSight(100, 100));
  g().grid.set(6, 6, CellSolid);
  EXPECT_FALSE(b->lineOfSight(100, 100));
  // Its own eyes are always in sight.
  EXPECT_TRUE(b->lineOfSight(121, 124));
}

TEST_F(BotSight, FarOffTheGridAndLostToNaN) {
  TBot* b = bot(100, 100);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Off the grid nothing blocks: only the stretch over it is walked, however long the line.
  EXPECT_TRUE(b->lineOfSight(1e7, 120));
  EXPECT_TRUE(b->lineOfSight(1e300, -1e300));
  g().grid.set(50, 7, CellSolid);
  EXPECT_FALSE(b->lineOfSight(1e7, 120));
  EXPECT_FALSE(b->lineOfSight(1e300, 124));
  EXPECT_FALSE(b->lineOfSight(nan, 120));
  EXPECT_FALSE(b->lineOfSight(300, std::numeric_limits<double>::infinity()));

  TMan* lost = target(300, 100);
  TMan* found = target(100, 400);
  lost->x = nan;
  EXPECT_EQ(b->findTarget(), found);
  b->y = nan;
  EXPECT_EQ(b->findTarget(), nullptr);
  EXPECT_FALSE(b->lineOfSight(300, 120));
}

TEST_F(BotSight, WeaponChoiceFollowsTheListOfItsDistance) {
  const std::vector<std::vector<int>> lists = {
      {7, 5, 2, 1, 6, 4, 0}, {7, 4, 1, 3, 2, 6, 0}, {7, 4, 1, 6, 3, 0}};
  for (int rangeClass = 0; rangeClass < 3; ++rangeClass) {
    TBot* b = bot(100, 100);
    for (int w = 0; w < kWeapons; ++w)
      b->hasWeapon[static_cast<size_t>(w)] = 1, b->ammo[static_cast<size_t>(w)] = 1;
    b->ammo[0] = 0;  // the energy gun needs no ammunition, only to be owned
    for (int w : lists[static_cast<size_t>(rangeClass)]) {
      b->chooseWeapon(rangeClass);
      EXPECT_EQ(b->currentWeapon, w) << rangeClass;
      if (w == 0)
        b->hasWeapon[0] = 0;
      else
        b->ammo[static_cast<size_t>(w)] = 0;  // owned but empty is skipped
    }
    // Nothing of the list is usable any more (at long range that includes weapons 2 and 5, which it
    // still holds): the weapon stays as it was.
    b->currentWeapon = 3;
    b->chooseWeapon(rangeClass);
    EXPECT_EQ(b->currentWeapon, 3);
    EXPECT_EQ(b->cooldown, 0);  // taken at once, without the switching delay
  }
}

TEST_F(BotSight, DistanceClassesBreakAt200And500WholePixels) {
  TBot* b = bot(100, 100);
  for (int w : {3, 5, 6}) b->hasWeapon[static_cast<size_t>(w)] = 1, b->ammo[static_cast<size_t>(w)] = 50;
  TMan* t = target(0, 100);
  // Flak close by, rockets in between, disks far away.
  for (auto [dx, weapon] : std::vector<std::pair<double, int>>{
           {150, 5}, {199.9, 5}, {200, 3}, {500, 3}, {500.9, 3}, {501, 6}, {-501, 6}, {1200, 6}}) {
    t->x = 100 + dx;
    b->cooldown = 0;
    b->lookAndShoot();
    EXPECT_EQ(b->currentWeapon, weapon) << dx;
    EXPECT_TRUE(b->engaged);
  }
}

TEST_F(BotSight, AimAnglesPointAtTheTargetFromEitherSide) {
  TBot* b = bot(100, 100);
  struct Case {
    double tx, ty;
    int32_t aim;
    uint8_t facing;
  };
  for (const Case& c : {Case{220, 20, 315, 1},    // 45 degrees up to the right
                        Case{20, 20, 405, 0},     // 45 degrees up to the left
                        Case{220, 220, 405, 1},   // 45 degrees down to the right
                        Case{400, 20, 341, 1},    // atan(100 / 280) = 19.65: the fraction dropped
                        Case{-200, 120, 360, 0},  // level to the left
                        Case{120, 0, 0, 1}}) {    // straight above the gun's pivot: turned, not aimed
    b->facing = c.facing == 1 ? 0 : 1;
    EXPECT_EQ(b->aimAt(c.tx, c.ty), c.aim) << c.tx << "," << c.ty;
    EXPECT_EQ(b->facing, c.facing) << c.tx << "," << c.ty;
  }
  // Straight above its corner: no answer and no turn.
  b->facing = 0;
  EXPECT_EQ(b->aimAt(100, 0), 0);
  EXPECT_EQ(b->facing, 0);
  // Turning takes the old aim to the other side, as any turn does.
  b->aimAngle = 30;
  b->aimAt(500, 500);
  EXPECT_EQ(b->aimAngle, -30);
}

TEST_F(BotSight, ItFiresAlongItsAimEvenWithTheMinigun) {
  TBot* b = bot(100, 100);
  target(200, 0);  // its point (220, 20) is 45 degrees up to the right
  b->lookAndShoot();
  EXPECT_EQ(b->aimAngle, -45);  // 315, as a turn of the gun
  ASSERT_NE(lastShot(root), nullptr);
  EXPECT_EQ(lastShot(root)->direction, 45);
  clearShots();
  // The minigun's wander keeps its aim within +-90: the direction stays the same one.
  b->hasWeapon[7] = 1;
  b->ammo[7] = 100;
  for (int i = 0; i < 20; ++i) {
    b->cooldown = 0;
    b->lookAndShoot();
    ASSERT_NE(lastShot(root), nullptr);
    EXPECT_NEAR(lastShot(root)->direction, 45, 5 + 1);
    EXPECT_NEAR(b->aimAngle, -45, 1);
    clearShots();
  }
}

}  // namespace
}  // namespace mv
