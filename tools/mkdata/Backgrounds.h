#pragma once
#include <string>
#include <string_view>

#include "Textures.h"
#include "common/ArtCanvas.h"

namespace mv::art {

constexpr int kBackgroundWidth = 800, kBackgroundHeight = 600;

// The screen-filling picture behind a level of the given theme, or the one named (the foundry's
// furnace hall, the arena): kept dark and low in contrast, so the fighters, pick-ups and shots stand out
// in front of it.
Canvas backgroundPicture(const Theme& theme, std::string_view name = {});
void writeBackgrounds(const std::string& gameDir);

}  // namespace mv::art
