// Projectiles in flight: their path and effects, hits on fighters, bounces, ricochets and explosions.

#include <cmath>

#include "WeaponsFixture.h"
#include "game/combatants/WeaponTable.h"

namespace mv {
namespace {

using ShotTest = WeaponsFixture;

TEST_F(ShotTest, RocketFliesStraightTrailingFlameBehindIt) {
  TShot* rocket = shot(kRocketLauncher, 200, 300, 90);
  EXPECT_EQ(rocket->z(), 5);
  EXPECT_EQ(rocket->frameCount, 4);
  pass(10);
  EXPECT_DOUBLE_EQ(rocket->x, 204);  // 2 x 0.2 pixels per ms
  EXPECT_DOUBLE_EQ(rocket->y, 300);
  EXPECT_EQ(rocket->angle, 64);
  EXPECT_EQ(rocket->flightSoundTimer, 290);
  EXPECT_EQ(rocket->flameTimer, 140);  // 160 less trunc(10 x 2)
  // The puff is centred 18 pixels behind the rocket's centre (209, 311).
  auto flames = anims("RocketFlame");
  ASSERT_EQ(flames.size(), 1u);
  EXPECT_DOUBLE_EQ(flames[0]->x, 191 - 8);
  EXPECT_DOUBLE_EQ(flames[0]->y, 311 - 8);
  EXPECT_EQ(flames[0]->z(), 14);
  EXPECT_DOUBLE_EQ(flames[0]->frameSpeed, 0.04);
  for (int i = 0; i < 7; ++i) pass(10);
  EXPECT_EQ(anims("RocketFlame").size(), 1u);
  pass(10);
  EXPECT_EQ(anims("RocketFlame").size(), 2u);

  // Directions: 0 up (velY is positive upward), 180 down, 270 left; the picture turns with them.
  rocket->setDirection(0);
  EXPECT_NEAR(rocket->velX, 0, 1e-12);
  EXPECT_NEAR(rocket->velY, 0.4, 1e-12);
  rocket->setDirection(180);
  EXPECT_NEAR(rocket->velY, -0.4, 1e-12);
  rocket->setDirection(270);
  EXPECT_NEAR(rocket->velX, -0.4, 1e-12);
  pass(1);
  EXPECT_EQ(rocket->angle, 192);
  rocket->setDirection(-60);
  pass(1);
  EXPECT_EQ(rocket->angle, -43);  // near(-42.67)
}

TEST_F(ShotTest, OwnerIsPassedThroughUntilTheFirstBounce) {
  TMan* owner = fighter(100, 300);
  TMan* bystander = fighter(100, 300);
  shot(kDiskLauncher, 110, 320, 90, owner);
  pass(10);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].victim, bystander);
  EXPECT_TRUE(all<TShot>().empty());

  // Alone with its owner, the disk flies on to the wall at x = 192 and comes back for him.
  bystander->health = 0;
  hits.clear();
  column(12, 0, 40);
  RecordingShot* disk = shot(kDiskLauncher, 110, 320, 90, owner);
  for (int i = 0; i < 5; ++i) pass(10);
  EXPECT_TRUE(hits.empty());
  EXPECT_FALSE(disk->bounced);
  pass(10);
  EXPECT_DOUBLE_EQ(disk->x, 178);  // flush against the wall
  EXPECT_TRUE(disk->bounced);
  EXPECT_EQ(disk->direction, 270);
  for (int i = 0; i < 10 && hits.empty(); ++i) pass(10);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].victim, owner);
  EXPECT_EQ(hits[0].attacker, owner);
  EXPECT_EQ(hits[0].damage, 30);
  EXPECT_EQ(hits[0].kind, HitCutting);
  EXPECT_EQ(hits[0].knock, 3);
  EXPECT_EQ(hits[0].gibThreshold, 38);
  EXPECT_EQ(hits[0].hitY, 320);
}

