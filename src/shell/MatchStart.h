#pragma once
// What starts a match: the setup screen's choices or the command line's.

#include <cstdint>
#include <string>

namespace mv {

struct MatchSetup {
  std::string level;  // a file name in Maps, without a folder
  int32_t bots = 0;
  int32_t skill = 0;  // 0 .. 100
  bool hotseat = false;
};

}  // namespace mv
