#include "platform/Presentation.h"

#include <algorithm>
#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace mv {

Viewport letterbox(int surfaceWidth, int surfaceHeight, int outputWidth, int outputHeight) {
  Viewport v;
  if (surfaceWidth <= 0 || surfaceHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) return v;
  // Compare the ratios crosswise in 64 bits so no rounding decides which side gets the bars.
  int64_t wide = static_cast<int64_t>(outputWidth) * surfaceHeight;
  int64_t tall = static_cast<int64_t>(outputHeight) * surfaceWidth;
  if (wide >= tall) {
    v.height = outputHeight;
    v.width = static_cast<int>(static_cast<int64_t>(outputHeight) * surfaceWidth / surfaceHeight);
  } else {
    v.width = outputWidth;
    v.height = static_cast<int>(static_cast<int64_t>(outputWidth) * surfaceHeight / surfaceWidth);
  }
  v.x = (outputWidth - v.width) / 2;
  v.y = (outputHeight - v.height) / 2;
  return v;
}

Viewport wholeMultipleViewport(int surfaceWidth, int surfaceHeight, int outputWidth, int outputHeight) {
  if (surfaceWidth <= 0 || surfaceHeight <= 0) return {};
  const int factor = std::min(outputWidth / surfaceWidth, outputHeight / surfaceHeight);
  if (factor < 1) return letterbox(surfaceWidth, surfaceHeight, outputWidth, outputHeight);
  Viewport v;
  v.width = surfaceWidth * factor;
  v.height = surfaceHeight * factor;
  v.x = (outputWidth - v.width) / 2;
  v.y = (outputHeight - v.height) / 2;
  return v;
}

void outputToSurface(const Viewport& view, int surfaceWidth, int surfaceHeight, int outX, int outY, int& x,
                     int& y) {
  if (view.width <= 0 || view.height <= 0 || surfaceWidth <= 0 || surfaceHeight <= 0) {
    x = y = 0;
    return;
  }
  auto map = [](int out, int origin, int extent, int size) {
    int64_t v = static_cast<int64_t>(out - origin) * size;
    // Floor, not truncation, so a point just left of the picture maps outside it before clamping.
    int64_t q = v >= 0 ? v / extent : -((-v + extent - 1) / extent);
    return static_cast<int>(std::clamp<int64_t>(q, 0, size - 1));
  };
  x = map(outX, view.x, view.width, surfaceWidth);
  y = map(outY, view.y, view.height, surfaceHeight);
}

namespace {

// Each channel widened with its high bits repeated into the low ones is the channel times 33 / 4 (five
// bits) or 65 / 16 (six bits): one high-half multiply with the channel at the top of its 16-bit lane.
// Then blue and green pair up in one 16-bit half and red with the opaque alpha in the other.
constexpr short kRed = static_cast<short>(0xF800), kGreen = 0x07E0, kFiveBits = 33 * 8, kSixBits = 65 * 128,
                kOpaque = static_cast<short>(0xFF00);

int convertSse2(const uint16_t* source, uint32_t* target, int count) {
  int i = 0;
#ifdef __SSE2__
  const __m128i red = _mm_set1_epi16(kRed), green = _mm_set1_epi16(kGreen), fiveBits = _mm_set1_epi16(kFiveBits),
                sixBits = _mm_set1_epi16(kSixBits), opaque = _mm_set1_epi16(kOpaque);
  for (; i + 8 <= count; i += 8) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i r = _mm_mulhi_epu16(_mm_and_si128(p, red), fiveBits);
    const __m128i g = _mm_mulhi_epu16(_mm_and_si128(p, green), sixBits);
    const __m128i b = _mm_mulhi_epu16(_mm_slli_epi16(p, 11), fiveBits);
    const __m128i blueGreen = _mm_or_si128(b, _mm_slli_epi16(g, 8));
    const __m128i redAlpha = _mm_or_si128(r, opaque);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), _mm_unpacklo_epi16(blueGreen, redAlpha));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i + 4), _mm_unpackhi_epi16(blueGreen, redAlpha));
  }
#endif
  return i;
}

#if defined(__x86_64__) || defined(__i386__)
#define MV_X86 1
// The same sixteen pixels a step. The pairing works within each 128-bit half, so the halves are put back
// in order before the stores.
__attribute__((target("avx2"))) int convertAvx2(const uint16_t* source, uint32_t* target, int count) {
  int i = 0;
  const __m256i red = _mm256_set1_epi16(kRed), green = _mm256_set1_epi16(kGreen),
                fiveBits = _mm256_set1_epi16(kFiveBits), sixBits = _mm256_set1_epi16(kSixBits),
                opaque = _mm256_set1_epi16(kOpaque);
  for (; i + 16 <= count; i += 16) {
    const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
    const __m256i r = _mm256_mulhi_epu16(_mm256_and_si256(p, red), fiveBits);
    const __m256i g = _mm256_mulhi_epu16(_mm256_and_si256(p, green), sixBits);
    const __m256i b = _mm256_mulhi_epu16(_mm256_slli_epi16(p, 11), fiveBits);
    const __m256i blueGreen = _mm256_or_si256(b, _mm256_slli_epi16(g, 8));
    const __m256i redAlpha = _mm256_or_si256(r, opaque);
    const __m256i low = _mm256_unpacklo_epi16(blueGreen, redAlpha), high = _mm256_unpackhi_epi16(blueGreen, redAlpha);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i), _mm256_permute2x128_si256(low, high, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i + 8), _mm256_permute2x128_si256(low, high, 0x31));
  }
  return i;
}
#endif

}  // namespace

bool presentationUsesAvx2() {
#ifdef MV_X86
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

void convertRow565To8888(const uint16_t* source, uint32_t* target, int count, bool avx2) {
  int i = 0;
#ifdef MV_X86
  if (avx2 && presentationUsesAvx2()) i = convertAvx2(source, target, count);
#endif
  i += convertSse2(source + i, target + i, count - i);
  for (; i < count; ++i) target[i] = rgb565ToArgb8888(source[i]);
}

void convertFrame565To8888(const uint16_t* source, int width, int height, int pitch, void* target,
                           int targetPitch) {
  const bool avx2 = presentationUsesAvx2();
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(target) + static_cast<ptrdiff_t>(y) * targetPitch;
    convertRow565To8888(source + static_cast<ptrdiff_t>(y) * pitch, reinterpret_cast<uint32_t*>(row), width, avx2);
  }
}

}  // namespace mv
