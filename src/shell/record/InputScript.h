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
//   33 mouserel 5 -3       relative movement, as aiming reads it from the polled mouse; a third number
//                          is wheel travel (120 a notch)
//   34 console bind A "FIRE"
//                          the rest of the line (UTF-8) run through the console as if typed
//   40 wheelup             (and wheeldown)
//   50 focus off           (and focus on)
//   60 lag 25              from this tick on every tick lasts 25 milliseconds
//   70 pad 0 axes 0 0 0 20000 0 32767 buttons 64
//                          game pad 0 (or 1) from now on: the sticks' and triggers' SDL readings (left x
//                          y, right x y, left and right trigger) and its buttons by SDL's numbers (bit 6
//                          Start); "70 pad 0 none" unplugs it
//   99 quit
//
// Key downs and ups also hold and release the key in the polled keyboard state; mouse button downs
// and ups do the same for the polled mouse buttons.
//
// A recording (Recording.h) is the same format with a few more words, for what the game read from its
// devices each frame rather than what happened to them:
//
//   5 hold 65 [BYTE]       the polled keyboard holds key 65 from now on (bit 7 of BYTE, 128 if not given)
//   9 release 65
//   5 buttons 128 0 0 0    the polled mouse buttons
//   5 joystick none        or: joystick axes X Y Z min X Y Z max X Y Z buttons MASK of COUNT
//   5 devicefocus off      the window's focus as the poll saw it
//   5 pointer 400 300      the pointer position the frame drew the cursor at
//   0 match bots N skill N [hotseat] [fraglimit N] [timelimit N] level NAME
//                          the match the command line started
//   0 netname 1 NAME       a network match's person and name, before the match itself:
//   0 netmatch you P seed S bots N skill N meatoff M fraglimit F timelimit T level NAME
//   5 person 1 held BITS   what that tick's bundle brought person 1: held controls when they change,
//                          "playing on|off", "aim AMOUNT DIVISOR", "pad BITS" (a game pad's pull
//                          times the sensitivity, a double's bits), "wheel up|down", "line TEXT",
//                          or "leaves" (the fighter leaves the match)
//   700 end                the recording stops before this tick
// There, key and mouse events reach the window's handlers only; the polled state comes from these lines.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace mv {

// What a scripted line does besides handing the platform an event.
enum class ScriptedKind {
  PlatformEvent,
  ConsoleLine,
  MouseRelative,  // values: dx, dy, dz
  Lag,            // values: milliseconds
  Pad,            // values: pad; then, when plugged in, six axes and the buttons' mask
  // Recordings only:
  HeldKey,       // values: virtual-key code, state byte
  MouseButtons,  // values: four state bytes
  Joystick,      // values: empty for none, else x y z, min x y z, max x y z, buttons mask, button count
  DeviceFocus,   // values: 1 focused, 0 not
  Pointer,       // values: x, y
  Match,         // consoleLine: the level; values: bots, skill, hotseat, frag limit, time limit (-1 none)
  NetName,       // values: person; consoleLine: the name
  NetMatch,      // consoleLine: the level; values: you, seed, bots, skill, meatoff, fraglimit, timelimit
  NetPerson,     // values: person, what (held, playing, aim, wheel, line, leaves, pad), and its numbers;
                 // consoleLine: a line's text
  End,
};

struct TimedEvent {
  int64_t tick = 0;
  Event event;
  ScriptedKind kind = ScriptedKind::PlatformEvent;
  std::string consoleLine;  // Windows-1251
  std::vector<int64_t> values;
};

// The pad of a "pad" line as the devices report it.
PadState padState(const TimedEvent& line);

// Parses a whole script. Throws mv::Error naming the line on anything it does not understand.
std::vector<TimedEvent> parseInputScript(const std::string& text);
// "Cannot open file %s" for anything but a readable plain file; a line it cannot understand is told
// with the file's name ("Input script line N: ... in <path>").
std::vector<TimedEvent> loadInputScript(const std::string& path);

// One line of a script or, with recording set, of a recording; what it says is appended to out (a "text"
// line says many things, a comment nothing). what names the file in the error.
void parseTimedLine(const std::string& line, int lineNumber, bool recording, const char* what,
                    std::vector<TimedEvent>& out);
// The words of a window event as a script line writes them after the tick.
std::string formatEvent(const Event& event);

}  // namespace mv
