#pragma once
// How the back surface is enlarged to the screen's picture rectangle so that every pixel comes out the
// same size and the picture stays sharp. A nearest-pixel stretch by an uneven factor (800 x 600 to
// 960 x 720 is 1.2) makes every fifth row and column twice as thick as the others; a linear stretch
// evens them out but blurs every edge. Here every screen pixel takes the surface pixels it covers, by
// the share of its area each covers: inside a surface pixel it is that pixel's colour, and only the one
// screen column or row on which two surface pixels meet is a blend of the two. A view that is a whole
// multiple of the surface needs none of this (a nearest-pixel stretch is exact there).
//
// Done on the processor when the renderer is a software one, which would pay for an enlarged
// intermediate picture and for linear filtering on every pixel of it, several times this cost. A
// graphics card gets the same look its own way (SdlPlatform's card path).

#include <cstdint>
#include <vector>

#include "platform/Simd.h"

namespace mv {

// One axis: screen pixel i is surface pixel first[i], blended with first[i] + 1 by weight[i] / 256.
struct AxisMap {
  std::vector<int32_t> first;
  std::vector<uint16_t> weight;  // 0..255; 0: the one surface pixel alone
};

// The map of an axis of sourceSize surface pixels shown as viewSize screen pixels. When shrinking
// (viewSize < sourceSize) each screen pixel blends the two surface pixels nearest its centre.
AxisMap mapAxis(int sourceSize, int viewSize);

// True when the view is the same whole multiple of the surface on both axes.
bool wholeMultiple(int surfaceWidth, int surfaceHeight, int viewWidth, int viewHeight);

// A channel of p moved towards q by weight / 256, rounded down: (p (256 - w) + q w) / 256.
inline uint32_t blendPixel(uint32_t p, uint32_t q, uint32_t w) {
  const uint32_t v = 256 - w;
  const uint32_t rb = (((p & 0xFF00FFu) * v + (q & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  const uint32_t g = (((p & 0x00FF00u) * v + (q & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

// Scales a 5-6-5 surface (pitch in pixels) into 8-8-8 pixels with opaque alpha of any size (pitch in
// pixels), converting on the way. Each surface row is converted and scaled across once into one of two
// kept rows; each screen row is then one of them or a blend of both. The maps and rows are kept between
// frames, so a frame allocates nothing. The level says which vectors the loops use (tests compare them).
class SharpScaler {
 public:
  explicit SharpScaler(SimdLevel level = bestSimdLevel()) : level_(level) {}

  void scale(const uint16_t* source, int sourceWidth, int sourceHeight, int sourcePitch, uint32_t* target,
             int targetWidth, int targetHeight, int targetPitch);

 private:
  void prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);
  // Source row r converted and scaled across, in one of the two row slots.
  const uint32_t* scaledRow(const uint16_t* source, int sourcePitch, int row);
  void scaleAcross(const uint32_t* in, uint32_t* out) const;

  SimdLevel level_;
  int sourceWidth_ = 0, sourceHeight_ = 0, targetWidth_ = 0, targetHeight_ = 0;
  AxisMap columns_, rows_;
  // Per eight screen columns: the first surface column they read and, when all eight read within the
  // eight after it, where each finds its pair (a lane permutation); -1 where they spread wider.
  std::vector<int32_t> groupBase_, groupLanes_;
  std::vector<uint32_t> columnWeight_;  // weight * 2 in both 16-bit halves, per screen column
  std::vector<uint32_t> converted_;     // one surface row at 8-8-8, with spare pixels after it
  std::vector<uint32_t> slots_[2];      // rounded up to whole groups of eight
  int slotRow_[2] = {-1, -1};
  int nextSlot_ = 0;
};

}  // namespace mv
