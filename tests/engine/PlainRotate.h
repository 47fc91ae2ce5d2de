#pragma once
// The rotated blit as first written: every pixel of the bounding box mapped back into the picture in
// doubles and tested. The optimised one must give the very same pixels.

#include "engine/draw/Geometry.h"
#include "engine/draw/Surface.h"

namespace mv {

void plainBlitRotate(TSurface& dest, int x, int y, int width, int height, const TSurface& source,
                     const TRect& srcRect, bool keyed, double centerX, double centerY, int angle, int alpha);

}  // namespace mv
