#pragma once
// Building the current level from a level file, and the one-time mirroring of the fighters' pictures.

#include <string>

namespace mv {

struct LevelData;

// Loads the level file at `path`: the tile sheet and background pictures (image-list entries 0 and 1),
// both tile layers, the collision grid, the match's respawn points and the pick-ups. The file and both
// pictures are read and checked in full first, so a level that fails to load leaves the current one
// exactly as it was. The grid is cleared outside the new map and the previous tile layers are released.
void loadLevel(const std::string& path);

// The part of loadLevel after reading: applies an already checked level whose pictures are loaded.
void applyLevel(const LevelData& level);

// Makes each left-facing fighter picture (model + pose + "_L") the mirror image of its right-facing
// one ("_R") in the model list, for "Doom" and every other fighter model the list holds. The whole sheet is
// mirrored, so the order of the patterns within a row reverses too.
void mirrorModels();

}  // namespace mv
