#include <string>

#include "Palette.h"
#include "Pictures.h"
#include "WeaponArt.h"

namespace mv::art {

void addWeaponPictures(std::vector<ArtItem>& items) {
  for (int w = 0; w < kWeaponCount; ++w) {
    // Held: pattern 0 faces left, pattern 1 right. Mirroring moves the grip from one fifth of the
    // width to four fifths, the centre the fighter turns the left-facing gun about.
    Canvas right = heldWeaponPicture(w);
    items.push_back(
        {"Weapon" + std::to_string(w), strip({right.mirrored(), right}), right.width(), right.height()});
  }
  for (int w = 0; w < kWeaponCount; ++w) {
    // Lying on the floor: the gun with room round it for the pick-up's rim and shine.
    Canvas gun = weaponPicture(w);
    Canvas framed(gun.width() + 4, gun.height() + 4);
    framed.draw(gun, 2, 2);
    items.push_back({"Weapon" + std::to_string(w) + "Item", strip(pickupFrames(framed, kWeaponRim)),
                     framed.width(), framed.height()});
  }
}

}  // namespace mv::art
