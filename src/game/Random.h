#pragma once
// The game's one random generator: a 32-bit linear congruential sequence, seeded once at start-up from
// the clock (or from the command line, so a scripted run repeats exactly).

#include <cstdint>

namespace mv {

class Random {
 public:
  void seed(uint32_t value) { state_ = value; }
  uint32_t state() const { return state_; }

  // A uniform integer 0 .. n - 1; 0 when n is not positive.
  int32_t random(int32_t n) {
    next();
    return n <= 0 ? 0 : static_cast<int32_t>((static_cast<uint64_t>(state_) * static_cast<uint32_t>(n)) >> 32);
  }
  // A uniform value in [0, 1).
  double randomFloat() {
    next();
    return state_ / 4294967296.0;
  }

 private:
  void next() { state_ = state_ * 0x08088405u + 1u; }
  uint32_t state_ = 0;
};

}  // namespace mv
