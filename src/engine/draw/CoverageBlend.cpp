#include "engine/draw/CoverageBlend.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define MV_X86 1
#include <immintrin.h>
#endif

namespace mv {
namespace {

void rowScalar(uint16_t* d, const uint8_t* coverage, int count, uint16_t colour) {
  const int r = colour >> 11, g = (colour >> 5) & 63, b = colour & 31;
  for (int i = 0; i < count; ++i) {
    const int c = coverage[i];
    if (c == 0) continue;
    d[i] = c == 255 ? colour : blendCoverage(d[i], r, g, b, c);
  }
}

#ifdef MV_X86
// One channel in 16-bit lanes: d + (target - d) * c / 255 with the quotient truncated toward zero. The
// product fits 16 bits (63 * 255); its magnitude divided by 255 is (m * 0x8081) >> 23 for every 16-bit m.
inline __m128i channel128(__m128i d, __m128i target, __m128i c) {
  const __m128i product = _mm_mullo_epi16(_mm_sub_epi16(target, d), c);
  const __m128i sign = _mm_srai_epi16(product, 15);
  const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(product, sign), sign);
  const __m128i quotient = _mm_srli_epi16(_mm_mulhi_epu16(magnitude, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
  return _mm_add_epi16(d, _mm_sub_epi16(_mm_xor_si128(quotient, sign), sign));
}

inline __m128i blend8(__m128i d, __m128i c, __m128i r, __m128i g, __m128i b) {
  const __m128i sixBits = _mm_set1_epi16(63), fiveBits = _mm_set1_epi16(31);
  const __m128i nr = channel128(_mm_srli_epi16(d, 11), r, c);
  const __m128i ng = channel128(_mm_and_si128(_mm_srli_epi16(d, 5), sixBits), g, c);
  const __m128i nb = channel128(_mm_and_si128(d, fiveBits), b, c);
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(nr, 11), _mm_slli_epi16(ng, 5)), nb);
}

void rowSse2(uint16_t* d, const uint8_t* coverage, int count, uint16_t colour) {
  const __m128i r = _mm_set1_epi16(colour >> 11), g = _mm_set1_epi16((colour >> 5) & 63),
                b = _mm_set1_epi16(colour & 31), solid = _mm_set1_epi16(static_cast<short>(colour));
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi8(-1);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i c8 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage + i));
    const int empty = _mm_movemask_epi8(_mm_cmpeq_epi8(c8, zero)) & 0xFF;
    if (empty == 0xFF) continue;
    auto* at = reinterpret_cast<__m128i*>(d + i);
    if ((_mm_movemask_epi8(_mm_cmpeq_epi8(c8, full)) & 0xFF) == 0xFF) {
      _mm_storeu_si128(at, solid);
      continue;
    }
    _mm_storeu_si128(at, blend8(_mm_loadu_si128(at), _mm_unpacklo_epi8(c8, zero), r, g, b));
  }
  rowScalar(d + i, coverage + i, count - i, colour);
}

__attribute__((target("avx2"))) inline __m256i channel256(__m256i d, __m256i target, __m256i c) {
  const __m256i product = _mm256_mullo_epi16(_mm256_sub_epi16(target, d), c);
  const __m256i sign = _mm256_srai_epi16(product, 15);
  const __m256i magnitude = _mm256_sub_epi16(_mm256_xor_si256(product, sign), sign);
  const __m256i quotient =
      _mm256_srli_epi16(_mm256_mulhi_epu16(magnitude, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
  return _mm256_add_epi16(d, _mm256_sub_epi16(_mm256_xor_si256(quotient, sign), sign));
}

// Sixteen pixels a step; a run of thirty-two empty ones is passed over with one test.
__attribute__((target("avx2"))) void rowAvx2(uint16_t* d, const uint8_t* coverage, int count, uint16_t colour) {
  const __m256i r = _mm256_set1_epi16(colour >> 11), g = _mm256_set1_epi16((colour >> 5) & 63),
                b = _mm256_set1_epi16(colour & 31), solid = _mm256_set1_epi16(static_cast<short>(colour));
  const __m256i sixBits = _mm256_set1_epi16(63), fiveBits = _mm256_set1_epi16(31);
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi8(-1);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    if (i + 32 <= count && _mm256_testz_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(coverage + i)),
                                              _mm256_set1_epi8(-1))) {
      i += 16;
      continue;
    }
    const __m128i c16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coverage + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(c16, zero)) == 0xFFFF) continue;
    auto* at = reinterpret_cast<__m256i*>(d + i);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(c16, full)) == 0xFFFF) {
      _mm256_storeu_si256(at, solid);
      continue;
    }
    const __m256i c = _mm256_cvtepu8_epi16(c16), p = _mm256_loadu_si256(at);
    const __m256i nr = channel256(_mm256_srli_epi16(p, 11), r, c);
    const __m256i ng = channel256(_mm256_and_si256(_mm256_srli_epi16(p, 5), sixBits), g, c);
    const __m256i nb = channel256(_mm256_and_si256(p, fiveBits), b, c);
    _mm256_storeu_si256(at, _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(nr, 11), _mm256_slli_epi16(ng, 5)), nb));
  }
  rowSse2(d + i, coverage + i, count - i, colour);
}
#endif

}  // namespace

void blendCoverageRow(uint16_t* d, const uint8_t* coverage, int count, uint16_t colour, SimdLevel level) {
  if (count <= 0) return;
#ifdef MV_X86
  if (level == SimdLevel::Avx2 && simdLevelAvailable(SimdLevel::Avx2)) return rowAvx2(d, coverage, count, colour);
  if (level != SimdLevel::Scalar) return rowSse2(d, coverage, count, colour);
#endif
  rowScalar(d, coverage, count, colour);
}

}  // namespace mv
