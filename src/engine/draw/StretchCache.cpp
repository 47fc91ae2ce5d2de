#include "engine/draw/StretchCache.h"

#include "engine/draw/Blit.h"

namespace mv {
namespace {

// Smaller stretches cost little to redo, and a copy the size of the screen is enough for the backgrounds.
constexpr int64_t kMinPixels = 128 * 128;
constexpr int kMaxSide = 4096;

}  // namespace

void TStretchCache::draw(TSurface& dest, const TRect& destRect, const TSurface& source, const TRect& srcRect,
                         bool keyed) {
  const int w = destRect.width(), h = destRect.height();
  const TRect src = intersection(srcRect, source.clientRect());
  const bool unscaled = src == srcRect && w == src.width() && h == src.height();
  if (unscaled || destRect.empty() || src.empty() || int64_t(w) * h < kMinPixels || w > kMaxSide ||
      h > kMaxSide) {
    blitStretch(dest, destRect, source, srcRect, keyed);
    return;
  }
  const bool same = source_ == &source && srcRect_ == srcRect && width_ == w && height_ == h;
  if (!same) {
    // Only a stretch asked for again is worth keeping.
    source_ = &source, srcRect_ = srcRect, width_ = w, height_ = h;
    scaled_.reset();
    blitStretch(dest, destRect, source, srcRect, keyed);
    return;
  }
  if (!scaled_) {
    scaled_ = std::make_unique<TSurface>(w, h);
    blitStretch(*scaled_, scaled_->clientRect(), source, srcRect, false);
  }
  // The copy holds the sampled pixels key and all, so a keyed copy of it skips exactly the pixels a keyed
  // stretch would.
  scaled_->setColorKey(source.colorKey());
  blitCopy(dest, destRect.Left, destRect.Top, *scaled_, scaled_->clientRect(), keyed);
}

void TStretchCache::clear() {
  source_ = nullptr;
  width_ = height_ = 0;
  scaled_.reset();
}

}  // namespace mv
