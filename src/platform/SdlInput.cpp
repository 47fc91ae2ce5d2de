// Window events and polled device state of the SDL platform.

#include "platform/Cp1251.h"
#include "platform/KeyMap.h"
#include "platform/SdlPlatform.h"

namespace mv {

namespace {

Event makeEvent(EventKind kind) {
  Event e;
  e.kind = kind;
  return e;
}

unsigned buttonShift(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return ssLeft;
    case SDL_BUTTON_RIGHT:
      return ssRight;
    case SDL_BUTTON_MIDDLE:
      return ssMiddle;
    default:
      return 0;
  }
}

unsigned heldButtonsShift(Uint32 mask) {
  unsigned shift = 0;
  if (mask & SDL_BUTTON_LMASK) shift |= ssLeft;
  if (mask & SDL_BUTTON_RMASK) shift |= ssRight;
  if (mask & SDL_BUTTON_MMASK) shift |= ssMiddle;
  return shift;
}

// Keys whose character a Windows window receives right after the key itself, though they print nothing.
bool sendsControlCharacter(int vk) {
  return vk == 8 || vk == 9 || vk == 13 || vk == 27;
}

}  // namespace

unsigned SdlPlatform::modifierShift() const {
  SDL_Keymod mod = SDL_GetModState();
  unsigned shift = 0;
  if (mod & KMOD_SHIFT) shift |= ssShift;
  if (mod & KMOD_ALT) shift |= ssAlt;
  if (mod & KMOD_CTRL) shift |= ssCtrl;
  return shift;
}

bool SdlPlatform::pollEvent(Event& event) {
  SDL_Event e;
  while (pending_.empty() && SDL_PollEvent(&e)) translate(e);
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlPlatform::translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      pending_.push_back(makeEvent(EventKind::Quit));
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        // Movement made elsewhere is not the game's.
        SDL_GetRelativeMouseState(nullptr, nullptr);
        wheelZ_ = 0;
        pending_.push_back(makeEvent(EventKind::FocusGained));
      } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        pending_.push_back(makeEvent(EventKind::FocusLost));
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Keysym& sym = e.key.keysym;
      bool down = e.type == SDL_KEYDOWN;
      bool enter = sym.scancode == SDL_SCANCODE_RETURN || sym.scancode == SDL_SCANCODE_KP_ENTER;
      if (enter && (sym.mod & KMOD_ALT)) {
        if (down && !e.key.repeat) toggleFullscreen();
        break;
      }
      int vk = eventVirtualKey(sym.scancode, (sym.mod & KMOD_NUM) != 0);
      if (vk == 0) break;
      Event k = makeEvent(down ? EventKind::KeyDown : EventKind::KeyUp);
      k.key = vk;
      k.shift = (sym.mod & KMOD_SHIFT ? ssShift : 0u) | (sym.mod & KMOD_ALT ? ssAlt : 0u) |
                (sym.mod & KMOD_CTRL ? ssCtrl : 0u);
      pending_.push_back(k);
      if (down && sendsControlCharacter(vk) && !(sym.mod & (KMOD_ALT | KMOD_CTRL))) {
        Event c = makeEvent(EventKind::Char);
        c.ch = static_cast<uint8_t>(vk);
        pending_.push_back(c);
      }
      break;
    }
    case SDL_TEXTINPUT:
      for (char ch : utf8ToCp1251(e.text.text)) {
        Event c = makeEvent(EventKind::Char);
        c.ch = static_cast<uint8_t>(ch);
        pending_.push_back(c);
      }
      break;
    case SDL_MOUSEMOTION: {
      Event m = makeEvent(EventKind::MouseMove);
      toSurface(e.motion.x, e.motion.y, m.x, m.y);
      m.shift = heldButtonsShift(e.motion.state) | modifierShift();
      pending_.push_back(m);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      unsigned button = buttonShift(e.button.button);
      if (button == 0) break;
      Event m = makeEvent(e.type == SDL_MOUSEBUTTONDOWN ? EventKind::MouseDown : EventKind::MouseUp);
      toSurface(e.button.x, e.button.y, m.x, m.y);
      m.shift = button | modifierShift();
      pending_.push_back(m);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = e.wheel.y;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      // One wheel message of Windows carries 120 units per notch.
      wheelZ_ += notches * 120;
      for (int i = 0; i < notches; ++i) pending_.push_back(makeEvent(EventKind::WheelUp));
      for (int i = 0; i > notches; --i) pending_.push_back(makeEvent(EventKind::WheelDown));
      break;
    }
    case SDL_JOYDEVICEADDED:
      if (!joystick_) openJoystick(e.jdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      if (joystick_ && SDL_JoystickInstanceID(joystick_) == e.jdevice.which) {
        closeJoystick();
        if (SDL_NumJoysticks() > 0) openJoystick(0);
      }
      break;
    case SDL_CONTROLLERDEVICEADDED:
      openPad(e.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      closePad(e.cdevice.which);
      break;
    default:
      break;
  }
}

bool SdlPlatform::hasFocus() const {
  return window_ && (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlPlatform::pointerPosition(int& x, int& y) const {
  int wx = 0, wy = 0;
  SDL_GetMouseState(&wx, &wy);
  toSurface(wx, wy, x, y);
}

DeviceState SdlPlatform::pollDevices() {
  SDL_PumpEvents();
  int dx = 0, dy = 0;
  Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
  int dz = wheelZ_;
  wheelZ_ = 0;
  // Read whatever the focus: the input component idles the devices of a window in the background, and
  // SDL itself reports nothing held there.
  DeviceState state;

  int count = 0;
  const Uint8* held = SDL_GetKeyboardState(&count);
  for (int scancode = 0; scancode < count; ++scancode) {
    if (!held[scancode]) continue;
    // Code 0 collects the keys the input library had no code for; it is never set.
    if (int vk = polledVirtualKey(scancode); vk > 0 && vk < 256) state.keys[static_cast<size_t>(vk)] = 0x80;
  }

  state.mouseX = dx;
  state.mouseY = dy;
  state.mouseZ = dz;
  state.mouseButtons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
  state.mouseButtons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
  state.mouseButtons[2] = (buttons & SDL_BUTTON_MMASK) ? 0x80 : 0;

  if (joystick_) {
    state.joystickPresent = true;
    int axes = SDL_JoystickNumAxes(joystick_);
    for (int i = 0; i < 3 && i < axes; ++i) {
      // Reported from 0 like the system joystick service, so the midpoint is half the span.
      state.joyAxis[static_cast<size_t>(i)] = SDL_JoystickGetAxis(joystick_, i) + 32768;
      state.joyMin[static_cast<size_t>(i)] = 0;
      state.joyMax[static_cast<size_t>(i)] = 65535;
    }
    int buttonCount = std::min(SDL_JoystickNumButtons(joystick_), 32);
    state.joyButtonCount = std::max(buttonCount, 0);
    for (int i = 0; i < buttonCount; ++i)
      if (SDL_JoystickGetButton(joystick_, i)) state.joyButtons |= 1u << i;
  }
  readPads(state);
  return state;
}

void SdlPlatform::openJoystick(int index) {
  if (!joystickReady_) return;
  joystick_ = SDL_JoystickOpen(index);
}

void SdlPlatform::closeJoystick() {
  if (joystick_) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
}

}  // namespace mv
