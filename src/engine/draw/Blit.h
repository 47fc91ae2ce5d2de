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

// One 5-6-5 pixel blended over another, alpha 0..255: each channel widened to 8 bits by zeros,
// (s * alpha + d * (255 - alpha)) div 256, narrowed again by dropping the low bits. The widening and the
// narrowing cancel, so each channel is (s * alpha + d * (255 - alpha)) div 256 on the 5- and 6-bit values
// themselves, and the three are worked out at once, spread 16 bits apart in one 64-bit number.
inline uint16_t blend565(uint16_t source, uint16_t dest, int alpha) {
  auto spread = [](uint64_t p) { return (p & 0x001F) | ((p & 0xF800) << 5) | ((p & 0x07E0) << 27); };
  const uint64_t x = spread(source) * static_cast<uint64_t>(alpha) + spread(dest) * static_cast<uint64_t>(255 - alpha);
  return static_cast<uint16_t>((((x >> 24) & 0x1F) << 11) | (((x >> 40) & 0x3F) << 5) | ((x >> 8) & 0x1F));
}

}  // namespace mv
