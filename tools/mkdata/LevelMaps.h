#pragma once
// The game's levels, drawn one character per cell:
//   '#' solid   '=' platform (stands from above, jumps through from below)   '^' lethal
//   '.' open air over the background picture   ':' open air in front of a back wall
//   'R' respawn point: the left of the two columns a fighter stands in, at the row of its feet
//   '+' Health25   'M' Health200   'A' Armor
//   '0'..'7' weapons 0..7 (kind Weapon<d>Item, the picture of a gun lying on the floor)
//   'a'..'h' Ammo0..Ammo7 (a = 0, b = 1, ... h = 7)
// Pick-ups sit in their cell, resting on what is below.

#include <string>
#include <vector>

#include "LevelDecor.h"

namespace mv {

struct LevelMap {
  std::string file;        // Maps/<file>.lvx
  std::string title;       // shown nowhere by the game; the first line of the file
  std::string texture;     // tile sheet name
  std::string background;  // background picture name
  std::vector<std::string> rows;
  Hazard hazard = Hazard::SheetLiquid;  // what the lethal cells are drawn as
};

std::vector<LevelMap> levelMaps();

// The large level, kept in a file of its own.
LevelMap canyonMap();
// The Hotseat level and the steel mill.
LevelMap faceoffMap();
LevelMap foundryMap();

}  // namespace mv