TEST_F(ShotTest, DiskLosesDamageWithEveryBounceAndVanishesAtTheSixth) {
  column(5, 0, 40);
  column(15, 0, 40);
  RecordingShot* disk = shot(kDiskLauncher, 150, 300, 90);
  std::vector<int32_t> damages;
  std::vector<int32_t> directions;
  int32_t bounces = disk->bounces;
  for (int i = 0; i < 400 && !all<TShot>().empty(); ++i) {
    pass(10);
    if (all<TShot>().empty()) break;
    if (disk->bounces != bounces) {
      bounces = disk->bounces;
      damages.push_back(disk->damage);
      directions.push_back(disk->direction);
    }
  }
  EXPECT_EQ(damages, (std::vector<int32_t>{30, 25, 17, 8, 3}));
  EXPECT_EQ(directions, (std::vector<int32_t>{270, 90, 270, 90, 270}));
  EXPECT_TRUE(all<TShot>().empty());

  // A floor turns it as 180 - d, a wall as 360 - d.
  root.clear();
  row(22, 16, 60);
  column(30, 0, 21);
  disk = shot(kDiskLauncher, 300, 300, 135);
  directions.clear();
  bounces = disk->bounces;
  for (int i = 0; i < 100 && directions.size() < 2; ++i) {
    pass(10);
    if (disk->bounces != bounces) {
      bounces = disk->bounces;
      directions.push_back(disk->direction);
    }
  }
  EXPECT_EQ(directions, (std::vector<int32_t>{45, 315}));
}

TEST_F(ShotTest, FlakBouncesOffTheFloorLosingDamage) {
  row(30, 0, 60);
  RecordingShot* flak = shot(kFlakCannon, 300, 400, 180);
  EXPECT_EQ(flak->damage, 10);
  std::vector<int32_t> damages;
  int32_t bounces = flak->bounces;
  bool checkedBounce = false;
  for (int i = 0; i < 1000; ++i) {
    const double before = flak->velY;
    const int32_t bouncesBefore = flak->bounces;
    pass(10);
    if (all<TShot>().empty()) break;
    // The step after a contact reflects the fall, keeping 0.3 of it, before gravity pulls again.
    if (!checkedBounce && bouncesBefore == 2) {
      EXPECT_NEAR(flak->velY, -before * 0.3 - 10.0 / 1500, 1e-12);
      EXPECT_GT(flak->velY, 0);
      checkedBounce = true;
    }
    if (flak->bounces != bounces) {
      bounces = flak->bounces;
      damages.push_back(flak->damage);
    }
  }
  EXPECT_TRUE(checkedBounce);
  EXPECT_EQ(damages, (std::vector<int32_t>{10, 7}));
  EXPECT_TRUE(all<TShot>().empty());
}

TEST_F(ShotTest, OneBulletHitsTwoOverlappingFighters) {
  TMan* a = fighter(200, 300);
  TMan* dead = fighter(205, 300);
  TMan* owner = fighter(205, 300);
  TMan* b = fighter(210, 300);
  dead->health = 0;
  shot(kShotgun, 215, 320, 90, owner);
  pass(1);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].victim, a);
  EXPECT_EQ(hits[1].victim, b);
  for (const Hit& h : hits) {
    EXPECT_EQ(h.attacker, owner);
    EXPECT_EQ(h.damage, 10);
    EXPECT_EQ(h.kind, HitOrdinary);
    EXPECT_EQ(h.hitY, 320);
    EXPECT_EQ(h.knock, 2);
    EXPECT_EQ(h.gibThreshold, 5);
  }
  EXPECT_TRUE(all<TShot>().empty());
  // Two drops per hit at the bullet: one still, one with a tenth of its speed.
  auto blood = all<TBlood>();
  ASSERT_EQ(blood.size(), 4u);
  EXPECT_NEAR(blood[0]->x, 216.2, 1e-9);
  EXPECT_EQ(blood[0]->velX, 0);
  EXPECT_NEAR(blood[1]->velX, 1.2 / 10, 1e-12);
}

