#pragma once
#include <string>
#include <vector>

#include "LevelMaps.h"
#include "common/LevelFile.h"

namespace mv {

// The view a fighter has of the level when it enters, centred on it: 800 x 600 pixels.
constexpr int kViewWidth = 800, kViewHeight = 600;

// The map with solid rock round it, as thick on each side as it takes for the view of a fighter
// entering at any respawn point to lie wholly inside the level: nobody enters looking at the void.
std::vector<std::string> framedRows(const std::vector<std::string>& rows);

// Turns a drawn map into a level: framed, collision cells, tiles chosen from the neighbourhood and the
// theme, objects. Throws mv::Error for an unknown map character or ragged rows.
tools::Level levelFromMap(const LevelMap& map);

// Writes every level to gameDir/Maps/<file>.lvx; a level that fails the playability check stops the
// build with the problems listed.
void writeLevels(const std::string& gameDir);

}  // namespace mv
