#include "engine/input/DXInput.h"

#include <algorithm>

namespace mv {

namespace {

constexpr uint8_t kHeld = 0x80;

// a * b / c taken to the nearest integer with halves to the even neighbour, the game's near(); c > 0.
// Worked in integers, wide enough for any reading and range the types allow, so no half is lost to a
// floating-point quotient.
__int128 mulDivNear(int64_t a, int64_t b, int64_t c) {
  const __int128 n = static_cast<__int128>(a) * b;
  __int128 q = n / c, r = n % c;  // r takes n's sign
  if (r < 0) {
    --q;
    r += c;
  }
  if (2 * r > c || (2 * r == c && q % 2 != 0)) ++q;
  return q;
}

}  // namespace

bool TCustomInput::buttonHeld(int32_t n) const {
  if (n < 0 || n > isButton32 - isButton1) return false;
  return states.test(static_cast<size_t>(isButton1 + n));
}

void TCustomInput::setDirections(int32_t dx, int32_t dy) {
  states.set(isLeft, dx < 0);
  states.set(isRight, dx > 0);
  states.set(isUp, dy < 0);
  states.set(isDown, dy > 0);
}

TKeyboard::TKeyboard() {
  BindInputStates = true;
  // Nothing in the game reads the keyboard's named states; the arrows and the keypad stand in for a
  // stick and the usual fire keys for its first buttons.
  Assigns[isUp] = {38, 104, 0};
  Assigns[isDown] = {40, 98, 0};
  Assigns[isLeft] = {37, 100, 0};
  Assigns[isRight] = {39, 102, 0};
  Assigns[isButton1] = {17, 32, 13};
  Assigns[isButton1 + 1] = {16, 0, 0};
}

void TKeyboard::poll(const DeviceState& polled, bool seen) {
  keys.fill(0);
  states.reset();
  if (!seen) return;
  for (size_t code = 1; code < keys.size(); ++code)
    if (polled.keys[code] & kHeld) keys[code] = kHeld;
  for (int32_t i = 0; i < kInputStates; ++i)
    for (uint8_t code : Assigns[static_cast<size_t>(i)])
      if (keyHeld(code)) states.set(static_cast<size_t>(i));
}

bool TKeyboard::keyHeld(int32_t code) const {
  if (code < 1 || code > 255) return false;
  return (keys[static_cast<size_t>(code)] & kHeld) != 0;
}

void TMouse::poll(const DeviceState& polled, bool seen) {
  x = y = z = 0;
  buttons.fill(0);
  states.reset();
  if (!seen) return;
  x = polled.mouseX;
  y = polled.mouseY;
  z = polled.mouseZ;
  buttons = polled.mouseButtons;
  setDirections(x, y);
  // The mouse reports three buttons; a fourth byte is never a button state.
  for (int32_t i = 0; i < 3; ++i)
    states.set(static_cast<size_t>(isButton1 + i), (buttons[static_cast<size_t>(i)] & kHeld) != 0);
}

int32_t scaleJoystickAxis(int32_t p, int32_t lo, int32_t hi, int32_t deadZone, int32_t range) {
  const int64_t half = (static_cast<int64_t>(hi) - lo) / 2;
  const int64_t d = half * deadZone / 100;
  // Measured from the middle of the device's own travel, so a stick reporting from a minimum other
  // than 0 still centres.
  const int64_t c = static_cast<int64_t>(p) - lo - half;
  if (range <= 0 || half - d <= 0 || (c < 0 ? -c : c) <= d) return 0;
  const __int128 v = mulDivNear(c > 0 ? c - d : c + d, range, half - d);
  // A reading past the reported ends must not read past the range.
  const __int128 r = range;
  return static_cast<int32_t>(v > r ? r : v < -r ? -r : v);
}

TJoystick::TJoystick() {
  setDeadZone(OffsetX, 10);
  setDeadZone(OffsetY, 10);
  setDeadZone(OffsetZ, 0);
  for (int32_t axis : {OffsetX, OffsetY, OffsetZ}) setRange(axis, 1000);
  deadZones_[OffsetHat] = ranges_[OffsetHat] = -1;
}

void TJoystick::poll(const DeviceState& polled, bool seen) {
  x = y = z = 0;
  buttons = 0;
  states.reset();
  if (!seen || !polled.joystickPresent) return;
  int32_t* axes[3] = {&x, &y, &z};
  const int32_t offsets[3] = {OffsetX, OffsetY, OffsetZ};
  for (size_t i = 0; i < 3; ++i)
    *axes[i] = scaleJoystickAxis(polled.joyAxis[i], polled.joyMin[i], polled.joyMax[i], deadZone(offsets[i]),
                                 range(offsets[i]));
  const int32_t count = std::clamp(polled.joyButtonCount, 0, 32);
  for (int32_t i = 0; i < count; ++i)
    if (polled.joyButtons & (1u << i)) buttons |= 1u << i;
  for (int32_t i = 0; i < 32; ++i) states.set(static_cast<size_t>(isButton1 + i), (buttons >> i) & 1u);
  setDirections(x, y);
}

int32_t TJoystick::deadZone(int32_t offset) const {
  return validOffset(offset) ? deadZones_[static_cast<size_t>(offset)] : 0;
}

void TJoystick::setDeadZone(int32_t offset, int32_t value) {
  if (!validOffset(offset) || offset == OffsetHat) return;
  deadZones_[static_cast<size_t>(offset)] = std::clamp(value, 0, 100);
}

int32_t TJoystick::range(int32_t offset) const {
  return validOffset(offset) ? ranges_[static_cast<size_t>(offset)] : 0;
}

void TJoystick::setRange(int32_t offset, int32_t value) {
  if (!validOffset(offset) || offset == OffsetHat) return;
  ranges_[static_cast<size_t>(offset)] = std::max(value, 0);
}

TDXInput::TDXInput() = default;

void TDXInput::update(const DeviceState& polled, bool active) {
  const bool seen = active || !ActiveOnly;
  Joystick.poll(polled, seen && Joystick.Enabled);
  Keyboard.poll(polled, seen && Keyboard.Enabled);
  Mouse.poll(polled, seen && Mouse.Enabled);
  for (size_t i = 0; i < Pads.size(); ++i) Pads[i].poll(polled.pads[i], seen);
  states.reset();
  const TCustomInput* devices[] = {&Joystick, &Keyboard, &Mouse};
  for (const TCustomInput* device : devices)
    if (device->BindInputStates) states |= device->states;
}

}  // namespace mv
