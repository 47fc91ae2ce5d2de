#pragma once
// Screenshots: a rectangle of a surface saved as a Windows bitmap file.

#include <string>

#include "engine/draw/Geometry.h"
#include "engine/draw/Surface.h"

namespace mv {

// The rectangle clipped to the surface, saved as a 24-bit bottom-up bitmap file.
void saveBitmapFile(const TSurface& surface, const TRect& rect, const std::string& path);

}  // namespace mv
