#pragma once
// The one seam between the game and the machine. Everything above this folder talks to the window,
// the input devices, the clock and the sound device through these types only; an SDL back end and a
// headless back end implement them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Error.h"

namespace mv {

class Mixer;

// A failure of the platform, carrying the text the player is shown.
class PlatformError : public Error {
 public:
  using Error::Error;
};

// Shift state bits as a Windows program receives them with its key and mouse events.
enum ShiftState : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
};

enum class EventKind {
  KeyDown,    // key: Windows virtual-key code, shift: ShiftState bits
  KeyUp,      // key, shift
  Char,       // ch: one Windows-1251 byte (Backspace 8, Tab 9, Enter 13, Escape 27 included)
  MouseDown,  // x, y in back-surface pixels, shift holds the button (ssLeft, ssRight, ssMiddle)
  MouseMove,  // x, y
  MouseUp,    // x, y, shift
  WheelUp,
  WheelDown,
  FocusGained,
  FocusLost,
  Quit,
};

struct Event {
  EventKind kind = EventKind::Quit;
  int key = 0;
  unsigned shift = 0;
  uint8_t ch = 0;
  int x = 0;
  int y = 0;
};

// What the input devices held at the moment of one poll. While the game lacks the focus every poll
// reads as idle: nothing held, no movement.
struct DeviceState {
  std::array<uint8_t, 256> keys{};         // by virtual-key code, bit 7 set = held
  int mouseX = 0, mouseY = 0, mouseZ = 0;  // movement since the previous poll, y grows downward
  std::array<uint8_t, 4> mouseButtons{};   // bit 7 set = held; only three buttons are reported
  bool joystickPresent = false;
  // Axes read from 0 like the system joystick service's (0..65535 for SDL's full travel), so the middle
  // is half the span; an axis the stick lacks reads 0 with minimum and maximum 0.
  std::array<int, 3> joyAxis{};  // raw x, y, z readings
  std::array<int, 3> joyMin{};   // the device's reported minimum per axis
  std::array<int, 3> joyMax{};   // and maximum
  uint32_t joyButtons = 0;       // bit i = button i held
  int joyButtonCount = 0;
};

// Which way a finished frame reaches the screen. The graphics card enlarges it by whole multiples and
// smooths the rest (the sharp look at no cost to the processor); the processor's sharp scaling suits a
// software renderer. Auto takes the card where SDL's renderer is a hardware one.
enum class RendererChoice { Auto, Gpu, Cpu };

// "auto", "gpu", "cpu": the option's and the settings' words.
const char* rendererChoiceName(RendererChoice choice);
bool parseRendererChoice(const std::string& text, RendererChoice& choice);

class Platform {
 public:
  virtual ~Platform() = default;

  // Opens the display for a back surface of width x height 16-bit pixels. Throws PlatformError when no
  // display can be had.
  virtual void openDisplay(int width, int height) = 0;
  // Shows a finished back surface (5-6-5 pixels, pitch in pixels), scaled with its aspect ratio kept, in
  // step with the display refresh. A changed size is taken as it comes.
  virtual void present(const uint16_t* pixels, int width, int height, int pitch) = 0;

  // The next window event, if any.
  virtual bool pollEvent(Event& event) = 0;
  // Polls keyboard, mouse and joystick once.
  virtual DeviceState pollDevices() = 0;
  virtual bool hasFocus() const = 0;
  // The pointer position in back-surface pixels.
  virtual void pointerPosition(int& x, int& y) const = 0;

  // Milliseconds since an arbitrary start.
  virtual uint32_t ticks() = 0;
  // Gives the processor away for a moment when a frame came early.
  virtual void delay(uint32_t ms) = 0;

  // A modal message (Windows-1251 text). Headless, a line on standard error.
  virtual void messageBox(const std::string& caption, const std::string& text) = 0;

  virtual Mixer& mixer() = 0;

  // The renderer choice (the settings screen's); it holds from the next frame on.
  virtual void setRendererChoice(RendererChoice) {}
  virtual RendererChoice rendererChoice() const { return RendererChoice::Auto; }
  // What presented the last frame, one word for statistics lines: "gpu:NAME" or "cpu:NAME" with SDL's
  // renderer, "headless" without a display.
  virtual std::string presentationName() const { return "none"; }
};

struct PlatformOptions {
  bool windowed = false;  // a window instead of full screen at the desktop's resolution
  RendererChoice renderer = RendererChoice::Auto;
  std::string title = "Mashvolt";
};

std::unique_ptr<Platform> createSdlPlatform(const PlatformOptions& options);

// No window, no device: the back surface stays in memory, events come from inject(), the clock moves by
// a fixed step on every present, sounds are tracked but silent.
class HeadlessPlatform;
std::unique_ptr<HeadlessPlatform> createHeadlessPlatform(uint32_t stepMs);

}  // namespace mv
