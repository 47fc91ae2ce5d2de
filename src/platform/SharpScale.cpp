#include "platform/SharpScale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Presentation.h"

#if defined(__x86_64__) || defined(__i386__)
#define MV_X86 1
#include <immintrin.h>
#endif

namespace mv {

namespace {

constexpr int kGroup = 8;     // screen columns scaled across together
constexpr int kSpare = 16;    // pixels readable past a converted row's end
constexpr int kNoLanes = -1;  // a group whose columns read too far apart for one permutation

// A weight as the vector loops take it: doubled, in both 16-bit halves of a pixel's word.
inline uint32_t weightPair(uint32_t w) {
  return (w * 2) * 0x00010001u;
}

#ifdef MV_X86
// blendPixel on 32-bit pixels a vector at a time. Each pixel's bytes are split into two 16-bit lanes
// (blue and red, green and alpha); p + (q - p) w / 256, rounded down, is then one signed high-half
// multiply: (q - p) * 128 times w * 2 (given as w2) is (q - p) w * 256, whose high half is exact.
inline __m128i blend128(__m128i p, __m128i q, __m128i w2) {
  const __m128i low = _mm_set1_epi16(0x00FF);
  const __m128i pe = _mm_and_si128(p, low), qe = _mm_and_si128(q, low);
  const __m128i po = _mm_srli_epi16(p, 8), qo = _mm_srli_epi16(q, 8);
  const __m128i re = _mm_add_epi16(pe, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(qe, pe), 7), w2));
  const __m128i ro = _mm_add_epi16(po, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(qo, po), 7), w2));
  return _mm_or_si128(re, _mm_slli_epi16(ro, 8));
}

__attribute__((target("avx2"))) inline __m256i blend256(__m256i p, __m256i q, __m256i w2) {
  const __m256i low = _mm256_set1_epi16(0x00FF);
  const __m256i pe = _mm256_and_si256(p, low), qe = _mm256_and_si256(q, low);
  const __m256i po = _mm256_srli_epi16(p, 8), qo = _mm256_srli_epi16(q, 8);
  const __m256i re =
      _mm256_add_epi16(pe, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(qe, pe), 7), w2));
  const __m256i ro =
      _mm256_add_epi16(po, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(qo, po), 7), w2));
  return _mm256_or_si256(re, _mm256_slli_epi16(ro, 8));
}

// Screen rows go out with streaming stores: the picture is several times the cache's size and only the
// renderer reads it again, so caching it would push the kept rows out for nothing and make the processor
// read every line of it before writing it. Pixels before the first aligned vector and after the last
// whole one are done one by one. A weight of 0 copies the upper row.
void writeRowSse2(uint32_t* out, const uint32_t* upper, const uint32_t* lower, uint32_t w, int count) {
  int x = 0;
  for (; x < count && (reinterpret_cast<uintptr_t>(out + x) & 15); ++x) out[x] = blendPixel(upper[x], lower[x], w);
  const __m128i w2 = _mm_set1_epi32(static_cast<int>(weightPair(w)));
  for (; x + 4 <= count; x += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x));
    const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + x));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + x), w ? blend128(p, q, w2) : p);
  }
  for (; x < count; ++x) out[x] = blendPixel(upper[x], lower[x], w);
}

__attribute__((target("avx2"))) void writeRowAvx2(uint32_t* out, const uint32_t* upper, const uint32_t* lower,
                                                   uint32_t w, int count) {
  int x = 0;
  for (; x < count && (reinterpret_cast<uintptr_t>(out + x) & 31); ++x) out[x] = blendPixel(upper[x], lower[x], w);
  const __m256i w2 = _mm256_set1_epi32(static_cast<int>(weightPair(w)));
  for (; x + 8 <= count; x += 8) {
    const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper + x));
    const __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower + x));
    _mm256_stream_si256(reinterpret_cast<__m256i*>(out + x), w ? blend256(p, q, w2) : p);
  }
  for (; x < count; ++x) out[x] = blendPixel(upper[x], lower[x], w);
}
#endif

void writeRow(SimdLevel level, uint32_t* out, const uint32_t* upper, const uint32_t* lower, uint32_t w,
              int count) {
#ifdef MV_X86
  if (level == SimdLevel::Avx2 && simdLevelAvailable(SimdLevel::Avx2))
    return writeRowAvx2(out, upper, lower, w, count);
  if (level != SimdLevel::Scalar) return writeRowSse2(out, upper, lower, w, count);
#endif
  if (!w) {
    std::memcpy(out, upper, static_cast<size_t>(count) * sizeof(uint32_t));
    return;
  }
  for (int x = 0; x < count; ++x) out[x] = blendPixel(upper[x], lower[x], w);
}

