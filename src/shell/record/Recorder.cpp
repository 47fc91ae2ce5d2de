#include "shell/record/Recorder.h"

#include "platform/Cp1251.h"
#include "platform/Error.h"

namespace mv {

Recorder::Recorder(const std::string& path, uint32_t seed, const std::vector<DataFile>& data) : out_(path) {
  const std::string header = recordingHeader(seed, data);
  out_.write(header.data(), header.size());
}

void Recorder::line(const std::string& words) {
  const std::string text = std::to_string(tick_) + ' ' + words + '\n';
  out_.write(text.data(), text.size());
}

void Recorder::match(const MatchSetup& setup) {
  std::string limits;
  if (setup.fragLimit) limits += format(" fraglimit %d", *setup.fragLimit);
  if (setup.timeLimit) limits += format(" timelimit %d", *setup.timeLimit);
  line(format("match bots %d skill %d%s%s level %s", setup.bots, setup.skill, setup.hotseat ? " hotseat" : "",
              limits.c_str(), setup.level.c_str()));
}

void Recorder::consoleLine(const std::string& text) {
  line("console " + cp1251ToUtf8(text));
}

void Recorder::event(const Event& event) {
  line(formatEvent(event));
}

void Recorder::frame(uint32_t elapsedMs) {
  line(format("lag %u", elapsedMs));
}

namespace {

// Without a joystick the game reads none of its readings.
bool sameJoystick(const DeviceState& a, const DeviceState& b) {
  if (!a.joystickPresent || !b.joystickPresent) return a.joystickPresent == b.joystickPresent;
  return a.joyAxis == b.joyAxis && a.joyMin == b.joyMin && a.joyMax == b.joyMax &&
         a.joyButtons == b.joyButtons && a.joyButtonCount == b.joyButtonCount;
}

}  // namespace

void Recorder::polled(const DeviceState& state) {
  for (size_t vk = 0; vk < state.keys.size(); ++vk) {
    const uint8_t now = state.keys[vk];
    if (now == last_.keys[vk]) continue;
    if (now == 0)
      line(format("release %zu", vk));
    else if (now == 0x80)
      line(format("hold %zu", vk));
    else
      line(format("hold %zu %u", vk, unsigned{now}));
  }
  // Movement belongs to this poll alone; everything else is held until it changes.
  if (state.mouseZ != 0)
    line(format("mouserel %d %d %d", state.mouseX, state.mouseY, state.mouseZ));
  else if (state.mouseX != 0 || state.mouseY != 0)
    line(format("mouserel %d %d", state.mouseX, state.mouseY));
  const auto& b = state.mouseButtons;
  if (b != last_.mouseButtons)
    line(format("buttons %u %u %u %u", unsigned{b[0]}, unsigned{b[1]}, unsigned{b[2]}, unsigned{b[3]}));
  if (!sameJoystick(state, last_)) {
    if (!state.joystickPresent) {
      line("joystick none");
    } else {
      const auto& a = state.joyAxis;
      const auto& lo = state.joyMin;
      const auto& hi = state.joyMax;
      line(format("joystick axes %d %d %d min %d %d %d max %d %d %d buttons %u of %d", a[0], a[1], a[2],
                  lo[0], lo[1], lo[2], hi[0], hi[1], hi[2], state.joyButtons, state.joyButtonCount));
    }
  }
  for (size_t i = 0; i < state.pads.size(); ++i) {
    const PadState& pad = state.pads[i];
    if (pad == last_.pads[i]) continue;
    if (!pad.present) {
      line(format("pad %zu none", i));
      continue;
    }
    const auto& a = pad.axes;
    line(format("pad %zu axes %d %d %d %d %d %d buttons %u", i, a[0], a[1], a[2], a[3], a[4], a[5],
                pad.buttons));
  }
  last_ = state;
}

void Recorder::polledFocus(bool focus) {
  if (focus == focus_) return;
  focus_ = focus;
  line(focus ? "devicefocus on" : "devicefocus off");
}

void Recorder::pointer(int x, int y) {
  if (pointerKnown_ && x == pointerX_ && y == pointerY_) return;
  pointerKnown_ = true;
  pointerX_ = x;
  pointerY_ = y;
  line(format("pointer %d %d", x, y));
}

bool Recorder::flush() {
  return out_.putInPlace();
}

bool Recorder::end(int64_t tick) {
  setTick(tick);
  line("end");
  return out_.close();
}

DeviceState RecordingPlatform::pollDevices() {
  DeviceState state = inner_.pollDevices();
  recorder_.polled(state);
  return state;
}

bool RecordingPlatform::hasFocus() const {
  const bool focus = inner_.hasFocus();
  recorder_.polledFocus(focus);
  return focus;
}

void RecordingPlatform::pointerPosition(int& x, int& y) const {
  inner_.pointerPosition(x, y);
  recorder_.pointer(x, y);
}

}  // namespace mv
