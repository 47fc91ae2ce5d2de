// The fighter's life: respawning and the fade of its corpse, the camera, the laser sight and drawing.

#include <cmath>
#include <numbers>
#include <set>

#include "ManTestSupport.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Player.h"
#include "game/world/Anim.h"
#include "platform/Error.h"

namespace mv {
namespace {

class ManLife : public ManWorld {
 protected:
  ManLife() { cells(10, 0, 30, CellSolid); }
};

TEST_F(ManLife, RespawnResetsTheBodyButKeepsTheRecord) {
  match.addRespawnPoint({100, 114});
  auto* m = new TMan(&root);
  m->setModel("Doom");
  EXPECT_FALSE(m->visible);
  m->frags = 4;
  m->name = "Bob";
  m->announcement = "DoubleKill";
  m->zoom = 7;
  m->spinUp = 9;
  m->multiKillTime = 300;
  m->armor = 50;
  m->hasWeapon[3] = 1, m->ammo[3] = 10, m->currentWeapon = 3;
  m->velX = 1.5, m->velY = -2;  // a corpse thrown by an explosion
  m->crouched = true;
  m->facing = 1;
  m->alpha = 3;

  // Created dead with no delay: the first step brings it in.
  pass(10);
  ASSERT_EQ(m->health, 100);
  EXPECT_EQ(m->x, 100);
  EXPECT_EQ(m->y, 114);
  EXPECT_TRUE(m->visible);
  EXPECT_EQ(m->z(), 15);
  EXPECT_EQ(m->alpha, 255);
  EXPECT_EQ(m->facing, 0);
  EXPECT_EQ(m->armor, 0);
  EXPECT_EQ(m->currentWeapon, 0);
  EXPECT_EQ(m->getHasWeapon(0), 1);
  EXPECT_EQ(m->getAmmo(0), 1);
  EXPECT_EQ(m->getHasWeapon(3), 0);
  EXPECT_EQ(m->getAmmo(3), 0);
  EXPECT_EQ(m->velX, 0);
  EXPECT_EQ(m->velY, 0);
  EXPECT_FALSE(m->crouched);
  EXPECT_EQ(m->height, 46);
  EXPECT_EQ(m->hitBox, (TRect{5, 0, 27, 46}));
  EXPECT_EQ(m->frags, 4);
  EXPECT_EQ(m->name, "Bob");
  EXPECT_EQ(m->announcement, "DoubleKill");
  EXPECT_EQ(m->zoom, 7);
  EXPECT_EQ(m->spinUp, 9);

  // The flash is centred on the fighter's body.
  TAnim* flash = nullptr;
  for (TSprite* s : root.children())
    if (auto* a = dynamic_cast<TAnim*>(s)) flash = a;
  ASSERT_NE(flash, nullptr);
  EXPECT_EQ(flash->x + 20, 116);
  EXPECT_EQ(flash->y + 20, 137);
  EXPECT_EQ(flash->z(), 25);
  EXPECT_EQ(flash->frameSpeed, 0.04);

  // Out of range accessors answer neutrally.
  EXPECT_EQ(m->getAmmo(11), -2);
  EXPECT_EQ(m->getHasWeapon(-1), 0);
  m->setAmmo(99, 5);
  m->setHasWeapon(-3, 1);
}

TEST_F(ManLife, WithoutAPointTheFighterWaitsAndTriesAgain) {
  auto* m = new TMan(&root);
  m->setModel("Doom");
  g().match = nullptr;
  pass(10, 3);
  EXPECT_EQ(m->health, 0);
  EXPECT_FALSE(m->visible);
  g().match = &match;  // a level without respawn points
  pass(10, 3);
  EXPECT_EQ(m->health, 0);
  match.addRespawnPoint({100, 114});
  pass(10);
  EXPECT_EQ(m->health, 100);
  EXPECT_EQ(m->x, 100);
}

TEST_F(ManLife, EveryOneOfManyPointsIsReached) {
  for (int i = 0; i < 200; ++i) match.addRespawnPoint({1000 + i, 114});
  auto* m = new TMan(&root);
  m->setModel("Doom");
  std::set<int> seen;
  for (int i = 0; i < 3000; ++i) {
    m->respawn();
    ASSERT_GE(m->x, 1000);
    seen.insert(static_cast<int>(m->x) - 1000);
  }
  EXPECT_GT(*seen.rbegin(), 190);
  EXPECT_GT(seen.size(), 190u);
}

TEST_F(ManLife, AMissingPictureLeavesTheFighterAsItWas) {
  auto* m = new TMan(&root);
  m->setModel("Doom");
  images.Items.find("RespawnAnim").setName("Gone");
  EXPECT_THROW(m->respawnAt(100, 114), Error);
  EXPECT_EQ(m->health, 0);
  EXPECT_FALSE(m->visible);
  EXPECT_EQ(m->x, 0);
  EXPECT_EQ(root.count(), 1);
  images.Items.find("Gone").setName("RespawnAnim");

  EXPECT_THROW(m->setModel("Nobody"), Error);
  EXPECT_EQ(m->modelName, "Doom");
  m->modelName = "Nobody";
  EXPECT_THROW(m->respawnAt(100, 114), Error);
  EXPECT_EQ(m->health, 0);
  EXPECT_EQ(root.count(), 1);
}

TEST_F(ManLife, CorpseFadesWithQualityAndRespawnsAfterThreeSeconds) {
  match.addRespawnPoint({200, 114});
  for (uint8_t quality : {uint8_t{1}, uint8_t{0}}) {
    SCOPED_TRACE(int{quality});
    g().settings.quality = quality;
    TMan* m = fighterAt(100, 114);
    m->health = 0;
    m->cooldown = 3000;
    pass(10, 45);
    EXPECT_EQ(m->alpha, 255);  // 2550 div 10
    pass(10);
    EXPECT_EQ(m->alpha, quality ? 254 : 255);
    pass(10, 253);
    EXPECT_EQ(m->health, 0);  // 2990 ms
    EXPECT_EQ(m->alpha, quality ? 1 : 255);
    pass(10);
    EXPECT_EQ(m->health, 100);
    EXPECT_EQ(m->alpha, 255);
    EXPECT_EQ(m->x, 200);
    m->kill();
    pass(1);
  }
}

TEST_F(ManLife, CameraLooksAheadAlongTheAim) {
  TMan* m = fighterAt(100, 114);
  m->aimAngle = 30;
  m->zoom = 10;
  m->turn(1);  // facing right now aims 30 degrees up
  pass(10);
  const double a = -30 * std::numbers::pi / 180;
  EXPECT_DOUBLE_EQ(m->cameraX, 400 - 100 - 16 - std::cos(a) * 50);
  EXPECT_DOUBLE_EQ(m->cameraY, 300 - 114 - 23 - std::sin(a) * 50);
  m->turn(0);  // facing left: aim - 180 degrees
  pass(10);
  const double b = (30 - 180) * std::numbers::pi / 180;
  EXPECT_DOUBLE_EQ(m->cameraX, 400 - 100 - 16 - std::cos(b) * 50);
  EXPECT_DOUBLE_EQ(m->cameraY, 300 - 114 - 23 - std::sin(b) * 50);
  EXPECT_GT(m->cameraX, 400 - 100 - 16);  // the view shifts so the fighter sees further left
  // A dead fighter's view stays where it was.
  const double before = m->cameraX;
  m->health = 0;
  m->cooldown = 1000;
  m->x = 500;
  pass(10);
  EXPECT_EQ(m->cameraX, before);
}

TEST_F(ManLife, AnnouncementShowsUntilItsTimeRunsOut) {
  TMan* m = fighterAt(100, 114);
  m->announcement = "DoubleKill";
  m->announceTime = 25;
  pass(10, 3);  // 25, 15, 5: shown in each step, the last one leaves -5
  EXPECT_EQ(m->announcement, "DoubleKill");
  pass(10);
  EXPECT_EQ(m->announcement, "");
}

TEST_F(ManLife, LaserStopsBeforeWallsAndAtTheEdgeOfTheGrid) {
  TMan* m = fighterAt(100, 114);
  m->turn(1);
  for (int row = 0; row < 10; ++row) g().grid.set(20, row, CellSolid);  // wall at x 320 .. 335
  EXPECT_EQ(m->laserEnd(), (TPoint{319, 130}));
  m->aimAngle = 90;  // straight down onto the floor at y 160
  EXPECT_EQ(m->laserEnd(), (TPoint{116, 159}));
  m->aimAngle = 45;
  const TPoint diagonal = m->laserEnd();
  EXPECT_EQ(diagonal.y, 159);
  EXPECT_NEAR(diagonal.x, 116 + 29, 1);

  // An open level: the beam ends where it leaves the grid (column 115 ends at x 1855).
  g().grid.clear();
  m->aimAngle = 0;
  EXPECT_EQ(m->laserEnd(), (TPoint{1855, 130}));
  m->aimAngle = -90;  // up: row -15 begins at y -255
  EXPECT_EQ(m->laserEnd().y, -255);
  // Starting inside a solid cell, the beam goes nowhere.
  g().grid.set(7, 8, CellSolid);
  EXPECT_EQ(m->laserEnd(), (TPoint{116, 130}));
  // Far outside the grid: the start point.
  m->x = 1e12;
  m->y = -5e11;
  const TPoint far = m->laserEnd();
  EXPECT_EQ(far, (TPoint{1000000000, -1000000000}));
}

TEST_F(ManLife, DrawsWeaponNameAnnouncementAndLaser) {
  TSurface& screen = display.surface();
  auto* p = fighterAt<TPlayer>(100, 114);
  auto* bot = fighterAt(300, 300);
  g().player1 = p;
  p->name = "Ann";
  bot->name = "Bot";
  p->turn(1);
  p->currentWeapon = 1;
  bot->currentWeapon = 1;
  p->announcement = "DoubleKill";
  for (TSprite* s : root.children())
    if (dynamic_cast<TAnim*>(s)) s->kill();  // the respawn flashes would cover the fighters
  root.freeKilled();
  root.x = 50;
  root.y = 20;
  screen.fill(0);
  root.drawAll();

  auto at = [&](int x, int y) { return screen.row(y)[x]; };
  const uint16_t red = rgb565(255, 0, 0), green = rgb565(0, 255, 0), white = rgb565(255, 255, 255);
  // The beam runs from the hands (x + ex + 16, y + ey + 18) along the aim to the wall of the screen's
  // level: the floor is far, so along row 152 towards the right.
  for (int x = 170; x < 300; x += 13) EXPECT_EQ(at(x, 114 + 20 + 18), red) << x;
  // The gun lies under the beam at the hands.
  EXPECT_NE(at(175, 150), 0);
  EXPECT_NE(at(175, 150), red);
  // The bot has a laser point but draws no beam.
  int botBeam = 0;
  for (int x = 0; x < 800; ++x) botBeam += at(x, 300 + 20 + 18) == red;
  EXPECT_EQ(botBeam, 0);
  // Names: green for player 1 above its head, white for the others above theirs.
  auto count = [&](uint16_t colour, int top) {
    int n = 0;
    for (int y = top; y < top + 15; ++y)
      for (int x = 0; x < 800; ++x) n += at(x, y) == colour;
    return n;
  };
  EXPECT_GT(count(green, 114 + 20 - 15), 5);
  EXPECT_EQ(count(white, 114 + 20 - 15), 0);
  EXPECT_GT(count(white, 300 + 20 - 15), 5);
  EXPECT_EQ(screen.canvas().fontSize(), 8);
  EXPECT_TRUE(screen.canvas().fontBold());
  EXPECT_FALSE(screen.canvas().inUse());
  // The announcement picture, pattern 0, centred 24 pixels above the fighter.
  EXPECT_NE(at(100 + 50 - 30 + 16, 114 + 20 - 24), 0);
  EXPECT_NE(at(100 + 50 - 30 + 16 + 59, 114 + 20 - 24 + 11), 0);
  EXPECT_EQ(at(100 + 50 - 30 + 16 - 1, 114 + 20 - 24), 0);

  // Dead: only the body.
  p->health = 0;
  bot->health = 0;
  screen.fill(0);
  root.drawAll();
  int redAfter = 0;
  for (int i = 0; i < 800 * 600; ++i) redAfter += screen.pixels()[i] == red;
  EXPECT_EQ(redAfter, 0);
  g().player1 = nullptr;
}

}  // namespace
}  // namespace mv
