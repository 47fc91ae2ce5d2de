#pragma once
#include "common/ArtCanvas.h"

namespace mv::art {

constexpr int kWeaponCount = 8;

// The size of a weapon drawn at scale 1, the size the fighter holds it at.
struct WeaponSize {
  int width, height;
};
WeaponSize weaponSize(int weapon);

// Weapon 0..7 facing right, its grip at one fifth of the width from the back end and on the middle
// line, outlined; the canvas is the scaled size.
Canvas weaponPicture(int weapon, double scale = 1.0);
// The same gun as a fighter holds it: a gloved hand round the grip and another under the barrel, so
// the hands turn with the gun at every aim and the fighter's arms reach them at the grip.
Canvas heldWeaponPicture(int weapon);

}  // namespace mv::art
