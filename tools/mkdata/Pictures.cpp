#include "Pictures.h"

#include "Textures.h"

namespace mv::art {

std::vector<ArtItem> graphicsItems() {
  std::vector<ArtItem> items;
  // Slots 0 and 1 belong to the level: the loader puts its tile sheet and its background into them,
  // keeping these pattern settings (16 x 16 tiles keyed on fuchsia; one opaque picture).
  items.push_back({"Textures", tileSheet(theme(0)).crop(kTile, 0, kTile, kTile), kTile, kTile});
  items.push_back({"Background", Canvas(16, 16, rgb(0, 0, 0)), 0, 0, false});
  addMenuPictures(items);
  addHudPictures(items);
  addWeaponPictures(items);
  addProjectilePictures(items);
  addEffectPictures(items);
  return items;
}

}  // namespace mv::art
