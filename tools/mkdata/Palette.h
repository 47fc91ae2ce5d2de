#pragma once
#include "common/ArtCanvas.h"

namespace mv::art {

// The shared palette: gunmetal and rust for the arena, warning colours for the things that matter.
constexpr Color kOutline = rgb(14, 12, 16);
constexpr Color kGunSteel = rgb(128, 136, 148);
constexpr Color kGunDark = rgb(58, 62, 70);
constexpr Color kWoodBrown = rgb(112, 72, 40);
constexpr Color kOliveDrab = rgb(96, 108, 60);
constexpr Color kRustOrange = rgb(176, 92, 40);
constexpr Color kHazardYellow = rgb(236, 196, 32);
constexpr Color kBelt = rgb(96, 72, 40);
constexpr Color kWarheadRed = rgb(200, 36, 28);
constexpr Color kEnergyCyan = rgb(90, 230, 255);
constexpr Color kLaserRed = rgb(255, 40, 30);
constexpr Color kDiskBlue = rgb(70, 140, 255);
constexpr Color kArmorGreen = rgb(80, 150, 60);
constexpr Color kBlood = rgb(150, 10, 12);
constexpr Color kBloodDark = rgb(90, 4, 6);
constexpr Color kFlesh = rgb(196, 92, 80);
constexpr Color kBone = rgb(226, 216, 190);
// The rims of the pick-ups, one colour per kind.
constexpr Color kWeaponRim = rgb(255, 232, 150);
constexpr Color kAmmoRim = rgb(255, 196, 90);
constexpr Color kHealthRim = rgb(255, 150, 150);
// Armour is steel, not the green of the classic fighter's plates: its rim a cold silver, apart from the
// megahealth's blue and the weapons' yellow.
constexpr Color kArmorRim = rgb(226, 232, 244);
constexpr Color kArmorSteel = rgb(132, 144, 164);
constexpr Color kMegaRim = rgb(150, 210, 255);
constexpr Color kHudPanel = rgb(34, 38, 46);
constexpr Color kHudEdge = rgb(98, 110, 128);

}  // namespace mv::art
