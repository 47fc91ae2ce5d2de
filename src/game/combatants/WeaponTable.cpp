#include "game/combatants/WeaponTable.h"

#include <algorithm>
#include <array>

namespace mv {
namespace {

struct AmmoRow {
  int32_t maxAmmo;
  int32_t ammoPack;
  int32_t fireDelay;
  int32_t shots;
};

// The energy gun's delay loses 10 ms per level on top of this; the minigun's loses its spin-up.
constexpr std::array<AmmoRow, kWeaponRows> kAmmo{{
    {5, 2, 200, 1},
    {50, 10, 1000, 1},
    {50, 25, 800, 5},
    {48, 12, 1000, 1},
    {2, 2, 2000, 1},
    {50, 10, 500, 5},
    {75, 20, 500, 1},
    {800, 100, 200, 1},
}};

void energyProjectile(int32_t level, ProjectileRow& s) {
  const int32_t L = energyLevel(level);
  s.image = L == 1 ? "Laser" : L <= 4 ? "AdvLaser" : "Plasma";
  s.damage = static_cast<int32_t>(L / 1.2) + 5;
  s.speed = L + 3;
  s.knock = L / 3 + 1;
  s.gibThreshold = 100 - 16 * L;
  s.ricochetImage = L <= 4 ? "SmallRico" : "RickoEnergo";
}

void missile(ProjectileRow& s, const char* image, int32_t damage, double knock, int32_t gib, int32_t radius,
             const char* explosion, int32_t frames) {
  s.image = image;
  s.damage = damage;
  s.speed = 2;
  s.knock = knock;
  s.gibThreshold = gib;
  s.hitKind = 3;
  s.splashRadius = radius;
  s.explosionImage = explosion;
  s.explosionSound = "Explode";
  s.frames = frames;
  s.explosive = true;
}

void bullet(ProjectileRow& s, int32_t damage, double speed, double knock, int32_t gib, const char* rico) {
  s.image = "Shot";
  s.damage = damage;
  s.speed = speed;
  s.knock = knock;
  s.gibThreshold = gib;
  s.ricochetImage = rico;
}

}  // namespace

int32_t energyLevel(int32_t ammo0) {
  return std::clamp(ammo0, kEnergyMinLevel, kEnergyMaxLevel);
}

int32_t weaponMaxAmmo(int32_t w) {
  return weaponExists(w) ? kAmmo[static_cast<size_t>(w)].maxAmmo : 0;
}

int32_t weaponAmmoPack(int32_t w) {
  return weaponExists(w) ? kAmmo[static_cast<size_t>(w)].ammoPack : 0;
}

int32_t weaponFireDelay(int32_t w, int32_t level) {
  if (!weaponExists(w)) return 0;
  const int32_t delay = kAmmo[static_cast<size_t>(w)].fireDelay;
  return w == kEnergyGun ? delay - 10 * energyLevel(level) : delay;
}

int32_t weaponShotCount(int32_t w) {
  return weaponExists(w) ? kAmmo[static_cast<size_t>(w)].shots : 0;
}

bool projectileRow(int32_t w, int32_t level, ProjectileRow& row) {
  if (!weaponExists(w)) return false;
  ProjectileRow s;
  s.weapon = w;
  switch (w) {
    case kEnergyGun:
      energyProjectile(level, s);
      break;
    case kRifle:
      bullet(s, 60, 7, 2, 100, "Rickoshet");
      break;
    case kShotgun:
      bullet(s, 10, 6, 2, 5, "SmallRico");
      break;
    case kRocketLauncher:
      missile(s, "Rocket", 180, 6, 15, 90, "Explosion", 4);
      break;
    case kRedeemer:
      missile(s, "Redeemer", 400, 30, 0, 200, "RedeemerExplo", 3);
      s.guided = true;
      break;
    case kFlakCannon:
      s.image = "Flak";
      s.damage = 10;
      s.speed = 3;
      s.knock = 3;
      s.gibThreshold = 2;
      s.bounces = 3;
      s.bounceSound = "Ricoshet1";
      s.falls = true;
      break;
    case kDiskLauncher:
      s.image = "Disk";
      s.damage = 30;
      s.speed = 6;
      s.knock = 3;
      s.gibThreshold = 38;
      s.hitKind = 4;
      s.bounces = 6;
      s.bounceSound = "DiscRico";
      s.reflects = true;
      break;
    case kMinigun:
      bullet(s, 6, 6, 1, 100, "SmallRico");
      break;
  }
  row = std::move(s);
  return true;
}

std::vector<std::string> projectilePictures(const ProjectileRow& row) {
  std::vector<std::string> names{row.image, "MeatBlood", "EarthBlood"};
  if (row.splashRadius > 0) {
    names.push_back(row.explosionImage);
  } else {
    names.push_back(row.ricochetImage);
  }
  if (row.explosive) names.push_back("RocketFlame");
  return names;
}

}  // namespace mv
