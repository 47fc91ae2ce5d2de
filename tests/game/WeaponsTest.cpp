// Firing and ammunition: what each weapon puts into the world, how often, and when it refuses.

#include <cmath>

#include "WeaponsFixture.h"
#include "game/combatants/WeaponTable.h"
#include "platform/Error.h"

namespace mv {
namespace {

class FireTest : public WeaponsFixture {
 protected:
  // Facing right, level aim, standing at a fractional position so the muzzle rounding shows.
  TMan* gunner(int32_t weapon, int32_t rounds) {
    TMan* m = fighter(100.3, 200.6);
    m->facing = 1;
    m->hasWeapon[static_cast<size_t>(weapon)] = 1;
    if (weapon != kEnergyGun) m->ammo[static_cast<size_t>(weapon)] = rounds;
    m->currentWeapon = static_cast<int8_t>(weapon);
    return m;
  }
  static double speedOf(const TShot* s) { return std::hypot(s->velX, s->velY) / 0.2; }
};

TEST_F(FireTest, EnergyGunGrowsWithItsLevelAndSpendsNothing) {
  struct Level {
    int32_t level;
    const char* image;
    int32_t damage, speed, knock, gib, cooldown;
    const char* rico;
  };
  const Level levels[] = {{1, "Laser", 5, 4, 1, 84, 190, "SmallRico"},
                          {2, "AdvLaser", 6, 5, 1, 68, 180, "SmallRico"},
                          {3, "AdvLaser", 7, 6, 2, 52, 170, "SmallRico"},
                          {4, "AdvLaser", 8, 7, 2, 36, 160, "SmallRico"},
                          {5, "Plasma", 9, 8, 2, 20, 150, "RickoEnergo"},
                          // A level set out of range from the console fires as the nearest real one.
                          {9, "Plasma", 9, 8, 2, 20, 150, "RickoEnergo"}};
  for (const Level& l : levels) {
    SCOPED_TRACE(l.level);
    root.clear();
    TMan* m = gunner(kEnergyGun, 0);
    m->ammo[0] = l.level;
    m->fire();
    auto shots = all<TShot>();
    ASSERT_EQ(shots.size(), 1u);
    const TShot* s = shots[0];
    EXPECT_EQ(s->image->Name, l.image);
    EXPECT_EQ(s->damage, l.damage);
    EXPECT_DOUBLE_EQ(s->speed, l.speed);
    EXPECT_DOUBLE_EQ(s->knock, l.knock);
    EXPECT_EQ(s->gibThreshold, l.gib);
    EXPECT_EQ(s->ricochetImage, l.rico);
    EXPECT_EQ(m->cooldown, l.cooldown);
    EXPECT_EQ(m->ammo[0], l.level);
    EXPECT_EQ(s->owner, m);
    // Straight ahead to the right at speed x 0.2 pixels per ms.
    EXPECT_EQ(s->direction, 90);
    EXPECT_NEAR(s->velX, l.speed * 0.2, 1e-12);
    EXPECT_NEAR(s->velY, 0, 1e-12);
    // Centred on the muzzle (near(100.3 + 16), near(200.6) + 16) = (116, 217).
    EXPECT_EQ(s->x, 116 - s->width / 2.0);
    EXPECT_EQ(s->y, 217 - s->height / 2.0);
    EXPECT_EQ(s->hitBox, (TRect{0, 0, s->width, s->height}));
  }

  // The cooldown holds the next shot back until it has run out.
  root.clear();
  TMan* m = gunner(kEnergyGun, 0);
  m->fire();
  m->cooldown = 1;
  m->fire();
  EXPECT_EQ(all<TShot>().size(), 1u);
  m->cooldown = 0;
  m->fire();
  EXPECT_EQ(all<TShot>().size(), 2u);
}

TEST_F(FireTest, EachWeaponsShotAimedUpLeft) {
  struct Row {
    int32_t weapon;
    const char* image;
    int32_t cooldown, shots, damage;
    double speed, knock;
    int32_t gib, kind, radius, bounces;
  };
  const Row rows[] = {{kRifle, "Shot", 1000, 1, 60, 7, 2, 100, 0, 0, 0},
                      {kShotgun, "Shot", 800, 5, 10, 6, 2, 5, 0, 0, 0},
                      {kRocketLauncher, "Rocket", 1000, 1, 180, 2, 6, 15, 3, 90, 0},
                      {kRedeemer, "Redeemer", 2000, 1, 400, 2, 30, 0, 3, 200, 0},
                      {kFlakCannon, "Flak", 500, 5, 10, 3, 3, 2, 0, 0, 3},
                      {kDiskLauncher, "Disk", 500, 1, 30, 6, 3, 38, 4, 0, 6}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.weapon);
    root.clear();
    TMan* m = gunner(r.weapon, 2);
    // Facing left, aimAngle 30 points up and to the left: 30 - 90 = -60 on the projectile's scale.
    m->facing = 0;
    m->aimAngle = 30;
    m->fire();
    EXPECT_EQ(m->cooldown, r.cooldown);
    EXPECT_EQ(m->ammo[static_cast<size_t>(r.weapon)], 1);  // one round per shot, however many pellets
    auto shots = all<TShot>();
    ASSERT_EQ(static_cast<int>(shots.size()), r.shots);
    for (size_t i = 0; i < shots.size(); ++i) {
      const TShot* s = shots[i];
      EXPECT_EQ(s->image->Name, r.image);
      EXPECT_EQ(s->damage, r.damage);
      EXPECT_NEAR(speedOf(s), r.speed, 1e-9);
      EXPECT_DOUBLE_EQ(s->knock, r.knock);
      EXPECT_EQ(s->gibThreshold, r.gib);
      EXPECT_EQ(s->hitKind, r.kind);
      EXPECT_EQ(s->splashRadius, r.radius);
      EXPECT_EQ(s->bounces, r.bounces);
      EXPECT_EQ(s->maxBounces, r.bounces);
      EXPECT_EQ(s->explosive, r.radius > 0);
      EXPECT_EQ(s->guided, r.weapon == kRedeemer);
      // Five pellets fan out from -2 to +2 degrees; a single shot flies along the aim.
      EXPECT_EQ(s->direction, r.shots == 5 ? -62 + static_cast<int>(i) : -60);
      EXPECT_LT(s->velX, 0);
      EXPECT_GT(s->velY, 0);
      EXPECT_EQ(s->x, 116 - s->width / 2.0);
      EXPECT_EQ(s->y, 217 - s->height / 2.0);
    }
  }
}

TEST_F(FireTest, MinigunSpinsUpToItsLimitAndWanders) {
  TMan* m = gunner(kMinigun, 800);
  const int32_t expected[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 14, 16, 18,  20,  23,
                              26, 29, 32, 36, 40, 45, 50, 56, 62, 69, 76, 84, 93, 103, 103, 103};
  int32_t drifted = 0;
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const int32_t aimBefore = m->aimAngle, spinBefore = m->spinUp;
    m->cooldown = 0;
    m->fire();
    EXPECT_EQ(m->spinUp, expected[i]);
    EXPECT_EQ(m->cooldown, 200 - expected[i]);
    const int32_t drift = m->aimAngle - aimBefore;
    EXPECT_LE(std::abs(drift), spinBefore < 100 ? 0 : 1);
    drifted += drift != 0;
    const TShot* s = all<TShot>().back();
    // Not centred across: 16 pixels in from the left, half its height up.
    EXPECT_EQ(s->x, 116);
    EXPECT_EQ(s->y, 217 - 5);
    EXPECT_EQ(s->damage, 6);
    EXPECT_GE(s->direction, aimBefore + 90 - 5);
    EXPECT_LE(s->direction, aimBefore + 90 + 5);
  }
  EXPECT_EQ(m->ammo[kMinigun], 800 - static_cast<int>(std::size(expected)));
  EXPECT_EQ(m->cooldown, 97);

