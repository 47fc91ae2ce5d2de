#include "platform/Simd.h"

namespace mv {

bool simdLevelAvailable(SimdLevel level) {
  switch (level) {
    case SimdLevel::Scalar:
      return true;
#if defined(__x86_64__) || defined(__i386__)
    case SimdLevel::Sse2:
      return true;
    case SimdLevel::Avx2:
      return __builtin_cpu_supports("avx2");
#endif
    default:
      return false;
  }
}

SimdLevel bestSimdLevel() {
  if (simdLevelAvailable(SimdLevel::Avx2)) return SimdLevel::Avx2;
  if (simdLevelAvailable(SimdLevel::Sse2)) return SimdLevel::Sse2;
  return SimdLevel::Scalar;
}

}  // namespace mv
