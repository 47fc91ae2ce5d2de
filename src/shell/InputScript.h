#pragma once
// Timed input for scripted runs: each line names the tick before which an event reaches the game.
//
//   # comment
//   10 keydown 65          key down, Windows virtual-key code, optional shift bits
//   12 keyup 65
//   20 char 97             one typed character (a Windows-1251 code)
//   20 text hello world    the rest of the line typed character by character
//   30 mousemove 400 300   pointer position in back-surface pixels
//   31 mousedown 400 300   left button; "31 mousedown 400 300 right" (or middle) for the others
//   32 mouseup 400 300     (the same button word)
//   33 mouserel 5 -3       relative movement, as aiming reads it from the polled mouse
//   34 console bind A "FIRE"
//                          the rest of the line (UTF-8) run through the console as if typed
//   40 wheelup             (and wheeldown)
//   50 focus off           (and focus on)
//   99 quit
//
// Key downs and ups also hold and release the key in the polled keyboard state; mouse button downs
// and ups do the same for the polled mouse buttons.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace mv {

// What a scripted line does besides handing the platform an event.
enum class ScriptedKind { PlatformEvent, ConsoleLine, MouseRelative };

struct TimedEvent {
  int64_t tick = 0;
  Event event;  // for MouseRelative: the movement in x, y
  ScriptedKind kind = ScriptedKind::PlatformEvent;
  std::string consoleLine;  // Windows-1251
};

// Parses a whole script. Throws mv::Error naming the line on anything it does not understand.
std::vector<TimedEvent> parseInputScript(const std::string& text);
// "Cannot open file %s" for anything but a readable plain file; a line it cannot understand is told
// with the file's name ("Input script line N: ... in <path>").
std::vector<TimedEvent> loadInputScript(const std::string& path);

}  // namespace mv
