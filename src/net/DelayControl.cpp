#include "net/DelayControl.h"

#include <algorithm>
#include <cmath>

namespace mv {

void DelayControl::measured(double roundTripMs) {
  if (!(roundTripMs >= 0)) return;
  roundTripMs = std::min(roundTripMs, 10000.0);
  // The round trip and its spread, smoothed as TCP smooths them.
  if (smoothed_ < 0) {
    smoothed_ = roundTripMs;
    deviation_ = roundTripMs / 2;
  } else {
    deviation_ += (std::fabs(roundTripMs - smoothed_) - deviation_) / 4;
    smoothed_ += (roundTripMs - smoothed_) / 8;
  }
  const int want = needed();
  if (want > delay_) {
    delay_ = want;
    calm_ = 0;
  } else if (want < delay_ && ++calm_ >= kCalmSamples) {
    --delay_;
    calm_ = 0;
  } else if (want == delay_) {
    calm_ = 0;
  }
}

int DelayControl::roundTripMs() const {
  return smoothed_ < 0 ? 0 : static_cast<int>(std::lround(smoothed_));
}

int DelayControl::needed() const {
  if (smoothed_ < 0) return delay_;
  // The input must be at the host and its bundle back before the tick comes, with a tick to spare for
  // the moment in the frame at which each side looks. The smoothing never quite settles on a whole
  // number; a millionth of a tick over is no reason for a tick more.
  const int ticks = static_cast<int>(std::ceil((smoothed_ + 2 * deviation_) / kTickMs - 1e-6)) + 1;
  return std::clamp(ticks, 1, kMaxDelay);
}

}  // namespace mv
