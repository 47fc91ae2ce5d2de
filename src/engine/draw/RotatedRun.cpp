#include "engine/draw/RotatedRun.h"

#include "engine/draw/Blit.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mv {

// blend565 on 16-bit lanes: every product and sum stays below 2^16 (at most 63 * 255).
void blendSpan(uint16_t* row, const uint16_t* samples, const uint16_t* keep, int count, int alpha, int key) {
  int i = 0;
#ifdef __SSE2__
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha)), inverse = _mm_set1_epi16(static_cast<short>(255 - alpha));
  const __m128i five = _mm_set1_epi16(0x1F), six = _mm_set1_epi16(0x3F);
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
  for (; i + 8 <= count; i += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    __m128i m = keep ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + i)) : _mm_setzero_si128();
    if (key >= 0) m = _mm_or_si128(m, _mm_cmpeq_epi16(s, keys));
    // Most of a body's box is its colour key (a corpse lies in a box twice its width).
    if (_mm_movemask_epi8(m) == 0xFFFF) continue;
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
