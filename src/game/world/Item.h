#pragma once
// A pick-up lying in the level: health, armour, a weapon or ammunition. A placed one hovers, is taken by
// a living fighter who touches it and comes back after a delay that depends on its kind, fading in. A
// weapon dropped by a dying fighter falls to the ground instead, and is gone for good once taken.

#include <cstdint>
#include <string>

#include "game/world/PhyzObj.h"

namespace mv {

class TSprite;

class TItem : public TPhyzObj {
 public:
  explicit TItem(TSprite* parent);

  // (x, y): top-left corner in world pixels. The kind is also the name of its picture. A kind that could
  // never be taken (see checkPickupKind) or has no picture is refused before anything changes.
  void place(int32_t x, int32_t y, bool dropped, const std::string& kind);
  void moveSelf(int moveCount) override;
  // Gives the pick-up to the match's living fighters who touch it, in list order.
  void pickUpCheck();

  std::string kind;
  double bobOffset = 0;  // current lift of the hovering, 0 .. 10 pixels
  double baseY = 0;      // the y it was placed at
  bool bobUp = true;
  int32_t respawnDelay = 0;  // move passes until it is back; 0 while present
  bool dropped = false;

 private:
  bool sunkInLethal() const;
};

// Refuses a "Weapon" or "Ammo" kind that is not followed by a weapon number 0 .. 7, with
// "'<char>' is not a valid integer value": better at level load than every time a fighter touches it.
// Other kinds are accepted (a kind no rule matches is a decoration nobody can take).
void checkPickupKind(const std::string& kind);

// A new pick-up under parent, created only once its kind and picture are known to be good, so a refused
// kind leaves no sprite behind. A dropped one past the limit (two per fighter, at least 16) kills the oldest dropped one.
TItem* createItem(TSprite* parent, int32_t x, int32_t y, bool dropped, const std::string& kind);

// The level loader's seam: a placed pick-up under the sprite engine root.
void placeLevelPickup(const std::string& kind, int32_t x, int32_t y);

}  // namespace mv
