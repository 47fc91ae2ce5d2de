#include <algorithm>
#include <cmath>

#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/combatants/Man.h"
#include "game/combatants/Shot.h"
#include "game/combatants/ShotMath.h"
#include "game/combatants/WeaponTable.h"
#include "game/world/Images.h"

namespace mv {
namespace {

// A projectile at (px, py), moved left by half its width (when asked) and up by half its height so
// that it is centred on the muzzle.
void shoot(TMan& owner, const ProjectileRow& row, double px, double py, bool centreAcross, int32_t dir) {
  auto* shot = new TShot(owner.engine);
  shot->launch(px, py, row);
  if (centreAcross) shot->x -= shot->width / 2.0;
  shot->y -= shot->height / 2.0;
  shot->owner = &owner;
  shot->setDirection(dir);
}

}  // namespace

int32_t TMan::fireAngle() const {
  return facing == 1 ? aimAngle + 90 : aimAngle - 90;
}

void TMan::fire() {
  // A corpse does not shoot.
  if (!alive() || cooldown >= 1) return;
  const int32_t w = currentWeapon;
  if (!weaponExists(w) || !engine) return;
  const auto slot = static_cast<size_t>(w);
  if (ammo[slot] <= 0) {
    command(CmdPrevWeapon);
    return;
  }
  if (!hasWeapon[slot]) return;

  ProjectileRow row;
  projectileRow(w, ammo[0], row);
  // Every picture the shot may need is found now, while nothing has changed yet.
  for (const std::string& name : projectilePictures(row)) gameImage(name);

  cooldown = weaponFireDelay(w, ammo[0]);
  if (w != kEnergyGun) ammo[slot] -= 1;
  const int32_t f = fireAngle();
  const double muzzleX = nearRound(x + width / 2.0), muzzleY = nearRound(y) + 16;

  if (w == kMinigun) {
    Random& random = globals().random;
    // The drift is drawn with the spin-up as it was; it only starts once the barrels are fast.
    const int32_t reach = random.random(spinUp / 50);
    const int32_t drift = reach * (random.random(3) - 1);
    if (spinUp < 100) spinUp += spinUp / 10 + 1;
    aimAngle = std::clamp(aimAngle + drift, -90, 90);
    cooldown -= spinUp;
    const int32_t spread = random.random(11);
    shoot(*this, row, nearRound(x) + 16, nearRound(y) + 16, false, f - 5 + spread);
  } else if (weaponShotCount(w) == 5) {
    for (int32_t i = 0; i < 5; ++i) shoot(*this, row, muzzleX, muzzleY, true, f + i - 2);
  } else {
    shoot(*this, row, muzzleX, muzzleY, true, f);
  }

  playSoundAt("Weapon" + std::to_string(w), x + 24, y + 16);
}

bool TMan::addAmmo(int32_t w, double amount) {
  if (!weaponExists(w) || std::isnan(amount)) return false;
  const auto slot = static_cast<size_t>(w);
  const int32_t most = weaponMaxAmmo(w);
  if (ammo[slot] >= most) return false;
  ammo[slot] = truncRound(std::clamp(ammo[slot] + amount, 0.0, static_cast<double>(most)));
  return true;
}

bool TMan::takeAmmoPack(int32_t w) {
  return weaponExists(w) && addAmmo(w, weaponAmmoPack(w));
}

bool TMan::takeWeapon(int32_t w) {
  if (!weaponExists(w)) return false;
  // The weapon is owned even when its ammunition is already full.
  hasWeapon[static_cast<size_t>(w)] = 1;
  return addAmmo(w, weaponAmmoPack(w) / 2);
}

}  // namespace mv
