#pragma once
// The platform over SDL2: one window (full screen at the desktop's resolution, or a window), the back
// surface shown scaled with bars and even, sharp pixels (on the graphics card, or by SharpScale.h),
// keyboard, mouse and the first joystick, the audio device.
// Only the platform's own sources and tests include this header.

#include <SDL.h>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/Mixer.h"
#include "platform/Platform.h"
#include "platform/Presentation.h"
#include "platform/SharpScale.h"

namespace mv {

class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(const PlatformOptions& options);
  ~SdlPlatform() override;

  void openDisplay(int width, int height) override;
  void present(const uint16_t* pixels, int width, int height, int pitch) override;

  bool pollEvent(Event& event) override;
  DeviceState pollDevices() override;
  bool hasFocus() const override;
  void pointerPosition(int& x, int& y) const override;

  uint32_t ticks() override { return SDL_GetTicks(); }
  void delay(uint32_t ms) override { SDL_Delay(ms); }

  void setMouseCaptured(bool captured) override;
  void setFullScreen(bool on) override;
  bool fullScreen() const override { return window_ ? fullscreen_ : !options_.windowed; }
  void setScaling(Scaling mode) override {
    scaling_ = mode;
    sharpScaling_ = mode == Scaling::Sharp;
  }
  Scaling scaling() const override { return scaling_; }

  void messageBox(const std::string& caption, const std::string& text) override;
  Mixer& mixer() override { return mixer_; }
  void setRendererChoice(RendererChoice choice) override;
  RendererChoice rendererChoice() const override { return choice_; }
  std::string presentationName() const override;

  // For measurements: the renderer in use, the time the last RenderPresent took, the time the last
  // frame took from the game's picture to the end of the present (conversion and scaling included,
  // pacing not), and whether the frame rate is being capped by delays because presentation does not
  // wait for the display. Sharp scaling can be turned off to compare with a nearest-pixel stretch.
  std::string rendererName() const;
  bool hardwareRenderer() const { return hardware_; }
  double lastPresentMs() const { return lastPresentMs_; }
  double lastFrameMs() const { return lastFrameMs_; }
  void setSharpScaling(bool on) { sharpScaling_ = on; }
  int refreshRate() const { return refreshRate_; }
  // The picture the renderer last drew, 8-8-8 pixels row after row; empty when it cannot be read.
  std::vector<uint32_t> readScreen(int& width, int& height) const;
  bool relativeMouse() const { return relativeMouse_; }

 private:
  struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  };
  struct RendererDeleter {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  };
  struct TextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  };

  // The texture the frame is drawn into: the surface's size, or the view's when sharp scaling fills it.
  void createTexture(int width, int height);
  // SdlPresentation.cpp: the card path when the choice and the renderer allow it, else the processor's.
  bool rendererIsHardware() const;
  void choosePresentation();
  // The frame into the texture at textureW x textureH, converted, and sharp-scaled when that differs.
  void upload(const uint16_t* pixels, int width, int height, int pitch, int textureW, int textureH);
  void presentOnProcessor(const uint16_t* pixels, int width, int height, int pitch, const Viewport& view);
  // False when the card cannot take it (no render target of the size); the processor then takes over.
  bool presentOnCard(const uint16_t* pixels, int width, int height, int pitch, const Viewport& view);
  void toggleFullscreen();
  void pace();
  // Where the frame goes on an output of this size, by the scaling mode.
  Viewport viewport(int outputWidth, int outputHeight) const;
  // The window's picture rectangle in window coordinates, for mapping the pointer.
  Viewport windowViewport() const;
  void toSurface(int windowX, int windowY, int& x, int& y) const;
  unsigned modifierShift() const;
  // Turns one SDL event into zero or more game events at the back of pending_.
  void translate(const SDL_Event& e);
  void openJoystick(int index);
  void closeJoystick();
  // Game pads (SdlPads.cpp): plugged in by device index, pulled out by instance id.
  void loadPadMappings();
  void openPad(int deviceIndex);
  void closePad(SDL_JoystickID instance);
  void readPads(DeviceState& state) const;

  PlatformOptions options_;
  Mixer mixer_;
  std::unique_ptr<AudioDevice> audio_;
  bool videoReady_ = false;
  bool joystickReady_ = false;
  std::unique_ptr<SDL_Window, WindowDeleter> window_;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
  std::unique_ptr<SDL_Texture, TextureDeleter> texture_;
  int surfaceWidth_ = 0, surfaceHeight_ = 0;
  int textureWidth_ = 0, textureHeight_ = 0;
  int maxTextureWidth_ = 0, maxTextureHeight_ = 0;  // 0: the renderer names no limit
  bool sharpScaling_ = true;
  RendererChoice choice_;
  bool hardware_ = false;  // SDL's renderer draws on a graphics card
  bool onCard_ = false;    // frames are enlarged there (presentOnCard)
  std::unique_ptr<SDL_Texture, TextureDeleter> enlarged_;  // the card path's whole-multiple picture
  int enlargedWidth_ = 0, enlargedHeight_ = 0;
  SharpScaler scaler_;
  double lastFrameMs_ = 0;
  int refreshRate_ = 60;
  uint64_t lastPresentEnd_ = 0;
  double lastPresentMs_ = 0;
  uint32_t mixerClock_ = 0;
  bool relativeMouse_ = false;
  bool mouseCaptured_ = false;
  bool fullscreen_ = false;
  Scaling scaling_ = Scaling::Sharp;
  int wheelZ_ = 0;
  std::deque<Event> pending_;
  SDL_Joystick* joystick_ = nullptr;
  bool padsReady_ = false;
  std::array<SDL_GameController*, kMaxPads> pads_{};
};

}  // namespace mv
