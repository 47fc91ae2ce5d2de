#pragma once
// The input component: keyboard, mouse and one joystick, polled once per frame into snapshots that the
// rest of the frame only reads. Menus and the console take their input from the window's events
// instead; this is what the fighters' bindings and aiming look at.

#include <array>
#include <bitset>
#include <cstdint>

#include "engine/input/GamePad.h"
#include "platform/Platform.h"

namespace mv {

// The 36 named states of a device: the four directions, then buttons 1 to 32.
enum InputState : int32_t {
  isUp = 0,
  isDown = 1,
  isLeft = 2,
  isRight = 3,
  isButton1 = 4,  // button n (from 0) is isButton1 + n
  isButton32 = 35,
};
constexpr int32_t kInputStates = 36;
using TInputStates = std::bitset<kInputStates>;

class TCustomInput {
 public:
  virtual ~TCustomInput() = default;

  // Button n (from 0) of the device in this poll; buttons past the 32nd are never held.
  bool buttonHeld(int32_t n) const;

  bool Enabled = true;
  bool BindInputStates = false;
  TInputStates states;

 protected:
  // Sets the four direction states from the signs of a movement or a stick position.
  void setDirections(int32_t dx, int32_t dy);
};

class TKeyboard : public TCustomInput {
 public:
  TKeyboard();
  // Clears the snapshot and, when seen is set, reads it from the polled state.
  void poll(const DeviceState& polled, bool seen);
  // Held by Windows virtual-key code; codes outside 1 .. 255 are never held.
  bool keyHeld(int32_t code) const;

  std::array<uint8_t, 256> keys{};  // bit 7 = held
  // For each named state, up to three key codes that set it (0 for none).
  std::array<std::array<uint8_t, 3>, kInputStates> Assigns{};
};

class TMouse : public TCustomInput {
 public:
  void poll(const DeviceState& polled, bool seen);

  int32_t x = 0, y = 0, z = 0;  // movement since the previous poll, y downward
  std::array<uint8_t, 4> buttons{};
};

// Scales a raw joystick reading between the device's minimum and maximum to -range .. range, with the
// middle dead-zone percent of each half of the travel reading as 0.
int32_t scaleJoystickAxis(int32_t p, int32_t lo, int32_t hi, int32_t deadZone, int32_t range);

class TJoystick : public TCustomInput {
 public:
  // Axis tables are indexed by the axis's byte offset in the joystick's state record.
  static constexpr int32_t OffsetX = 0, OffsetY = 4, OffsetZ = 8, OffsetHat = 32, LastOffset = 270;

  TJoystick();
  void poll(const DeviceState& polled, bool seen);

  // Dead zone in percent, 0 .. 100; the setter clamps. Offsets outside 0 .. 270 read 0 and are not
  // stored; the hat switch has none and always reads -1.
  int32_t deadZone(int32_t offset) const;
  void setDeadZone(int32_t offset, int32_t value);
  // Range of an axis (its reading spans -range .. range), 0 or more; the setter clamps below.
  int32_t range(int32_t offset) const;
  void setRange(int32_t offset, int32_t value);

  // The console's "joydeadx" and "joydeady".
  int32_t DeadZoneX() const { return deadZone(OffsetX); }
  void setDeadZoneX(int32_t value) { setDeadZone(OffsetX, value); }
  int32_t DeadZoneY() const { return deadZone(OffsetY); }
  void setDeadZoneY(int32_t value) { setDeadZone(OffsetY, value); }

  int32_t x = 0, y = 0, z = 0;  // positions, -range .. range
  uint32_t buttons = 0;         // bit i = button i held

 private:
  static bool validOffset(int32_t offset) { return offset >= 0 && offset <= LastOffset; }
  std::array<int32_t, LastOffset + 1> deadZones_{};
  std::array<int32_t, LastOffset + 1> ranges_{};
};

class TDXInput {
 public:
  TDXInput();

  // Polls every device from what the platform read this frame. active says whether the game's window
  // has the focus; with ActiveOnly set, a device of an inactive window reads idle.
  void update(const DeviceState& polled, bool active);

  bool ActiveOnly = true;
  // Created, and polled, in this order.
  TJoystick Joystick;
  TKeyboard Keyboard;
  TMouse Mouse;
  // Game pads, beside the component's three devices: they drive the players and the menus by themselves.
  std::array<TGamePad, kMaxPads> Pads;
  // The states of the devices with BindInputStates set, merged.
  TInputStates states;
};

}  // namespace mv
