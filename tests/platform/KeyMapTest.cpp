#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "platform/KeyMap.h"

namespace mv {
namespace {

TEST(KeyMap, PolledTableGivesLettersDigitsAndControlKeysTheirCodes) {
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_A), 'A');
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_Z), 'Z');
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_1), '1');
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_9), '9');
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_0), '0');
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_F10), 121);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_F11), 122);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_F12), 123);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_0), 96);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_1), 97);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_9), 105);
  // Both sides of a modifier read as the one generic code.
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LSHIFT), 16);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RSHIFT), 16);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LCTRL), 17);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RCTRL), 17);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LALT), 18);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RALT), 18);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_MINUS), 109);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_PLUS), 107);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_PERIOD), 110);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_DIVIDE), 111);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_APPLICATION), 93);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LGUI), 91);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RGUI), 92);
}

TEST(KeyMap, PolledTableKeepsTheCharacterCodeQuirksOfPunctuation) {
  // Punctuation reads as its unshifted character, colliding with navigation and system keys.
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_APOSTROPHE), 39);  // the right arrow's code
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_PERIOD), 46);      // Delete's code
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_LEFTBRACKET), 91);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_RIGHTBRACKET), 93);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_BACKSLASH), 92);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_SEMICOLON), 59);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_EQUALS), 61);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_COMMA), 44);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_SLASH), 47);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_MULTIPLY), 42);
  // Keys the library had no code for all land on 0.
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_MINUS), 0);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_GRAVE), 0);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_PRINTSCREEN), 0);
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(polledVirtualKey(-1), 0);
  EXPECT_EQ(polledVirtualKey(100000), 0);
}

TEST(KeyMap, EventTableGivesWindowsKeyCodes) {
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_W, true), 'W');
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_5, true), '5');
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_ESCAPE, true), 27);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_BACKSPACE, true), 8);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_TAB, true), 9);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_RETURN, true), 13);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_SEMICOLON, true), 186);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_EQUALS, true), 187);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_COMMA, true), 188);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_MINUS, true), 189);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_PERIOD, true), 190);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_SLASH, true), 191);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_GRAVE, true), 192);  // the usual console key
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_LEFTBRACKET, true), 219);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_BACKSLASH, true), 220);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_RIGHTBRACKET, true), 221);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_APOSTROPHE, true), 222);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_MULTIPLY, true), 106);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_PAUSE, true), 19);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_PAGEDOWN, true), 34);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_F12, true), 123);
}

TEST(KeyMap, EventKeypadFollowsNumLock) {
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_0, true), 96);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_7, true), 103);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_PERIOD, true), 110);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_0, false), 45);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_7, false), 36);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_8, false), 38);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_5, false), 12);
  EXPECT_EQ(eventVirtualKey(SDL_SCANCODE_KP_PERIOD, false), 46);
  // The polled array does not care about Num Lock.
  EXPECT_EQ(polledVirtualKey(SDL_SCANCODE_KP_7), 103);
}

TEST(KeyMap, EveryScancodeMapsIntoTheKeyArray) {
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    int polled = polledVirtualKey(sc);
    int event = eventVirtualKey(sc, sc % 2 == 0);
    EXPECT_TRUE(polled >= 0 && polled < 256) << sc;
    EXPECT_TRUE(event >= 0 && event < 256) << sc;
  }
}

}  // namespace
}  // namespace mv