  // Held long at the bottom of its range, the wandering aim never leaves it.
  m->aimAngle = 90;
  for (int i = 0; i < 300; ++i) {
    m->cooldown = 0;
    const int32_t before = m->aimAngle;
    m->fire();
    drifted += m->aimAngle != before;
    ASSERT_LE(m->aimAngle, 90);
    ASSERT_GE(m->aimAngle, -90);
  }
  EXPECT_GT(drifted, 0);
}

TEST_F(FireTest, RefusalsLeaveEverythingAsItWas) {
  // Empty: nothing fires, nothing is spent, and the fighter is asked for its previous weapon.
  TMan* m = gunner(kShotgun, 0);
  m->hasWeapon[kRifle] = 1;
  m->ammo[kRifle] = 3;
  m->fire();
  EXPECT_TRUE(all<TShot>().empty());
  EXPECT_EQ(m->ammo[kShotgun], 0);
  EXPECT_EQ(m->ammo[kRifle], 3);
  // The switch is the fighter's own previous-weapon command: once that is in, it lands on the rifle.
  if (m->currentWeapon != kShotgun) {
    EXPECT_EQ(m->currentWeapon, kRifle);
  }

  // Not owned: nothing at all, and the cooldown stays free.
  TMan* n = gunner(kRocketLauncher, 12);
  n->hasWeapon[kRocketLauncher] = 0;
  n->fire();
  EXPECT_TRUE(all<TShot>().empty());
  EXPECT_EQ(n->ammo[kRocketLauncher], 12);
  EXPECT_EQ(n->cooldown, 0);
  EXPECT_EQ(n->currentWeapon, kRocketLauncher);

  // A corpse does not shoot, whatever it holds.
  TMan* dead = gunner(kRocketLauncher, 12);
  dead->health = 0;
  dead->fire();
  dead->health = -40;
  dead->fire();
  EXPECT_TRUE(all<TShot>().empty());
  EXPECT_EQ(dead->ammo[kRocketLauncher], 12);
  EXPECT_EQ(dead->cooldown, 0);

  // An energy gun run down to level 0 counts as empty rather than firing a level-0 bolt.
  TMan* flat = gunner(kEnergyGun, 0);
  flat->ammo[0] = 0;
  flat->fire();
  EXPECT_TRUE(all<TShot>().empty());

  // A weapon number past the table fires nothing and reads nothing beyond it.
  TMan* odd = gunner(kRifle, 5);
  for (int8_t w : {int8_t{8}, int8_t{10}, int8_t{-1}, int8_t{127}}) {
    odd->currentWeapon = w;
    odd->fire();
  }
  EXPECT_TRUE(all<TShot>().empty());
  EXPECT_EQ(odd->cooldown, 0);
}