TEST_F(ShotTest, BulletsRicochetOffTheLevel) {
  column(20, 0, 40);
  shot(kRifle, 300, 300, 90);
  for (int i = 0; i < 20 && !all<TShot>().empty(); ++i) pass(10);
  EXPECT_TRUE(all<TShot>().empty());
  // Centred on the bullet's corner where it stopped, flush at the wall (316, 300).
  auto rico = anims("Rickoshet");
  ASSERT_EQ(rico.size(), 1u);
  EXPECT_DOUBLE_EQ(rico[0]->x, 316 - 10);
  EXPECT_DOUBLE_EQ(rico[0]->y, 300 - 10);
  EXPECT_EQ(rico[0]->angle, 64);
  EXPECT_EQ(rico[0]->z(), 25);

  // A bullet that strikes a fighter standing at the wall is spent: no ricochet off the wall as well.
  TMan* m = fighter(290, 280);
  shot(kRifle, 316, 300, 90);
  pass(10);
  EXPECT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].victim, m);
  EXPECT_EQ(anims("Rickoshet").size(), 1u);  // still only the first one
}

TEST_F(ShotTest, ExplosionHurtsAndPushesByDistance) {
  TMan* owner = fighter(500 - 16, 500 - 23 - 60);  // 60 above the blast
  RecordingShot* rocket = shot(kRocketLauncher, 500, 500, 90, owner);
  struct Case {
    double d;
    bool dead;
    int32_t damage;  // -1: out of reach
    double pushX, pushY;
  };
  // Push: ((centre - blast centre) / d) x knock / (d - 30) across, the same over d - 35 upward.
  const Case cases[] = {{0, false, 84, (-5.0 / 48) * 6 / 18, (11.0 / 48) * 6 / 13},
                        {30, true, 84, (25.0 / 48) * 6 / 18, (11.0 / 48) * 6 / 13},
                        {48, false, 84, (43.0 / 48) * 6 / 18, (11.0 / 48) * 6 / 13},
                        {60, false, 60, (55.0 / 60) * 6 / 30, (11.0 / 60) * 6 / 25},
                        {89, false, 2, (84.0 / 89) * 6 / 59, (11.0 / 89) * 6 / 54},
                        {90, false, 0, (85.0 / 90) * 6 / 60, (11.0 / 90) * 6 / 55},
                        {90.5, false, 0, (85.5 / 90) * 6 / 60, (11.0 / 90) * 6 / 55},  // whole pixels
                        {91, false, -1, 0, 0}};
  std::vector<TMan*> victims;
  for (const Case& c : cases) {
    TMan* v = fighter(500 + c.d - 16, 500 - 23);
    if (c.dead) v->health = 0;
    victims.push_back(v);
  }
  // One who left a network match stood at the blast: nothing of him is there any more.
  TMan* gone = fighter(500 - 16, 500 - 23);
  gone->frags = 3;
  gone->leaveMatch();
  rocket->explode();
  EXPECT_EQ(gone->velX, 0);
  EXPECT_EQ(gone->velY, 0);
  for (int i = 0; i < 300; ++i) gone->moveSelf(16);
  EXPECT_FALSE(gone->visible);
  EXPECT_EQ(gone->health, 0);
  EXPECT_EQ(gone->frags, 3);
  EXPECT_EQ(gone->y, 500 - 23);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].d);
    TMan* v = victims[i];
    EXPECT_NEAR(v->velX, cases[i].pushX, 1e-12);
    EXPECT_NEAR(v->velY, cases[i].pushY, 1e-12);
    int32_t struck = -1;
    for (const Hit& h : hits)
      if (h.victim == v) struck = h.damage;
    EXPECT_EQ(struck, cases[i].damage);
  }
  // The owner is caught by his own blast and thrown upward.
  ASSERT_EQ(hits.front().victim, owner);
  EXPECT_EQ(hits.front().damage, 60);
  EXPECT_NEAR(owner->velY, (71.0 / 60) * 6 / 25, 1e-12);
  EXPECT_NEAR(owner->velX, (-5.0 / 60) * 6 / 30, 1e-12);
  for (const Hit& h : hits) {
    EXPECT_EQ(h.attacker, owner);
    EXPECT_EQ(h.kind, HitTearApart);
    EXPECT_EQ(h.knock, 0);
    EXPECT_EQ(h.hitY, 500);
    EXPECT_EQ(h.gibThreshold, 15);
  }
  EXPECT_EQ(hits.size(), 8u);
  EXPECT_EQ(all<TBlood>().size(), 5u * 8);
  auto boom = anims("Explosion");
  ASSERT_EQ(boom.size(), 1u);
  EXPECT_DOUBLE_EQ(boom[0]->x, 500 - 32);
  EXPECT_EQ(boom[0]->z(), 30);
  EXPECT_TRUE(rocket->killed());

  // Once only.
  rocket->explode();
  EXPECT_EQ(hits.size(), 8u);
  EXPECT_EQ(anims("Explosion").size(), 1u);
}

