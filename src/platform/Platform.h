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

// A game pad SDL knows (its own mappings, or those of gamecontrollerdb.txt beside the game), in SDL's
// order of buttons and axes.
enum PadButton : int {
  PadA = 0,
  PadB,
  PadX,
  PadY,
  PadBack,
  PadGuide,
  PadStart,
  PadLeftStick,
  PadRightStick,
  PadLeftShoulder,
  PadRightShoulder,
  PadUp,
  PadDown,
  PadLeft,
  PadRight,
  PadButtonCount,
};
enum PadAxis : int {
  PadLeftX = 0,
  PadLeftY,
  PadRightX,
  PadRightY,
  PadLeftTrigger,
  PadRightTrigger,
  PadAxisCount
};
constexpr int kMaxPads = 2;  // one for each person of a Hotseat match

struct PadState {
  bool present = false;
  std::array<int16_t, PadAxisCount> axes{};  // sticks -32768 .. 32767 (y grows downward), triggers 0 .. 32767
  uint32_t buttons = 0;                      // bit PadButton set = held
  bool operator==(const PadState&) const = default;
};

// How the back surface is scaled to the screen.
enum class Scaling : int {
  Sharp = 0,    // as large as fits, area-weighted so every pixel keeps an even size
  Nearest = 1,  // as large as fits, nearest pixel
  Whole = 2,    // the largest whole multiple that fits, smaller than the screen where need be
};

// What the input devices held at the moment of one poll. While the game lacks the focus the input
// component reads every poll as idle: nothing held, no movement.
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
  // Pads keep their slot while plugged in; a pad plugged in later takes the first free one. The joystick
  // above is the first joystick of any kind, a pad included.
  std::array<PadState, kMaxPads> pads{};
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

  // Captured, the mouse only aims: relative movement, and the pointer cannot leave the window. Free, the
  // system pointer moves over the menus and out of the window, and the game's pointer follows it.
  virtual void setMouseCaptured(bool captured) {}
  // Full screen at the desktop's resolution, or a window; asked before the display opens, it is how the
  // display opens.
  virtual void setFullScreen(bool on) {}
  virtual bool fullScreen() const { return false; }
  virtual void setScaling(Scaling mode) {}
  virtual Scaling scaling() const { return Scaling::Sharp; }

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
