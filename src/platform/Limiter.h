#pragma once
// Brings the summed voices into 16 bits without ever clamping a sample. Below the knee the sum passes
// untouched; above it the frame's gain follows a smooth curve that approaches the ceiling and never
// reaches it. The gain drops at once (no sample gets through too loud) and comes back over tens of
// milliseconds, so a loud burst is turned down as a whole rather than squared off wave by wave. Both
// channels share the gain, so a sound stays where it was panned.

#include <cstddef>
#include <cstdint>

namespace mv {

class Limiter {
 public:
  static constexpr int32_t kKnee = 26000;     // -2 dB of full scale: a single sound of the game stays below
  static constexpr int32_t kCeiling = 32000;  // the curve's limit, a little under full scale

  explicit Limiter(int outputRate = 44100);

  // `frames` interleaved stereo frames of summed voices into 16-bit samples.
  void process(const int32_t* in, int16_t* out, size_t frames);

  // The gain the curve gives a frame whose louder channel reaches `peak`: 1 up to the knee.
  static double curveGain(int64_t peak);

 private:
  double recovery_;  // the share of the way back to full gain made per frame
  double gain_ = 1.0;
};

}  // namespace mv