TEST_F(ShotTest, RocketTouchingTwoFightersAndAWallExplodesOnce) {
  column(20, 0, 40);
  TMan* a = fighter(290, 300);
  TMan* b = fighter(295, 300);
  shot(kRocketLauncher, 300, 310, 90);
  pass(30);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].victim, a);
  EXPECT_EQ(hits[1].victim, b);
  // A direct hit does the explosion's damage, not the rocket's 180.
  EXPECT_EQ(hits[0].damage, 84);
  EXPECT_EQ(hits[1].damage, 84);
  EXPECT_EQ(anims("Explosion").size(), 1u);
  EXPECT_TRUE(all<TShot>().empty());
  pass(10);
  EXPECT_EQ(hits.size(), 2u);
}

TEST_F(ShotTest, RedeemerFollowsItsLivingHumanOwner) {
  root.width = 800;
  root.height = 600;
  auto* owner = fighter<HumanFighter>(100, 300);
  owner->facing = 1;
  RecordingShot* missile = shot(kRedeemer, 200, 300, 90, owner);
  owner->aimAngle = -45;
  pass(10);
  EXPECT_EQ(missile->direction, 45);
  EXPECT_NEAR(missile->velX, 0.4 * std::sqrt(0.5), 1e-12);
  EXPECT_DOUBLE_EQ(owner->cameraX, 400 - missile->x - 7);
  EXPECT_DOUBLE_EQ(owner->cameraY, 300 - missile->y - 15);

  // Dead, he lets go for good: no steering and his view is no longer carried, even after respawn.
  owner->health = 0;
  owner->aimAngle = 30;
  owner->cameraX = owner->cameraY = -1;
  pass(10);
  EXPECT_EQ(missile->direction, 45);
  EXPECT_FALSE(missile->guided);
  owner->health = 100;
  pass(10);
  EXPECT_EQ(missile->direction, 45);
  EXPECT_EQ(owner->cameraX, -1);
  EXPECT_EQ(owner->cameraY, -1);

  // A bot's missile flies straight.
  TMan* bot = fighter(100, 100);
  bot->facing = 1;
  bot->aimAngle = 20;
  RecordingShot* botMissile = shot(kRedeemer, 200, 100, 90, bot);
  pass(10);
  EXPECT_EQ(botMissile->direction, 90);
  EXPECT_EQ(bot->cameraX, 0);
}

TEST_F(ShotTest, ShotLeavingTheGridEndsSilently) {
  // An open level: nothing to stop the shots, which leave the grid's last cells behind.
  TShot* right = shot(kRifle, 1840, 100, 90);
  shot(kRocketLauncher, 100, -260, 0);
  TShot* margin = shot(kRifle, -200, 100, 270);
  pass(10);
  EXPECT_FALSE(right->killed());
  EXPECT_FALSE(margin->killed());
  for (int i = 0; i < 10; ++i) pass(10);
  EXPECT_TRUE(all<TShot>().empty());
  EXPECT_TRUE(hits.empty());
  EXPECT_TRUE(anims("Explosion").empty());
  EXPECT_TRUE(anims("Rickoshet").empty());
}

}  // namespace
}  // namespace mv
