#include "engine/draw/Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/draw/RotatedRun.h"
#include "engine/draw/RowCopy.h"

namespace mv {
namespace {

// The source rectangle limited to the source surface; drawing never samples outside it.
TRect clippedSource(const TSurface& source, const TRect& srcRect) {
  return intersection(srcRect, source.clientRect());
}

// Column offsets of a nearest-sample scale: destination column i of the full destination rectangle reads
// source column (i * step) >> 16 of the source rectangle.
std::vector<int> sampleOffsets(int first, int last, int64_t step) {
  std::vector<int> offsets(static_cast<size_t>(std::max(last - first, 0)));
  for (int i = first; i < last; ++i) offsets[i - first] = static_cast<int>((i * step) >> 16);
  return offsets;
}

}  // namespace

void blitCopy(TSurface& dest, int x, int y, const TSurface& source, const TRect& srcRect, bool keyed) {
  TRect src = clippedSource(source, srcRect);
  if (src.empty()) return;
  x += src.Left - srcRect.Left;
  y += src.Top - srcRect.Top;
  TRect to = intersection(boundsRect(x, y, src.width(), src.height()), dest.clientRect());
  if (to.empty()) return;
  const int sx = src.Left + (to.Left - x), sy = src.Top + (to.Top - y);
  const int w = to.width(), h = to.height();

  // A surface drawn onto itself goes through a copy of the rows it reads.
  std::vector<uint16_t> scratch;
  const uint16_t* base = source.pixels();
  int pitch = source.pitch(), ox = sx, oy = sy;
  if (&dest == &source) {
    scratch.resize(static_cast<size_t>(w) * h);
    for (int row = 0; row < h; ++row)
      std::memcpy(&scratch[static_cast<size_t>(row) * w], source.row(sy + row) + sx, w * sizeof(uint16_t));
    base = scratch.data(), pitch = w, ox = 0, oy = 0;
  }
  const uint16_t* s = base + static_cast<size_t>(oy) * pitch + ox;
  uint16_t* d = dest.row(to.Top) + to.Left;
  if (keyed) {
    copyRowsKeyed(d, dest.pitch(), s, pitch, w, h, source.colorKey());
  } else if (w == pitch && w == dest.pitch()) {
    std::memcpy(d, s, static_cast<size_t>(w) * h * sizeof(uint16_t));
  } else {
    for (int row = 0; row < h; ++row) std::memcpy(d + static_cast<size_t>(row) * dest.pitch(),
                                                  s + static_cast<size_t>(row) * pitch, w * sizeof(uint16_t));
  }
}

namespace {

// Shared walk of a scaled blit: calls put(destRow, sourceRow, columns, count) for each clipped row.
template <typename RowFn>
void forEachScaledRow(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
                      RowFn rowFn) {
  if (destRect.empty()) return;
  TRect src = clippedSource(source, srcRect);
  if (src.empty()) return;
  TRect to = intersection(destRect, dest.clientRect());
  if (to.empty()) return;
  const int64_t stepX = (static_cast<int64_t>(src.width()) << 16) / destRect.width();
  const int64_t stepY = (static_cast<int64_t>(src.height()) << 16) / destRect.height();
  const std::vector<int> columns = sampleOffsets(to.Left - destRect.Left, to.Right - destRect.Left, stepX);
  for (int y = to.Top; y < to.Bottom; ++y) {
    const int sy = src.Top + static_cast<int>(((y - destRect.Top) * stepY) >> 16);
    rowFn(dest.row(y) + to.Left, source.row(sy) + src.Left, columns.data(), to.width());
  }
}

}  // namespace

void blitStretch(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
                 bool keyed) {
  // Unscaled stretches are plain copies; the full-screen menu background is one.
  TRect src = clippedSource(source, srcRect);
  if (src == srcRect && destRect.width() == src.width() && destRect.height() == src.height()) {
    blitCopy(dest, destRect.Left, destRect.Top, source, src, keyed);
    return;
  }
  const uint16_t key = source.colorKey();
  // Rows that sample the same source row come out the same, unless the surface is drawn onto itself.
  const uint16_t* previousSource = nullptr;
  const uint16_t* previousDest = nullptr;
  const bool reuseRows = !keyed && &dest != &source;
  forEachScaledRow(dest, destRect, source, srcRect,
                   [&](uint16_t* d, const uint16_t* s, const int* columns, int count) {
                     if (keyed) {
                       for (int i = 0; i < count; ++i) {
                         const uint16_t p = s[columns[i]];
                         d[i] = p == key ? d[i] : p;
                       }
                     } else if (reuseRows && s == previousSource) {
                       std::memcpy(d, previousDest, count * sizeof(uint16_t));
                     } else {
                       for (int i = 0; i < count; ++i) d[i] = s[columns[i]];
                     }
                     previousSource = s, previousDest = d;
                   });
}

void blitAlpha(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
               bool keyed, int alpha) {
  if (alpha <= 0) return;
  if (alpha >= 255) {
    blitStretch(dest, destRect, source, srcRect, keyed);
    return;
  }
  const uint16_t key = source.colorKey();
  // Sampled a stretch of a row at a time, then blended eight pixels at a time.
  constexpr int kChunk = 64;
  uint16_t samples[kChunk];
  // Unscaled across (the fading bodies of a match), a row blends straight from the source; a surface
  // drawn onto itself keeps to the sampled copies, which are taken before their stretch is written.
  const bool apart = &dest != &source;
  forEachScaledRow(dest, destRect, source, srcRect,
                   [&](uint16_t* d, const uint16_t* s, const int* columns, int count) {
                     if (apart && count > 0 && columns[count - 1] - columns[0] == count - 1) {
                       blendSpan(d, s + columns[0], nullptr, count, alpha, keyed ? key : -1);
                       return;
                     }
                     for (int start = 0; start < count; start += kChunk) {
                       const int n = std::min(kChunk, count - start);
                       for (int i = 0; i < n; ++i) samples[i] = s[columns[start + i]];
                       blendSpan(d + start, samples, nullptr, n, alpha, keyed ? key : -1);
                     }
                   });
}

}  // namespace mv
