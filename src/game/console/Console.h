#pragma once
// The drop-down console: its text buffer, the typed line, the message feed, and the one interpreter
// every command line goes through (typed, scripted, bound to a key or spoken by a bot).

#include <string>

namespace mv {

class TMan;

class TConsol {
 public:
  // Adds a line to the text buffer (and the message feed).
  void add(const std::string& line);
  // Runs one command line for a fighter (none: player 1).
  void runLine(const std::string& line, TMan* who);
};

}  // namespace mv
