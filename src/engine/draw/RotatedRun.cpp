#include "engine/draw/RotatedRun.h"

#include "engine/draw/Blit.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/Simd.h"

namespace mv {

namespace {

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) inline __m256i channel(__m256i s, __m256i d, __m256i a, __m256i inverse) {
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(d, inverse)), 8);
}

// Sixteen pixels at a time where the processor has AVX2, the same arithmetic as the SSE2 loop below.
__attribute__((target("avx2"))) int blendAvx2(uint16_t* row, const uint16_t* samples, const uint16_t* keep,
                                               int count, int alpha, int key) {
  const __m256i a = _mm256_set1_epi16(static_cast<short>(alpha));
  const __m256i inverse = _mm256_set1_epi16(static_cast<short>(255 - alpha));
  const __m256i five = _mm256_set1_epi16(0x1F), six = _mm256_set1_epi16(0x3F);
  const __m256i keys = _mm256_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(samples + i));
    __m256i m = keep ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(keep + i)) : _mm256_setzero_si256();
    if (key >= 0) m = _mm256_or_si256(m, _mm256_cmpeq_epi16(s, keys));
    if (_mm256_movemask_epi8(m) == -1) continue;
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
    const __m256i r = channel(_mm256_srli_epi16(s, 11), _mm256_srli_epi16(d, 11), a, inverse);
    const __m256i g = channel(_mm256_and_si256(_mm256_srli_epi16(s, 5), six),
                              _mm256_and_si256(_mm256_srli_epi16(d, 5), six), a, inverse);
    const __m256i b = channel(_mm256_and_si256(s, five), _mm256_and_si256(d, five), a, inverse);
    const __m256i blended = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i), _mm256_blendv_epi8(blended, d, m));
  }
  return i;
}

const bool kAvx2 = simdLevelAvailable(SimdLevel::Avx2);
#endif

}  // namespace

// blend565 on 16-bit lanes: every product and sum stays below 2^16 (at most 63 * 255).
void blendSpan(uint16_t* row, const uint16_t* samples, const uint16_t* keep, int count, int alpha, int key) {
  int i = 0;
#if defined(__x86_64__) || defined(__i386__)
  if (kAvx2 && count >= 16) i = blendAvx2(row, samples, keep, count, alpha, key);
#endif
#ifdef __SSE2__
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha)), inverse = _mm_set1_epi16(static_cast<short>(255 - alpha));
  const __m128i five = _mm_set1_epi16(0x1F), six = _mm_set1_epi16(0x3F);
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
  for (; i + 8 <= count; i += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i));
    __m128i m = keep ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + i)) : _mm_setzero_si128();
    if (key >= 0) m = _mm_or_si128(m, _mm_cmpeq_epi16(s, keys));
    // Most of a body's box is its colour key (a corpse lies in a box twice its width).
    if (_mm_movemask_epi8(m) == 0xFFFF) continue;
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    auto channel = [&](__m128i sc, __m128i dc) {
      return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(sc, a), _mm_mullo_epi16(dc, inverse)), 8);
    };
    const __m128i r = channel(_mm_srli_epi16(s, 11), _mm_srli_epi16(d, 11));
    const __m128i g = channel(_mm_and_si128(_mm_srli_epi16(s, 5), six), _mm_and_si128(_mm_srli_epi16(d, 5), six));
    const __m128i b = channel(_mm_and_si128(s, five), _mm_and_si128(d, five));
    const __m128i blended = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i),
                     _mm_or_si128(_mm_andnot_si128(m, blended), _mm_and_si128(m, d)));
  }
#endif
  for (; i < count; ++i)
    if (!(keep && keep[i]) && samples[i] != key) row[i] = blend565(samples[i], row[i], alpha);
}

}  // namespace mv
