#pragma once
#include <vector>

#include "ArtItem.h"

namespace mv::art {

// Every picture of "SYSTEM\graphics.dat", in archive order: the level's tile sheet and background
// slots first (the level loader refills items 0 and 1), then the interface, HUD, weapon, projectile
// and effect pictures.
std::vector<ArtItem> graphicsItems();
// Every picture of "SYSTEM\models.dat": the fighter's poses, both sides, and its gibs.
std::vector<ArtItem> modelItems();

// The groups graphicsItems() is made of.
void addMenuPictures(std::vector<ArtItem>& items);
void addHudPictures(std::vector<ArtItem>& items);
void addWeaponPictures(std::vector<ArtItem>& items);
void addProjectilePictures(std::vector<ArtItem>& items);
void addEffectPictures(std::vector<ArtItem>& items);

// Lays the patterns out side by side in one row.
Canvas strip(const std::vector<Canvas>& frames);
// Brightens a diagonal band of the opaque pixels; t from 0 to 1 sweeps it across the picture.
void glint(Canvas& canvas, double t);

}  // namespace mv::art