TEST_F(FireTest, MissingPictureStopsTheShotBeforeAnythingChanges) {
  images.Items.find("RocketFlame").setName("Elsewhere");
  TMan* m = gunner(kRocketLauncher, 12);
  try {
    m->fire();
    FAIL() << "fired without the rocket flame";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Image 'RocketFlame' not found");
  }
  EXPECT_EQ(m->ammo[kRocketLauncher], 12);
  EXPECT_EQ(m->cooldown, 0);
  EXPECT_EQ(root.count(), 1);  // the fighter alone: no half-made projectile

  // Weapons that never show the flame still fire.
  m->currentWeapon = kRifle;
  m->hasWeapon[kRifle] = 1;
  m->ammo[kRifle] = 1;
  m->fire();
  EXPECT_EQ(all<TShot>().size(), 1u);
}

TEST_F(FireTest, AmmunitionIsClampedAndFullRefuses) {
  TMan* m = fighter(0, 0);
  EXPECT_TRUE(m->addAmmo(kRifle, 10));
  EXPECT_EQ(m->ammo[kRifle], 10);
  EXPECT_TRUE(m->addAmmo(kRifle, 45.7));
  EXPECT_EQ(m->ammo[kRifle], 50);
  EXPECT_FALSE(m->addAmmo(kRifle, 1));  // full: a pick-up stays on the floor
  EXPECT_EQ(m->ammo[kRifle], 50);
  EXPECT_TRUE(m->addAmmo(kRocketLauncher, 2.9));
  EXPECT_EQ(m->ammo[kRocketLauncher], 2);
  EXPECT_TRUE(m->addAmmo(kRocketLauncher, -100));
  EXPECT_EQ(m->ammo[kRocketLauncher], 0);
  EXPECT_FALSE(m->addAmmo(kRocketLauncher, std::nan("")));
  EXPECT_EQ(m->ammo[kRocketLauncher], 0);

  // The energy gun's pack is two levels, up to 5.
  EXPECT_TRUE(m->takeAmmoPack(kEnergyGun));
  EXPECT_EQ(m->ammo[0], 3);
  EXPECT_TRUE(m->takeAmmoPack(kEnergyGun));
  EXPECT_EQ(m->ammo[0], 5);
  EXPECT_FALSE(m->takeAmmoPack(kEnergyGun));

  // A weapon comes with half a pack and is owned even when its ammunition is full.
  EXPECT_TRUE(m->takeWeapon(kShotgun));
  EXPECT_EQ(m->hasWeapon[kShotgun], 1);
  EXPECT_EQ(m->ammo[kShotgun], 12);
  EXPECT_TRUE(m->takeWeapon(kRedeemer));
  EXPECT_TRUE(m->takeWeapon(kRedeemer));
  EXPECT_EQ(m->ammo[kRedeemer], 2);
  m->hasWeapon[kRedeemer] = 0;
  EXPECT_FALSE(m->takeWeapon(kRedeemer));
  EXPECT_EQ(m->hasWeapon[kRedeemer], 1);
  EXPECT_TRUE(m->takeAmmoPack(kMinigun));
  EXPECT_EQ(m->ammo[kMinigun], 100);

  // Slots 8 .. 10 exist, but there is no such weapon: every gain is refused and nothing changes.
  for (int32_t w : {8, 9, 10, -1, 200}) {
    SCOPED_TRACE(w);
    EXPECT_FALSE(m->addAmmo(w, 10));
    EXPECT_FALSE(m->takeAmmoPack(w));
    EXPECT_FALSE(m->takeWeapon(w));
    EXPECT_EQ(m->getAmmo(w), w >= 0 && w <= 10 ? 0 : -2);
    EXPECT_EQ(m->getHasWeapon(w), 0);
  }
}

}  // namespace
}  // namespace mv
