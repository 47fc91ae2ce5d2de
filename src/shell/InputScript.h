#pragma once
// Timed input for scripted runs: each line names the tick before which an event reaches the game.
//
//   # comment
//   10 keydown 65          key down, Windows virtual-key code, optional shift bits
//   12 keyup 65
//   20 char 97             one typed character (a Windows-1251 code)
//   20 text hello world    the rest of the line typed character by character
//   30 mousemove 400 300   pointer position in back-surface pixels
//   31 mousedown 400 300
//   32 mouseup 400 300
//   40 wheelup             (and wheeldown)
//   50 focus off           (and focus on)
//   99 quit
//
// Key downs and ups also hold and release the key in the polled keyboard state.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace mv {

struct TimedEvent {
  int64_t tick = 0;
  Event event;
};

// Parses a whole script. Throws mv::Error naming the line on anything it does not understand.
std::vector<TimedEvent> parseInputScript(const std::string& text);
std::vector<TimedEvent> loadInputScript(const std::string& path);

}  // namespace mv
