#include "platform/Limiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mv {

namespace {

constexpr double kReleaseSeconds = 0.08;

}  // namespace

Limiter::Limiter(int outputRate)
    : recovery_(1 - std::exp(-1.0 / (kReleaseSeconds * std::max(outputRate, 1)))) {}

double Limiter::curveGain(int64_t peak) {
  if (peak <= kKnee) return 1.0;
  // Slope 1 at the knee, flattening towards the ceiling: tanh never reaches 1 for a finite sum, and in
  // doubles it rounds to 1 only far beyond anything sixteen voices can add up to.
  constexpr double room = kCeiling - kKnee;
  const double over = static_cast<double>(peak - kKnee);
  return (kKnee + room * std::tanh(over / room)) / static_cast<double>(peak);
}

void Limiter::process(const int32_t* in, int16_t* out, size_t frames) {
  for (size_t i = 0; i < frames; ++i) {
    const int32_t left = in[2 * i], right = in[2 * i + 1];
    const int64_t peak = std::max(std::llabs(left), std::llabs(right));
    gain_ = std::min(curveGain(peak), gain_ + (1.0 - gain_) * recovery_);
    if (gain_ > 1.0 - 1e-6) gain_ = 1.0;  // back to exactly unchanged, not forever a hair under
    // At the curve's gain a sample lands at most on the ceiling, so the conversion never clamps.
    out[2 * i] = static_cast<int16_t>(std::lround(left * gain_));
    out[2 * i + 1] = static_cast<int16_t>(std::lround(right * gain_));
  }
}

}  // namespace mv
