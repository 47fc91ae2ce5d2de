#pragma once
// The sharp scaling as first written: the frame converted whole, then every screen pixel of a scaled row
// blended one at a time. The vector scaler must give the very same pixels.

#include <cstdint>

namespace mv {

void plainSharpScale(const uint16_t* source, int sourceWidth, int sourceHeight, int sourcePitch, uint32_t* target,
                     int targetWidth, int targetHeight, int targetPitch);

}  // namespace mv
