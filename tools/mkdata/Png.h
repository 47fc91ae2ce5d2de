#pragma once
#include <string>

#include "common/ArtCanvas.h"

namespace mv::art {

// A PNG file of the canvas, 8-bit RGBA. The pixels go in stored (uncompressed) deflate blocks, so no
// compression library is needed; the package they travel in is compressed as a whole.
std::string pngFile(const Canvas& canvas);

}  // namespace mv::art
