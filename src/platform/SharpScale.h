#pragma once
// How the back surface is enlarged to the screen's picture rectangle so that every pixel comes out the
// same size and the picture stays sharp. A nearest-pixel stretch by an uneven factor (800 x 600 to
// 960 x 720 is 1.2) makes every fifth row and column twice as thick as the others; a linear stretch
// evens them out but blurs every edge. Here every screen pixel takes the surface pixels it covers, by
// the share of its area each covers: inside a surface pixel it is that pixel's colour, and only the one
// screen column or row on which two surface pixels meet is a blend of the two. A view that is a whole
// multiple of the surface needs none of this (a nearest-pixel stretch is exact there).
//
// Done on the processor rather than by the renderer: a software renderer would pay for an enlarged
// intermediate picture and for linear filtering on every pixel of it, several times this cost.

#include <cstdint>
#include <vector>

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

// Scales 32-bit pixels (alpha is set opaque) from one buffer to another of any size; pitches are in
// pixels. Keeps its maps and two scaled rows between frames, so a frame allocates nothing.
class SharpScaler {
 public:
  void scale(const uint32_t* source, int sourceWidth, int sourceHeight, int sourcePitch, uint32_t* target,
             int targetWidth, int targetHeight, int targetPitch);

 private:
  // Source row r scaled across, in one of the two row slots.
  const uint32_t* scaledRow(const uint32_t* source, int sourcePitch, int row);

  int sourceWidth_ = 0, sourceHeight_ = 0, targetWidth_ = 0, targetHeight_ = 0;
  AxisMap columns_, rows_;
  std::vector<uint32_t> slots_[2];
  int slotRow_[2] = {-1, -1};
  int nextSlot_ = 0;
};

}  // namespace mv
