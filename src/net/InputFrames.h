#pragma once
// One person's input for one tick as it travels. The held controls go only when they changed since the
// person's previous tick, so each direction of the stream keeps what it last saw; aiming, the wheel and
// console lines go only when there are some.

#include <cstdint>

#include "game/combatants/PersonInput.h"
#include "net/Wire.h"

namespace mv {

constexpr size_t kMaxAimChanges = 8;
constexpr size_t kMaxWheelSteps = 16;
constexpr size_t kMaxLinesPerTick = 4;
constexpr int32_t kMaxAimAmount = 100000000;
constexpr double kMaxPadAim = 999;  // a full pull at the highest sensitivity

// The divisors aiming uses (keys, mouse, joystick); no other comes from a machine of this build.
bool knownAimDivisor(uint16_t divisor);

// One person's frames in one direction, in tick order.
class InputFrames {
 public:
  // The input as this build makes it: at most the counts above, lines that may travel. Anything beyond
  // is the caller's fault.
  void write(WireWriter& out, const PersonInput& input);
  // Throws MalformedPacket for anything another build of the game would not have sent.
  PersonInput read(WireReader& in);

 private:
  uint16_t lastHeld_ = 0;
};

}  // namespace mv
