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
    // Lying on the floor: the same gun with a glint running over it, drawn a little larger so it is
    // easy to spot.
    Canvas gun = weaponPicture(w, 1.15);
    std::vector<Canvas> frames;
    for (int f = 0; f < 8; ++f) {
      Canvas frame(gun.width() + 2, gun.height() + 2);
      frame.draw(gun, 1, 1);
      if (f < 4) glint(frame, f / 3.0);
      frames.push_back(frame);
    }
    items.push_back(
        {"Weapon" + std::to_string(w) + "Item", strip(frames), gun.width() + 2, gun.height() + 2});
  }
}

}  // namespace mv::art
