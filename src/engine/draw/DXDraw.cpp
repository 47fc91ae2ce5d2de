#include "engine/draw/DXDraw.h"

#include <algorithm>

#include "platform/Platform.h"

namespace mv {

TDXDraw::TDXDraw(Platform* platform) : platform_(platform) {}

TDXDraw::~TDXDraw() {
  finalize();
  notify(TDXDrawNotifyType::Destroying);
}

void TDXDraw::initialize() {
  if (initialized()) return;
  const int w = Display.Width, h = Display.Height;
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || Display.BitCount != 16)
    throw Error(format("Display mode cannot be changed (%dx%d %dbit)", w, h, Display.BitCount));
  if (platform_) {
    try {
      platform_->openDisplay(w, h);
    } catch (const PlatformError& e) {
      // The platform's own reason follows on a line of its own, so the player learns what is missing.
      throw Error(format("Display mode cannot be changed (%dx%d %dbit)\n%s", w, h, Display.BitCount, e.what()));
    }
  }
  initializing_ = true;
  surface_ = std::make_unique<TSurface>(w, h);
  try {
    if (OnInitialize) OnInitialize(*this);
  } catch (...) {
    initializing_ = false;
    throw;
  }
  initializing_ = false;
  notify(TDXDrawNotifyType::Initialize);
}

void TDXDraw::finalize() {
  if (!initialized()) return;
  notify(TDXDrawNotifyType::Finalize);
  surface_.reset();
}

void TDXDraw::reinitialize() {
  finalize();
  initialize();
}

void TDXDraw::flip() {
  if (platform_ && surface_)
    platform_->present(surface_->pixels(), surface_->width(), surface_->height(), surface_->pitch());
}

void TDXDraw::registerNotify(TDXDrawListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TDXDraw::unregisterNotify(TDXDrawListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TDXDraw::notify(TDXDrawNotifyType type) {
  // A listener may unregister itself while being told; the others are still told.
  const std::vector<TDXDrawListener*> listeners = listeners_;
  for (TDXDrawListener* listener : listeners)
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
      listener->dxDrawNotify(*this, type);
}

}  // namespace mv
