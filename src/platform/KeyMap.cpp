#include "platform/KeyMap.h"

#include <SDL_scancode.h>

namespace mv {

namespace {

// Codes both tables share: letters, digits, function keys, editing and navigation keys, modifiers.
int commonVirtualKey(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return 112 + (scancode - SDL_SCANCODE_F1);
  switch (scancode) {
    case SDL_SCANCODE_0:
      return '0';
    case SDL_SCANCODE_RETURN:
      return 13;
    case SDL_SCANCODE_KP_ENTER:
      return 13;
    case SDL_SCANCODE_ESCAPE:
      return 27;
    case SDL_SCANCODE_BACKSPACE:
      return 8;
    case SDL_SCANCODE_TAB:
      return 9;
    case SDL_SCANCODE_SPACE:
      return 32;
    case SDL_SCANCODE_CAPSLOCK:
      return 20;
    case SDL_SCANCODE_SCROLLLOCK:
      return 145;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return 144;
    case SDL_SCANCODE_INSERT:
      return 45;
    case SDL_SCANCODE_HOME:
      return 36;
    case SDL_SCANCODE_PAGEUP:
      return 33;
    case SDL_SCANCODE_DELETE:
      return 46;
    case SDL_SCANCODE_END:
      return 35;
    case SDL_SCANCODE_PAGEDOWN:
      return 34;
    case SDL_SCANCODE_LEFT:
      return 37;
    case SDL_SCANCODE_UP:
      return 38;
    case SDL_SCANCODE_RIGHT:
      return 39;
    case SDL_SCANCODE_DOWN:
      return 40;
    case SDL_SCANCODE_KP_DIVIDE:
      return 111;
    case SDL_SCANCODE_KP_MINUS:
      return 109;
    case SDL_SCANCODE_KP_PLUS:
      return 107;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return 16;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return 17;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return 18;
    case SDL_SCANCODE_LGUI:
      return 91;
    case SDL_SCANCODE_RGUI:
      return 92;
    case SDL_SCANCODE_APPLICATION:
      return 93;
    default:
      return 0;
  }
}

int keypadDigit(int scancode) {
  if (scancode == SDL_SCANCODE_KP_0) return 0;
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return 1 + (scancode - SDL_SCANCODE_KP_1);
  return -1;
}

}  // namespace

int polledVirtualKey(int scancode) {
  if (int digit = keypadDigit(scancode); digit >= 0) return 96 + digit;
  switch (scancode) {
    case SDL_SCANCODE_SEMICOLON:
      return ';';
    case SDL_SCANCODE_EQUALS:
      return '=';
    case SDL_SCANCODE_COMMA:
      return ',';
    case SDL_SCANCODE_PERIOD:
      return '.';
    case SDL_SCANCODE_SLASH:
      return '/';
    case SDL_SCANCODE_LEFTBRACKET:
      return '[';
    case SDL_SCANCODE_RIGHTBRACKET:
      return ']';
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH:
      return '\\';
    case SDL_SCANCODE_APOSTROPHE:
      return '\'';
    case SDL_SCANCODE_KP_MULTIPLY:
      return '*';
    case SDL_SCANCODE_KP_PERIOD:
      return 110;
    default:
      return commonVirtualKey(scancode);
  }
}

int eventVirtualKey(int scancode, bool numLock) {
  if (int digit = keypadDigit(scancode); digit >= 0) {
    if (numLock) return 96 + digit;
    // Insert, End, Down, Page Down, Left, Clear, Right, Home, Up, Page Up.
    static constexpr int kNavigation[10] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
    return kNavigation[digit];
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return 124 + (scancode - SDL_SCANCODE_F13);
  switch (scancode) {
    case SDL_SCANCODE_SEMICOLON:
      return 186;
    case SDL_SCANCODE_EQUALS:
      return 187;
    case SDL_SCANCODE_COMMA:
      return 188;
    case SDL_SCANCODE_MINUS:
      return 189;
    case SDL_SCANCODE_PERIOD:
      return 190;
    case SDL_SCANCODE_SLASH:
      return 191;
    case SDL_SCANCODE_GRAVE:
      return 192;
    case SDL_SCANCODE_LEFTBRACKET:
      return 219;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH:
      return 220;
    case SDL_SCANCODE_RIGHTBRACKET:
      return 221;
    case SDL_SCANCODE_APOSTROPHE:
      return 222;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return 226;
    case SDL_SCANCODE_KP_MULTIPLY:
      return 106;
    case SDL_SCANCODE_KP_PERIOD:
      return numLock ? 110 : 46;
    case SDL_SCANCODE_PRINTSCREEN:
      return 44;
    case SDL_SCANCODE_PAUSE:
      return 19;
    default:
      return commonVirtualKey(scancode);
  }
}

}  // namespace mv
