#include "net/InputFrames.h"

#include <bit>
#include <cmath>

#include "net/LinePolicy.h"

namespace mv {
namespace {

enum FrameFlag : uint8_t {
  Playing = 1 << 0,
  HeldChanged = 1 << 1,
  HasAim = 1 << 2,
  HasWheel = 1 << 3,
  HasLines = 1 << 4,
  HasPad = 1 << 5,
};
constexpr uint8_t kAllFlags = (1 << 6) - 1;

constexpr uint16_t kDivisors[] = {5, 40, 1000};

uint8_t divisorCode(uint16_t divisor) {
  for (uint8_t i = 0; i < 3; ++i)
    if (kDivisors[i] == divisor) return i;
  return 0;
}

}  // namespace

bool knownAimDivisor(uint16_t divisor) {
  return divisor == 5 || divisor == 40 || divisor == 1000;
}

void InputFrames::write(WireWriter& out, const PersonInput& input) {
  uint8_t flags = input.playing ? Playing : 0;
  if (input.held != lastHeld_) flags |= HeldChanged;
  if (!input.aim.empty()) flags |= HasAim;
  if (!input.wheel.empty()) flags |= HasWheel;
  if (!input.lines.empty()) flags |= HasLines;
  if (input.padAim != 0) flags |= HasPad;
  out.u8(flags);
  if (flags & HeldChanged) out.u16(input.held);
  lastHeld_ = input.held;
  if (flags & HasAim) {
    out.u8(static_cast<uint8_t>(input.aim.size()));
    for (const AimChange& c : input.aim) {
      out.signedVarint(c.amount);
      out.u8(divisorCode(c.divisor));
    }
  }
  if (flags & HasWheel) {
    out.u8(static_cast<uint8_t>(input.wheel.size()));
    uint16_t down = 0;
    for (size_t i = 0; i < input.wheel.size(); ++i)
      if (input.wheel[i] < 0) down |= static_cast<uint16_t>(1u << i);
    out.u16(down);
  }
  if (flags & HasLines) {
    out.u8(static_cast<uint8_t>(input.lines.size()));
    for (const std::string& line : input.lines) out.text(line);
  }
  // The pull goes to the bit, so every machine turns the aim by the very same number.
  if (flags & HasPad) out.u64(std::bit_cast<uint64_t>(input.padAim));
}

PersonInput InputFrames::read(WireReader& in) {
  PersonInput input;
  const uint8_t flags = in.u8("input flags");
  if (flags & ~kAllFlags) WireReader::fail("input flags", "unknown bits");
  input.playing = flags & Playing;
  if (flags & HeldChanged) {
    const uint16_t held = in.u16("held controls");
    if (held & ~kAllHeldControls) WireReader::fail("held controls", "unknown bits");
    if (held == lastHeld_) WireReader::fail("held controls", "sent unchanged");
    lastHeld_ = held;
  }
  input.held = lastHeld_;
  if (flags & HasAim) {
    const size_t n = in.u8("aim count");
    if (n < 1 || n > kMaxAimChanges) WireReader::fail("aim count", "out of range");
    for (size_t i = 0; i < n; ++i) {
      AimChange c;
      c.amount = static_cast<int32_t>(in.ranged("aim amount", -kMaxAimAmount, kMaxAimAmount));
      const uint8_t code = in.u8("aim divisor");
      if (code > 2) WireReader::fail("aim divisor", "unknown");
      c.divisor = kDivisors[code];
      input.aim.push_back(c);
    }
  }
  if (flags & HasWheel) {
    const size_t n = in.u8("wheel count");
    if (n < 1 || n > kMaxWheelSteps) WireReader::fail("wheel count", "out of range");
    const uint16_t down = in.u16("wheel steps");
    if (n < 16 && down >> n) WireReader::fail("wheel steps", "bits past the count");
    for (size_t i = 0; i < n; ++i) input.wheel.push_back(down >> i & 1 ? -1 : 1);
  }
  if (flags & HasLines) {
    const size_t n = in.u8("line count");
    if (n < 1 || n > kMaxLinesPerTick) WireReader::fail("line count", "out of range");
    for (size_t i = 0; i < n; ++i) {
      std::string line = in.text("console line", kMaxLineLength);
      // Only chat and names run on another machine; anything else is no input of a person.
      if (!sharedLine(line)) WireReader::fail("console line", "not say or name");
      input.lines.push_back(std::move(line));
    }
  }
  if (flags & HasPad) {
    input.padAim = std::bit_cast<double>(in.u64("pad aim"));
    if (!(std::fabs(input.padAim) <= kMaxPadAim) || input.padAim == 0)
      WireReader::fail("pad aim", "out of range");
  }
  return input;
}

}  // namespace mv
