#pragma once
#include <string>
#include <vector>

#include "LevelMaps.h"
#include "common/LevelFile.h"

namespace mv {

// Turns a drawn map into a level: collision cells, tiles chosen from the neighbourhood, objects.
// Throws mv::Error for an unknown map character or ragged rows.
tools::Level levelFromMap(const LevelMap& map);

// Writes every level to gameDir/Maps/<file>.lvx; a level that fails the playability check stops the
// build with the problems listed.
void writeLevels(const std::string& gameDir);

}  // namespace mv
