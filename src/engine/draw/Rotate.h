#pragma once
// Rotated, scaled drawing of a source rectangle by the 256-step cosine table.

#include <array>
#include <cstdint>

#include "engine/draw/Geometry.h"
#include "engine/draw/Surface.h"

namespace mv {

// cos(i * 2 pi / 256); the sine of i is entry (i + 192) mod 256.
const std::array<double, 256>& cosineTable();

// The source rectangle scaled to width x height, turned by angle (256 units a turn, clockwise on the
// screen) about (centerX * width, centerY * height) of the scaled picture, which lands on (x, y).
// alpha >= 255 copies, alpha <= 0 draws nothing, otherwise blends.
void blitRotate(TSurface& dest, int x, int y, int width, int height, const TSurface& source,
                const TRect& srcRect, bool keyed, double centerX, double centerY, int angle, int alpha);

}  // namespace mv
