#pragma once
// The platform without a window or a device, for tests, benchmarks and scripted runs. Everything it
// reports is what the test put in, and its clock moves only by a fixed step on every present (and by
// the asked time on delay), so a run with the same inputs repeats exactly.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Mixer.h"
#include "platform/Platform.h"

namespace mv {

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(uint32_t stepMs);

  void openDisplay(int width, int height) override;
  // Keeps a copy of the frame, then moves the clock and the mixer on by the step.
  void present(const uint16_t* pixels, int width, int height, int pitch) override;

  // Injected events in order. Mouse events move the pointer when they are taken.
  bool pollEvent(Event& event) override;
  // The state set by the test. Mouse movement is reported once, by the next poll, as a real mouse
  // reports movement since the previous poll; keys, buttons and the joystick stay as set. Without
  // the focus the poll reads idle.
  DeviceState pollDevices() override;
  bool hasFocus() const override { return focus_; }
  void pointerPosition(int& x, int& y) const override;

  uint32_t ticks() override { return clock_; }
  // Waiting passes time: the clock (and the mixer) move on by `ms`.
  void delay(uint32_t ms) override;

  // Kept for tests: nothing is shown.
  void setMouseCaptured(bool captured) override { mouseCaptured_ = captured; }
  bool mouseCaptured() const { return mouseCaptured_; }
  void setFullScreen(bool on) override { fullScreen_ = on; }
  bool fullScreen() const override { return fullScreen_; }
  void setScaling(Scaling mode) override { scaling_ = mode; }
  Scaling scaling() const override { return scaling_; }

  // Writes "caption: text" in UTF-8 to standard error and keeps it for tests.
  void messageBox(const std::string& caption, const std::string& text) override;
  Mixer& mixer() override { return mixer_; }
  // The choice is kept (a settings screen reads it back); nothing is shown either way.
  void setRendererChoice(RendererChoice choice) override { rendererChoice_ = choice; }
  RendererChoice rendererChoice() const override { return rendererChoice_; }
  std::string presentationName() const override { return "headless"; }

  // --- test controls ---
  void inject(const Event& event) { events_.push_back(event); }
  void setDeviceState(const DeviceState& state) { devices_ = state; }
  const DeviceState& deviceState() const { return devices_; }
  // Adds relative mouse movement for the next poll.
  void moveMouse(int dx, int dy, int dz = 0);
  // Losing or gaining the focus also queues FocusLost / FocusGained, as a window would.
  void setFocus(bool focus);
  void setPointer(int x, int y);
  void setStep(uint32_t stepMs) { step_ = stepMs; }
  uint32_t step() const { return step_; }
  void advanceClock(uint32_t ms);
  // Receives interleaved stereo 16-bit frames at the mixer's rate.
  using AudioSink = std::function<void(const int16_t* frames, size_t count)>;
  // With a sink the mixer really mixes, at the pace of the clock: every move of the clock hands the
  // sink exactly that much sound, so a sound started while the clock reads t begins at t in the
  // recording (counted from when the sink was set). Without one (the default) voices only move on.
  void setAudioSink(AudioSink sink);

  bool displayOpen() const { return displayOpen_; }
  int displayWidth() const { return displayWidth_; }
  int displayHeight() const { return displayHeight_; }
  // The last presented frame, packed (pitch = width); empty before the first present.
  const std::vector<uint16_t>& lastFrame() const { return frame_; }
  int frameWidth() const { return frameWidth_; }
  int frameHeight() const { return frameHeight_; }
  uint16_t framePixel(int x, int y) const;
  uint64_t presentCount() const { return presents_; }
  // Every message box shown, as "caption: text" in Windows-1251.
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  uint32_t step_;
  uint32_t clock_ = 0;
  RendererChoice rendererChoice_ = RendererChoice::Auto;
  bool focus_ = true;
  bool displayOpen_ = false;
  int displayWidth_ = 0, displayHeight_ = 0;
  std::vector<uint16_t> frame_;
  int frameWidth_ = 0, frameHeight_ = 0;
  uint64_t presents_ = 0;
  std::deque<Event> events_;
  DeviceState devices_;
  int pointerX_ = 0, pointerY_ = 0;
  std::vector<std::string> messages_;
  bool mouseCaptured_ = false;
  bool fullScreen_ = false;
  Scaling scaling_ = Scaling::Sharp;
  Mixer mixer_;
  AudioSink audioSink_;
  uint64_t audioRemainder_ = 0;  // output frames times 1000 not yet mixed
  std::vector<int16_t> audioBuffer_;
};

}  // namespace mv
