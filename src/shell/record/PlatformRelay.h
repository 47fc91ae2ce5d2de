#pragma once
// A platform that hands every call on to another. Recording and replaying stand in front of the real
// platform this way and step in only where the game reads its devices.

#include "platform/Platform.h"

namespace mv {

class PlatformRelay : public Platform {
 public:
  explicit PlatformRelay(Platform& inner) : inner_(inner) {}

  void openDisplay(int width, int height) override { inner_.openDisplay(width, height); }
  void present(const uint16_t* pixels, int width, int height, int pitch) override {
    inner_.present(pixels, width, height, pitch);
  }
  bool pollEvent(Event& event) override { return inner_.pollEvent(event); }
  DeviceState pollDevices() override { return inner_.pollDevices(); }
  bool hasFocus() const override { return inner_.hasFocus(); }
  void pointerPosition(int& x, int& y) const override { inner_.pointerPosition(x, y); }
  uint32_t ticks() override { return inner_.ticks(); }
  void delay(uint32_t ms) override { inner_.delay(ms); }
  void setMouseCaptured(bool captured) override { inner_.setMouseCaptured(captured); }
  void setFullScreen(bool on) override { inner_.setFullScreen(on); }
  bool fullScreen() const override { return inner_.fullScreen(); }
  void setScaling(Scaling mode) override { inner_.setScaling(mode); }
  Scaling scaling() const override { return inner_.scaling(); }
  void messageBox(const std::string& caption, const std::string& text) override {
    inner_.messageBox(caption, text);
  }
  Mixer& mixer() override { return inner_.mixer(); }
  void setRendererChoice(RendererChoice choice) override { inner_.setRendererChoice(choice); }
  RendererChoice rendererChoice() const override { return inner_.rendererChoice(); }
  std::string presentationName() const override { return inner_.presentationName(); }

 protected:
  Platform& inner_;
};

}  // namespace mv
