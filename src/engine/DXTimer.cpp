#include "engine/DXTimer.h"

#include <algorithm>
#include <cmath>

namespace mv {

int32_t TDXTimer::idle(uint32_t now) {
  if (!Enabled || (ActiveOnly && !active_)) return 0;
  if (!started_) {
    // The timer starts counting at its first idle call, as if it had just been enabled.
    started_ = true;
    last_ = fpsStart_ = now;
  }
  uint32_t elapsed = now - last_;
  if (elapsed < Interval) return 0;
  uint32_t lag = elapsed / std::max<uint32_t>(Interval, 1);
  last_ = now;
  ++frames_;
  uint32_t span = std::max<uint32_t>(now - fpsStart_, 1);
  if (span >= 1000) {
    frameRate_ = static_cast<int32_t>(std::nearbyint(frames_ * 1000.0 / (now - fpsStart_)));
    frames_ = 0;
    fpsStart_ = now;
  }
  return static_cast<int32_t>(std::clamp<uint32_t>(lag, 1, INT32_MAX));
}

void TDXTimer::activate(uint32_t now) {
  active_ = true;
  started_ = true;
  last_ = fpsStart_ = now;
}

}  // namespace mv
