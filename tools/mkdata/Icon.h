#pragma once
#include <string>

#include "common/ArtCanvas.h"

namespace mv::art {

// The game's icon for menus and launchers at size x size pixels: a lightning bolt across a red sight
// on a gunmetal plate, drawn for each size rather than scaled, so the small ones stay sharp.
Canvas drawIcon(int size);

// Writes dir/<n>x<n>/apps/mashvolt.png for 48, 128 and 256, the icon theme's layout.
void writeIcons(const std::string& dir);

}  // namespace mv::art
