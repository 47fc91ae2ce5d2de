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
// The eight frames of a pick-up from its picture (drawn with a pixel of room on every side): a dark
// outline and a rim of the kind's colour round it, so it reads on light and dark walls alike, and a
// shine (a glint running over it, then a star) while the game bobs it. Frame 0 is the plain item.
std::vector<Canvas> pickupFrames(const Canvas& base, Color rim);

}  // namespace mv::art
