#pragma once
// The weapon table: what each of the eight weapons holds, how fast it fires and what it shoots.
// Every read is bounds-checked: a weapon number outside 0 .. 7 (ammunition slots run to 10, pick-up
// kinds name digits up to 9) has no row and gets neutral answers rather than someone else's.

#include <cstdint>
#include <string>
#include <vector>

namespace mv {

constexpr int32_t kEnergyGun = 0;
constexpr int32_t kRifle = 1;
constexpr int32_t kShotgun = 2;
constexpr int32_t kRocketLauncher = 3;
constexpr int32_t kRedeemer = 4;
constexpr int32_t kFlakCannon = 5;
constexpr int32_t kDiskLauncher = 6;
constexpr int32_t kMinigun = 7;
constexpr int32_t kWeaponRows = 8;

// The energy gun's level lives in its ammunition slot and is never spent.
constexpr int32_t kEnergyMinLevel = 1;
constexpr int32_t kEnergyMaxLevel = 5;

constexpr bool weaponExists(int32_t w) {
  return w >= 0 && w < kWeaponRows;
}

// A level outside 1 .. 5 (set from the console, say) fires as the nearest real level.
int32_t energyLevel(int32_t ammo0);

// 0 for a weapon that does not exist, so nothing can be added to it.
int32_t weaponMaxAmmo(int32_t w);
int32_t weaponAmmoPack(int32_t w);
// The time between shots in ms before the minigun's spin-up; the energy gun's depends on its level.
// 0 for a weapon that does not exist.
int32_t weaponFireDelay(int32_t w, int32_t level);
// 5 for the shotgun and the flak cannon, 1 for every other weapon, 0 for none.
int32_t weaponShotCount(int32_t w);

// What one projectile of a weapon is. Speeds are in units of 0.2 pixels per millisecond.
struct ProjectileRow {
  int32_t weapon = 0;
  std::string image;
  int32_t damage = 0;
  double speed = 0;
  double knock = 0;
  int32_t gibThreshold = 0;
  uint8_t hitKind = 0;
  int32_t splashRadius = 0;  // 0: not explosive on impact
  int32_t bounces = 0;
  std::string ricochetImage = "Rickoshet";
  std::string bounceSound;
  std::string explosionImage;
  std::string explosionSound;
  int32_t frames = 0;  // looping frames of its own picture (the missiles); 0 for a still picture
  bool explosive = false;
  bool guided = false;
  bool falls = false;     // flak: gravity, friction and a physical bounce
  bool reflects = false;  // the disk: turns its own direction at a wall
};

// The projectile of weapon w at energy level `level` (read only for weapon 0). A weapon that does not
// exist has none: the answer is false and row is untouched.
bool projectileRow(int32_t w, int32_t level, ProjectileRow& row);

// Every picture a projectile of this kind may show in its life: itself, its impact or explosion, the
// rocket flame, blood on a hit. Looked up before a shot is fired, so a missing one stops the shot
// before anything has changed instead of in the middle of a later move pass.
std::vector<std::string> projectilePictures(const ProjectileRow& row);

}  // namespace mv
