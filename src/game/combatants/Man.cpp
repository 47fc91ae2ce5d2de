#include "game/combatants/Man.h"

namespace mv {

TMan::TMan(TSprite* parent) : TPhyzObj(parent) {
  alpha = 255;
  collidable = false;
  frags = 0;
  x = y = 0;
  visible = false;
  pixelCollision = true;
}

void TMan::setModel(const std::string& model) { modelName = model; }
void TMan::command(int32_t) {}
void TMan::turn(int32_t side) {
  if (side != facing) aimAngle = -aimAngle;
  facing = static_cast<uint8_t>(side);
}
bool TMan::canWalk(int32_t) const { return true; }
void TMan::updateImage() {}
void TMan::respawn() {}
void TMan::respawnAt(double px, double py) {
  x = px;
  y = py;
  health = 100;
  visible = true;
}
void TMan::moveSelf(int moveCount) { TPhyzObj::moveSelf(moveCount); }
void TMan::drawSelf() { TImageSpriteEx::drawSelf(); }
TPoint TMan::laserEnd() const { return {}; }

int32_t TMan::getAmmo(int32_t w) const { return w < 0 || w >= kAmmoSlots ? -2 : ammo[static_cast<size_t>(w)]; }
void TMan::setAmmo(int32_t w, int32_t v) {
  if (w >= 0 && w < kAmmoSlots) ammo[static_cast<size_t>(w)] = v;
}
uint8_t TMan::getHasWeapon(int32_t w) const {
  return w < 0 || w >= kAmmoSlots ? 0 : hasWeapon[static_cast<size_t>(w)];
}
void TMan::setHasWeapon(int32_t w, uint8_t v) {
  if (w >= 0 && w < kAmmoSlots) hasWeapon[static_cast<size_t>(w)] = v;
}

}  // namespace mv
