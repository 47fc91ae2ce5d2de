#pragma once
// The software blitters behind every picture drawing operation. All clip to both surfaces and never
// touch a pixel outside them.

#include <cstdint>

#include "engine/draw/Geometry.h"
#include "engine/draw/Surface.h"

namespace mv {

// Unscaled copy of srcRect to (x, y); pixels equal to the source's colour key are skipped when keyed.
void blitCopy(TSurface& dest, int x, int y, const TSurface& source, const TRect& srcRect, bool keyed);

// srcRect scaled into destRect by nearest sampling in 16.16 steps of (source size * 65536) div
// destination size, starting at the source rectangle's top-left.
void blitStretch(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
                 bool keyed);

// As blitStretch, blending every drawn pixel with opacity alpha (nothing drawn for alpha <= 0, plain
// copy for alpha >= 255).
void blitAlpha(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
               bool keyed, int alpha);

// One 5-6-5 pixel blended over another: each channel (s * alpha + d * (255 - alpha)) div 256.
uint16_t blend565(uint16_t source, uint16_t dest, int alpha);

}  // namespace mv
