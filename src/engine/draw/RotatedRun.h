#pragma once
// The pixel loops of rotated drawing: one row's run of destination pixels, each sampling the source at a
// position that steps in 32.32 fixed point.
//
// A run draws pixels [first, last) of a row. Pixel k samples source position (au, av) + (k - first) *
// (cu, cv), whole pixels in the high 32 bits; positions outside the source leave the pixel alone. A
// position whose fraction lies within `guard` of a whole pixel is not trusted: the run stops there, and
// returns that pixel's index (else last).

#include <algorithm>
#include <cstdint>

namespace mv {

struct RotatedSource {
  const uint16_t* base;  // the source rectangle's top-left
  int64_t pitch;         // in pixels
  uint64_t width, height;
  uint16_t key;
  bool keyed;
  int alpha;  // below 255 blends
};

// The fixed-point walk of a run, calling pixel(k, sample, inside) for each pixel until one lies too near
// a pixel boundary; returns that pixel's index, or last. Offset by the guard, a position is too near when
// its fraction is at most twice the guard.
template <typename Pixel>
inline int walkRun(const RotatedSource& source, int first, int last, int64_t au, int64_t av, int64_t cu,
                   int64_t cv, int64_t guard, Pixel pixel) {
  const uint16_t* const base = source.base;
  const int64_t pitch = source.pitch;
  const uint64_t width = source.width, height = source.height;
  uint64_t gu = au + guard, gv = av + guard;
  const uint32_t near = static_cast<uint32_t>(2 * guard);
  for (int k = first; k < last; ++k, gu += cu, gv += cv) {
    if (static_cast<uint32_t>(gu) <= near || static_cast<uint32_t>(gv) <= near) return k;
    const uint64_t iu = static_cast<uint64_t>(static_cast<int64_t>(gu - guard) >> 32);
    const uint64_t iv = static_cast<uint64_t>(static_cast<int64_t>(gv - guard) >> 32);
    // The run is a guess that may reach a pixel past the picture at either end.
    if (iu >= width || iv >= height) {
      pixel(k, 0, false);
      continue;
    }
    pixel(k, base[static_cast<int64_t>(iv) * pitch + static_cast<int64_t>(iu)], true);
  }
  return last;
}

template <bool Keyed>
[[gnu::noinline]] inline int copyRun(uint16_t* row, const RotatedSource& source, int first, int last, int64_t au,
                                     int64_t av, int64_t cu, int64_t cv, int64_t guard) {
  const uint16_t key = source.key;
  return walkRun(source, first, last, au, av, cu, cv, guard, [&](int k, uint16_t p, bool inside) {
    if (!inside) return;
    const uint16_t old = row[k];
    row[k] = Keyed && p == key ? old : p;
  });
}

// Blends samples into row, eight pixels at a time, but for pixels whose keep entry is set (keep may be
// null) and samples equal to key (key -1: none).
void blendSpan(uint16_t* row, const uint16_t* samples, const uint16_t* keep, int count, int alpha, int key);

// Blended runs are sampled into a buffer first, then blended all at once. With a colour key, pixels past
// the picture sample the key; without one, they are marked to keep.
template <bool Keyed>
[[gnu::noinline]] inline int blendRun(uint16_t* row, const RotatedSource& source, int first, int last, int64_t au,
                                      int64_t av, int64_t cu, int64_t cv, int64_t guard) {
  constexpr int kChunk = 64;
  uint16_t samples[kChunk], keep[kChunk];
  const uint16_t key = source.key;
  for (int start = first; start < last; start += kChunk) {
    const int end = std::min(last, start + kChunk);
    const int stop = walkRun(source, start, end, au, av, cu, cv, guard, [&](int k, uint16_t p, bool inside) {
      if (Keyed) {
        samples[k - start] = inside ? p : key;
      } else {
        samples[k - start] = p;
        keep[k - start] = inside ? 0 : 0xFFFF;
      }
    });
    blendSpan(row + start, samples, Keyed ? nullptr : keep, stop - start, source.alpha, Keyed ? key : -1);
    if (stop < end) return stop;
    au += (end - start) * cu, av += (end - start) * cv;
  }
  return last;
}

}  // namespace mv
