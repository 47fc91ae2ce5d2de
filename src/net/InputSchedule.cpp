#include "net/InputSchedule.h"

#include <algorithm>

#include "net/InputFrames.h"

namespace mv {
namespace {

template <typename T>
std::vector<T> takeFront(std::vector<T>& from, size_t n) {
  const auto end = from.begin() + static_cast<std::ptrdiff_t>(std::min(n, from.size()));
  std::vector<T> taken(from.begin(), end);
  from.erase(from.begin(), end);
  return taken;
}

}  // namespace

std::vector<TimedInput> InputSchedule::begin(int delay) {
  std::vector<TimedInput> out;
  for (next_ = 0; next_ < delay; ++next_) out.emplace_back(next_, PersonInput{});
  return out;
}

std::vector<TimedInput> InputSchedule::add(int64_t tick, const PersonInput& sample, int delay) {
  pending_.playing = sample.playing;
  pending_.held = sample.held;
  pending_.padAim = sample.padAim;
  pending_.aim.insert(pending_.aim.end(), sample.aim.begin(), sample.aim.end());
  pending_.wheel.insert(pending_.wheel.end(), sample.wheel.begin(), sample.wheel.end());
  pending_.lines.insert(pending_.lines.end(), sample.lines.begin(), sample.lines.end());
  std::vector<TimedInput> out;
  const int64_t target = tick + delay;
  for (; next_ < target; ++next_) out.emplace_back(next_, held());
  if (next_ == target) out.emplace_back(next_++, takeFrame());
  return out;
}

PersonInput InputSchedule::held() const {
  PersonInput frame;
  frame.playing = pending_.playing;
  frame.held = pending_.held;
  frame.padAim = pending_.padAim;
  return frame;
}

PersonInput InputSchedule::takeFrame() {
  PersonInput frame = held();
  frame.aim = takeFront(pending_.aim, kMaxAimChanges);
  frame.wheel = takeFront(pending_.wheel, kMaxWheelSteps);
  frame.lines = takeFront(pending_.lines, kMaxLinesPerTick);
  return frame;
}

}  // namespace mv
