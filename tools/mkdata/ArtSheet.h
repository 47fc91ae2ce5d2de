#pragma once
#include <string>
#include <vector>

#include "ArtItem.h"

namespace mv::art {

// A contact sheet for looking at the art: every item's name and its patterns side by side on a grey
// checkerboard (so the transparent parts show), small patterns doubled, sheets wider than maxWidth
// wrapped onto more rows.
Canvas contactSheet(const std::vector<ArtItem>& items, int maxWidth = 1200);
// A binary PPM file of the canvas composed over black (a format every image viewer reads).
std::string ppmFile(const Canvas& canvas);

}  // namespace mv::art
