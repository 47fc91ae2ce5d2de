#pragma once
// A picture stretched the same way frame after frame (the menu's full-screen background) is scaled once
// and copied from then on.

#include <memory>

#include "engine/draw/Geometry.h"
#include "engine/draw/Surface.h"

namespace mv {

class TStretchCache {
 public:
  // Draws as blitStretch does. A large stretch asked for twice in a row, from the same source rectangle
  // of the same surface to the same size, is kept scaled and drawn from that copy while it keeps being
  // asked for. The source's pixels must not change while it is kept: clear() when they are rebuilt.
  void draw(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect, bool keyed);
  void clear();
  bool holdsCopy() const { return scaled_ != nullptr; }

 private:
  const TSurface* source_ = nullptr;
  TRect srcRect_;
  int width_ = 0, height_ = 0;
  std::unique_ptr<TSurface> scaled_;
};

}  // namespace mv
