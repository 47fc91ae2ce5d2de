#pragma once
// The frame timer. It runs from the idle time of the message loop: every idle call that finds a frame
// due returns the whole milliseconds since the previous one (LagCount, at least 1). The clock is read
// by the caller and handed in, so a headless run can drive it with a fixed step.

#include <cstdint>

namespace mv {

class TDXTimer {
 public:
  uint32_t Interval = 0;
  bool ActiveOnly = true;
  bool Enabled = true;

  // One idle call at clock time now. Returns the LagCount of the frame to run, or 0 when none is due
  // (disabled, inactive with ActiveOnly, or within Interval of the last frame).
  int32_t idle(uint32_t now);

  // The application became active again: the time spent inactive is not counted.
  void activate(uint32_t now);
  void deactivate() { active_ = false; }
  bool active() const { return active_; }

  // Frames per second, measured over the last whole second or more.
  int32_t frameRate() const { return frameRate_; }

 private:
  bool active_ = true;
  uint32_t last_ = 0;
  uint32_t fpsStart_ = 0;
  int32_t frames_ = 0;
  int32_t frameRate_ = 0;
  bool started_ = false;
};

}  // namespace mv
