#pragma once
// The instruction sets the pixel loops come in. The build targets any x86-64 (SSE2); the AVX2 loops are
// chosen at run time where the processor has them.

namespace mv {

enum class SimdLevel { Scalar, Sse2, Avx2 };

bool simdLevelAvailable(SimdLevel level);
SimdLevel bestSimdLevel();

}  // namespace mv
