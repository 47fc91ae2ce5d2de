#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ArtItem.h"

namespace mv::art {

// The image archive holding the items, in order, as the game's loader reads it.
std::vector<uint8_t> archiveBytes(const std::vector<ArtItem>& items);
void writeGraphics(const std::string& gameDir);
void writeModels(const std::string& gameDir);

}  // namespace mv::art