// One source row scaled across into a slot: the column map, padded to whole groups of eight.
struct Across {
  const uint32_t* in;
  uint32_t* out;
  int padded;
  const int32_t* first;
  const uint16_t* weight;
  const int32_t* groupBase;
  const int32_t* groupLanes;
  const uint32_t* columnWeight;
};

void acrossScalar(const Across& a) {
  for (int x = 0; x < a.padded; ++x) a.out[x] = blendPixel(a.in[a.first[x]], a.in[a.first[x] + 1], a.weight[x]);
}

#ifdef MV_X86
// No lane permutation in SSE2: the pairs are gathered one by one and blended four at a time.
void acrossSse2(const Across& a) {
  for (int x = 0; x < a.padded; x += 4) {
    const int32_t* f = a.first + x;
    const __m128i p = _mm_setr_epi32(static_cast<int>(a.in[f[0]]), static_cast<int>(a.in[f[1]]),
                                     static_cast<int>(a.in[f[2]]), static_cast<int>(a.in[f[3]]));
    const __m128i q = _mm_setr_epi32(static_cast<int>(a.in[f[0] + 1]), static_cast<int>(a.in[f[1] + 1]),
                                     static_cast<int>(a.in[f[2] + 1]), static_cast<int>(a.in[f[3] + 1]));
    const __m128i w2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.columnWeight + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(a.out + x), blend128(p, q, w2));
  }
}

// Eight columns read at most nine neighbouring surface pixels when enlarging: two loads of eight, one a
// pixel on from the other, and the same lane permutation picks each column's pair from them. A group
// spread wider (shrinking) is done pixel by pixel.
__attribute__((target("avx2"))) void acrossAvx2(const Across& a) {
  // Held in locals: stores through out could otherwise alias the map and force it to be read again.
  const uint32_t* in = a.in;
  uint32_t* out = a.out;
  const int32_t *first = a.first, *groupBase = a.groupBase, *groupLanes = a.groupLanes;
  const uint16_t* weight = a.weight;
  const uint32_t* columnWeight = a.columnWeight;
  for (int x = 0, g = 0; x < a.padded; x += kGroup, ++g) {
    if (groupLanes[x] == kNoLanes) {
      for (int k = x; k < x + kGroup; ++k) out[k] = blendPixel(in[first[k]], in[first[k] + 1], weight[k]);
      continue;
    }
    const uint32_t* base = in + groupBase[g];
    const __m256i lanes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(groupLanes + x));
    const __m256i p = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(base)), lanes);
    const __m256i q =
        _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + 1)), lanes);
    const __m256i w2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columnWeight + x));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), blend256(p, q, w2));
  }
}
#endif

}  // namespace

AxisMap mapAxis(int sourceSize, int viewSize) {
  AxisMap map;
  if (sourceSize <= 0 || viewSize <= 0) return map;
  map.first.resize(static_cast<size_t>(viewSize));
  map.weight.resize(static_cast<size_t>(viewSize));
  const int64_t s = sourceSize, v = viewSize;
  for (int64_t i = 0; i < v; ++i) {
    int64_t first = 0, weight = 0;
    if (v >= s) {
      // Screen pixel i covers [i s, (i + 1) s) in units of 1 / v surface pixels: at most two of them.
      const int64_t start = i * s, end = start + s;
      first = start / v;
      const int64_t boundary = (first + 1) * v;
      if (end > boundary) weight = ((end - boundary) * 256 + s / 2) / s;
    } else {
      // Its centre, (i + 0.5) s / v - 0.5 surface pixels, in 256ths.
      const int64_t centre = std::max<int64_t>(0, ((2 * i + 1) * s * 256 / v - 256) / 2);
      first = centre / 256;
      weight = centre % 256;
    }
    if (weight >= 256) {
      ++first;
      weight = 0;
    }
    if (first >= s - 1) {
      first = s - 1;
      weight = 0;
    }
    map.first[static_cast<size_t>(i)] = static_cast<int32_t>(first);
    map.weight[static_cast<size_t>(i)] = static_cast<uint16_t>(weight);
  }
  return map;
}

