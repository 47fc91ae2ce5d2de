#pragma once
// Text's edges: a glyph's 8-bit coverage laid over 5-6-5 pixels in the font colour, channel by channel,
// as the text canvas has always drawn it. Full coverage gives the colour, none leaves the pixel.

#include <cstdint>

#include "platform/Simd.h"

namespace mv {

// Each channel moves towards the colour's by coverage / 255, the quotient truncated toward zero.
inline uint16_t blendCoverage(uint16_t d, int r, int g, int b, int c) {
  const int dr = d >> 11, dg = (d >> 5) & 63, db = d & 31;
  const int nr = dr + ((r - dr) * c) / 255, ng = dg + ((g - dg) * c) / 255, nb = db + ((b - db) * c) / 255;
  return static_cast<uint16_t>((nr << 11) | (ng << 5) | nb);
}

// blendCoverage over count pixels of a row with their coverage bytes. Stretches without coverage are
// passed over a vector at a time and fully covered ones filled, so most of a line of text costs little.
void blendCoverageRow(uint16_t* d, const uint8_t* coverage, int count, uint16_t colour,
                      SimdLevel level = bestSimdLevel());

}  // namespace mv
