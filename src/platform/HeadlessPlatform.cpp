#include "platform/HeadlessPlatform.h"

#include <algorithm>
#include <cstdio>

#include "platform/Cp1251.h"

namespace mv {

HeadlessPlatform::HeadlessPlatform(uint32_t stepMs) : step_(stepMs) {}

std::unique_ptr<HeadlessPlatform> createHeadlessPlatform(uint32_t stepMs) {
  return std::make_unique<HeadlessPlatform>(stepMs);
}

void HeadlessPlatform::openDisplay(int width, int height) {
  if (width <= 0 || height <= 0)
    throw PlatformError(format("Display mode cannot be changed (%dx%d 16bit)", width, height));
  displayOpen_ = true;
  displayWidth_ = width;
  displayHeight_ = height;
}

void HeadlessPlatform::present(const uint16_t* pixels, int width, int height, int pitch) {
  if (pixels && width > 0 && height > 0 && pitch >= width) {
    frame_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
      std::copy_n(pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), width,
                  frame_.begin() + static_cast<ptrdiff_t>(y) * width);
    frameWidth_ = width;
    frameHeight_ = height;
  }
  ++presents_;
  advanceClock(step_);
}

bool HeadlessPlatform::pollEvent(Event& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  switch (event.kind) {
    case EventKind::MouseDown:
    case EventKind::MouseMove:
    case EventKind::MouseUp:
      pointerX_ = event.x;
      pointerY_ = event.y;
      break;
    case EventKind::FocusGained:
      focus_ = true;
      break;
    case EventKind::FocusLost:
      focus_ = false;
      break;
    default:
      break;
  }
  return true;
}

DeviceState HeadlessPlatform::pollDevices() {
  DeviceState state = devices_;
  // Movement is counted since the previous poll, whether or not the game could see it.
  devices_.mouseX = devices_.mouseY = devices_.mouseZ = 0;
  if (!focus_) return DeviceState{};
  return state;
}

void HeadlessPlatform::pointerPosition(int& x, int& y) const {
  x = pointerX_;
  y = pointerY_;
}

void HeadlessPlatform::delay(uint32_t ms) {
  advanceClock(ms);
}

void HeadlessPlatform::advanceClock(uint32_t ms) {
  clock_ += ms;
  if (!audioSink_) {
    mixer_.advance(ms);
    return;
  }
  const uint64_t total = uint64_t{ms} * static_cast<uint64_t>(mixer_.outputRate()) + audioRemainder_;
  audioRemainder_ = total % 1000;
  constexpr uint64_t kChunk = 4096;
  for (uint64_t left = total / 1000; left > 0;) {
    const size_t frames = static_cast<size_t>(std::min(left, kChunk));
    audioBuffer_.resize(frames * 2);
    mixer_.mix(audioBuffer_.data(), frames);
    audioSink_(audioBuffer_.data(), frames);
    left -= frames;
  }
}

void HeadlessPlatform::setAudioSink(AudioSink sink) {
  audioSink_ = std::move(sink);
  audioRemainder_ = 0;
}

void HeadlessPlatform::messageBox(const std::string& caption, const std::string& text) {
  messages_.push_back(caption + ": " + text);
  std::fprintf(stderr, "%s: %s\n", cp1251ToUtf8(caption).c_str(), cp1251ToUtf8(text).c_str());
}

void HeadlessPlatform::moveMouse(int dx, int dy, int dz) {
  devices_.mouseX += dx;
  devices_.mouseY += dy;
  devices_.mouseZ += dz;
}

void HeadlessPlatform::setFocus(bool focus) {
  if (focus == focus_) return;
  focus_ = focus;
  Event event;
  event.kind = focus ? EventKind::FocusGained : EventKind::FocusLost;
  events_.push_back(event);
}

void HeadlessPlatform::setPointer(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

uint16_t HeadlessPlatform::framePixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= frameWidth_ || y >= frameHeight_) return 0;
  return frame_[static_cast<size_t>(y) * static_cast<size_t>(frameWidth_) + static_cast<size_t>(x)];
}

}  // namespace mv
