#pragma once
// The input delay D: how many ticks ahead a machine sends its person's input. It must cover the round
// trip to the host and back, or the game waits for bundles; any more only makes the fighter answer
// later. It starts at 3 ticks, grows at once when the measured round trip needs it and comes down a tick
// at a time once a run of measurements says it may, so a passing spike does not make it swing.

#include <cstdint>

namespace mv {

class DelayControl {
 public:
  static constexpr int kStartDelay = 3;
  static constexpr int kMaxDelay = 30;
  static constexpr int kTickMs = 16;
  // Measurements in a row that must allow a smaller delay before it comes down a tick.
  static constexpr int kCalmSamples = 8;

  void measured(double roundTripMs);

  int delay() const { return delay_; }
  // The smoothed round trip, milliseconds; 0 before the first measurement.
  int roundTripMs() const;
  // The delay the measurements so far ask for.
  int needed() const;

 private:
  double smoothed_ = -1;
  double deviation_ = 0;
  int delay_ = kStartDelay;
  int calm_ = 0;
};

}  // namespace mv