bool wholeMultiple(int surfaceWidth, int surfaceHeight, int viewWidth, int viewHeight) {
  return surfaceWidth > 0 && surfaceHeight > 0 && viewWidth > 0 && viewHeight > 0 &&
         viewWidth % surfaceWidth == 0 && viewHeight % surfaceHeight == 0 &&
         viewWidth / surfaceWidth == viewHeight / surfaceHeight;
}

void SharpScaler::prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
  if (sourceWidth != sourceWidth_ || targetWidth != targetWidth_) {
    columns_ = mapAxis(sourceWidth, targetWidth);
    // Whole groups: the columns past the edge repeat the last one, and are never shown.
    const size_t groups = (static_cast<size_t>(targetWidth) + kGroup - 1) / kGroup, padded = groups * kGroup;
    columns_.first.resize(padded, columns_.first.back());
    columns_.weight.resize(padded, 0);
    columnWeight_.resize(padded);
    for (size_t x = 0; x < padded; ++x) columnWeight_[x] = weightPair(columns_.weight[x]);
    groupBase_.assign(groups, 0);
    groupLanes_.assign(padded, kNoLanes);
    for (size_t g = 0; g < groups; ++g) {
      const int32_t base = columns_.first[g * kGroup];
      groupBase_[g] = base;
      if (columns_.first[g * kGroup + kGroup - 1] - base >= kGroup) continue;
      for (size_t k = 0; k < kGroup; ++k) groupLanes_[g * kGroup + k] = columns_.first[g * kGroup + k] - base;
    }
    converted_.assign(static_cast<size_t>(sourceWidth) + kSpare, 0);
    for (auto& slot : slots_) slot.assign(padded, 0);
  }
  if (sourceHeight != sourceHeight_ || targetHeight != targetHeight_) rows_ = mapAxis(sourceHeight, targetHeight);
  sourceWidth_ = sourceWidth;
  sourceHeight_ = sourceHeight;
  targetWidth_ = targetWidth;
  targetHeight_ = targetHeight;
}

void SharpScaler::scaleAcross(const uint32_t* in, uint32_t* out) const {
  const Across across{in,
                      out,
                      static_cast<int>(columns_.first.size()),
                      columns_.first.data(),
                      columns_.weight.data(),
                      groupBase_.data(),
                      groupLanes_.data(),
                      columnWeight_.data()};
#ifdef MV_X86
  if (level_ == SimdLevel::Avx2 && simdLevelAvailable(SimdLevel::Avx2)) return acrossAvx2(across);
  if (level_ != SimdLevel::Scalar) return acrossSse2(across);
#endif
  acrossScalar(across);
}

const uint32_t* SharpScaler::scaledRow(const uint16_t* source, int sourcePitch, int row) {
  for (int k = 0; k < 2; ++k)
    if (slotRow_[k] == row) {
      nextSlot_ = k ^ 1;  // the other row is the one to give up next
      return slots_[k].data();
    }
  const int k = nextSlot_;
  nextSlot_ ^= 1;
  slotRow_[k] = row;
  convertRow565To8888(source + static_cast<size_t>(row) * static_cast<size_t>(sourcePitch), converted_.data(),
                      sourceWidth_, level_ == SimdLevel::Avx2);
  std::fill(converted_.begin() + sourceWidth_, converted_.end(), converted_[static_cast<size_t>(sourceWidth_) - 1]);
  scaleAcross(converted_.data(), slots_[k].data());
  return slots_[k].data();
}

void SharpScaler::scale(const uint16_t* source, int sourceWidth, int sourceHeight, int sourcePitch,
                        uint32_t* target, int targetWidth, int targetHeight, int targetPitch) {
  if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0 ||
      sourcePitch < sourceWidth || targetPitch < targetWidth)
    return;
  prepare(sourceWidth, sourceHeight, targetWidth, targetHeight);
  slotRow_[0] = slotRow_[1] = -1;  // a new frame
  for (int y = 0; y < targetHeight; ++y) {
    const int32_t a = rows_.first[static_cast<size_t>(y)];
    const uint32_t w = rows_.weight[static_cast<size_t>(y)];
    uint32_t* out = target + static_cast<size_t>(y) * static_cast<size_t>(targetPitch);
    const uint32_t* upper = scaledRow(source, sourcePitch, a);
    const uint32_t* lower = w ? scaledRow(source, sourcePitch, a + 1) : upper;  // fills the slot a is not in
    writeRow(level_, out, upper, lower, w, targetWidth);
  }
#ifdef MV_X86
  if (level_ != SimdLevel::Scalar) _mm_sfence();  // the streamed rows are out before the renderer reads them
#endif
}

}  // namespace mv
