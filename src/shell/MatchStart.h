#pragma once
// What starts a match: the setup screen's choices or the command line's.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mv {

struct MatchSetup {
  std::string level;  // a file name in Maps, without a folder
  int32_t bots = 0;
  int32_t skill = 0;  // 0 .. 100
  bool hotseat = false;
  // The frag and time limits the match is played to (0 none); without them the settings' stay.
  std::optional<int32_t> fragLimit{};
  std::optional<int32_t> timeLimit{};
  // A network match: every person's name, in the order of their fighters (before the bots), and which
  // of them plays at this machine. Empty for a match at one machine.
  std::vector<std::string> people = {};
  int32_t you = 0;
};

}  // namespace mv
