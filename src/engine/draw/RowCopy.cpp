#include "engine/draw/RowCopy.h"

#if defined(__x86_64__) || defined(__i386__)
#define MV_X86 1
#include <immintrin.h>
#endif

namespace mv {
namespace {

inline void keyedScalar(uint16_t* __restrict d, const uint16_t* __restrict s, int count, uint16_t key) {
  for (int i = 0; i < count; ++i) d[i] = s[i] == key ? d[i] : s[i];
}

void rowsScalar(uint16_t* d, int dp, const uint16_t* s, int sp, int w, int h, uint16_t key) {
  for (int row = 0; row < h; ++row, d += dp, s += sp) keyedScalar(d, s, w, key);
}

#ifdef MV_X86
// A row shorter than a vector is done pixel by pixel; a longer one ends with a vector that overlaps the
// previous one, which is harmless: a keyed copy done twice over the same pixels gives the same pixels.
// The SSE2 loop is two vectors a step: one vector a step leaves it bound by instruction count, not by
// memory, at about 1.7 times a memcpy.
inline __m128i select128(__m128i s, __m128i d, __m128i keys) {
  const __m128i keyed = _mm_cmpeq_epi16(s, keys);
  return _mm_xor_si128(s, _mm_and_si128(keyed, _mm_xor_si128(s, d)));
}

inline void keyed8(uint16_t* d, const uint16_t* s, __m128i keys) {
  const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), select128(src, dst, keys));
}

void rowsSse2(uint16_t* d, int dp, const uint16_t* s, int sp, int w, int h, uint16_t key) {
  if (w < 8) return rowsScalar(d, dp, s, sp, w, h, key);
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
  for (int row = 0; row < h; ++row, d += dp, s += sp) {
    int i = 0;
    for (; i + 16 <= w; i += 16) {
      keyed8(d + i, s + i, keys);
      keyed8(d + i + 8, s + i + 8, keys);
    }
    if (i + 8 <= w) keyed8(d + i, s + i, keys), i += 8;
    if (i < w) keyed8(d + w - 8, s + w - 8, keys);
  }
}

__attribute__((target("avx2"))) inline void keyed16(uint16_t* d, const uint16_t* s, __m256i keys) {
  const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
  const __m256i dst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(d),
                      _mm256_blendv_epi8(src, dst, _mm256_cmpeq_epi16(src, keys)));
}

__attribute__((target("avx2"))) void rowsAvx2(uint16_t* d, int dp, const uint16_t* s, int sp, int w, int h,
                                               uint16_t key) {
  if (w < 16) return rowsSse2(d, dp, s, sp, w, h, key);
  const __m256i keys = _mm256_set1_epi16(static_cast<short>(key));
  for (int row = 0; row < h; ++row, d += dp, s += sp) {
    int i = 0;
    for (; i + 32 <= w; i += 32) {
      keyed16(d + i, s + i, keys);
      keyed16(d + i + 16, s + i + 16, keys);
    }
    if (i + 16 <= w) keyed16(d + i, s + i, keys), i += 16;
    if (i < w) keyed16(d + w - 16, s + w - 16, keys);
  }
}
#endif

}  // namespace

void copyRowsKeyed(uint16_t* d, int destPitch, const uint16_t* s, int sourcePitch, int w, int h,
                   uint16_t key, SimdLevel level) {
  if (w <= 0 || h <= 0) return;
#ifdef MV_X86
  if (level == SimdLevel::Avx2 && simdLevelAvailable(SimdLevel::Avx2))
    return rowsAvx2(d, destPitch, s, sourcePitch, w, h, key);
  if (level != SimdLevel::Scalar) return rowsSse2(d, destPitch, s, sourcePitch, w, h, key);
#endif
  rowsScalar(d, destPitch, s, sourcePitch, w, h, key);
}

}  // namespace mv
