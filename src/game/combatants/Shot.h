#pragma once
// A projectile: a physics body that flies straight (flak under gravity), hits fighters, and at the
// level ricochets, bounces or explodes. Explosions push and hurt everyone within their radius. The
// Redeemer follows its living human owner's aim and carries his view along.

#include <cstdint>
#include <string>

#include "game/combatants/WeaponTable.h"
#include "game/world/PhyzObj.h"

namespace mv {

class TMan;

class TShot : public TPhyzObj {
 public:
  explicit TShot(TSprite* parent);

  // Takes the weapon's row of the table (energy gun at `level`) and the picture's size, at (px, py).
  // Throws "Image '%s' not found" before changing anything when the picture is missing, and does
  // nothing for a weapon that does not exist.
  void launch(double px, double py, int32_t weapon, int32_t level = kEnergyMinLevel);
  // The same from a row already at hand; the picture must exist.
  void launch(double px, double py, const ProjectileRow& row);
  // Degrees, 0 up, 90 right; the velocity follows.
  void setDirection(int32_t d);

  void moveSelf(int moveCount) override;
  void hitFighters();
  void explode();

  int32_t direction = 0;
  int32_t damage = 0;
  double speed = 0;  // units of 0.2 pixels per millisecond
  double knock = 0;
  TMan* owner = nullptr;  // none for a shot nobody fired; receives the frags
  int32_t weaponNumber = 0;
  int32_t splashRadius = 0;
  int32_t flameTimer = 0;
  int32_t flightSoundTimer = 0;
  int32_t maxBounces = 0;
  int32_t bounces = 0;
  int32_t gibThreshold = 0;
  uint8_t hitKind = 0;
  std::string ricochetImage = "Rickoshet";
  std::string bounceSound;
  std::string explosionImage, explosionSound;
  bool explosive = false;
  bool bounced = false;  // from the first bounce on it can hit its owner too
  bool exploded = false;
  bool guided = false;

 protected:
  // The one place a projectile hurts a fighter.
  virtual void strike(TMan& victim, int32_t damage, uint8_t kind, int32_t hitY, int32_t knock,
                      int32_t gibThreshold);

 private:
  void steer();
  void flightEffects(int moveCount);
  void touchLevel();
  bool touchesLevel() const;
  bool outsideGrid() const;
  double centreX() const { return x + width / 2.0; }
  double centreY() const { return y + height / 2.0; }
};

}  // namespace mv
