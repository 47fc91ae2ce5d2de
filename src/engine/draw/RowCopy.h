#pragma once
// The row loops under every unscaled blit: the colour-keyed copy of a block of rows, in the widest
// vectors the processor has.

#include <cstdint>

#include "platform/Simd.h"

namespace mv {

// h rows of w pixels from s to d; pixels equal to key leave the destination as it was. The two blocks
// must not overlap.
void copyRowsKeyed(uint16_t* d, int destPitch, const uint16_t* s, int sourcePitch, int w, int h,
                   uint16_t key, SimdLevel level = bestSimdLevel());

}  // namespace mv
