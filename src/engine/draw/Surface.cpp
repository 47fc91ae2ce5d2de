#include "engine/draw/Surface.h"

#include <algorithm>

#include "engine/draw/Blit.h"
#include "engine/draw/TextCanvas.h"

namespace mv {

TSurface::TSurface(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, 0) {}

TSurface::~TSurface() = default;

void TSurface::fill(uint16_t value) {
  std::fill(pixels_.begin(), pixels_.end(), value);
}

void TSurface::draw(int x, int y, const TRect& srcRect, const TSurface& source, bool transparent) {
  blitCopy(*this, x, y, source, srcRect, transparent);
}

TTextCanvas& TSurface::canvas() {
  if (!canvas_) canvas_ = std::make_unique<TTextCanvas>(*this);
  return *canvas_;
}

}  // namespace mv
