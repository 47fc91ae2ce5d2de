#pragma once
// The program's options. They are not the original game's: they serve tests, benchmarks and scripted
// runs (headless runs with a fixed step are repeatable to the pixel).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace mv {

struct CommandLine {
  bool help = false;
  bool window = false;
  bool headless = false;
  std::optional<int64_t> frames;      // run this many ticks, then end with exit code 0
  std::optional<int32_t> lag;         // fixed milliseconds per tick instead of the clock
  std::optional<uint32_t> seed;       // the random generator's seed instead of the clock
  std::string match;                  // start a match on this level at once
  int32_t bots = 0;                   // 0 .. 100
  int32_t skill = 100;                // 0 .. 100, like the setup screen
  bool botsGiven = false, skillGiven = false;
  bool hotseat = false;
  std::optional<int32_t> fragLimit;   // 0 .. 999, 0 none; unset keeps the setting's
  std::optional<int32_t> timeLimit;   // minutes, likewise
  std::vector<std::string> exec;      // console lines run after start-up
  std::vector<int64_t> screenshotAt;  // save a screenshot after each of these ticks
  std::string input;                  // file of timed input events
  std::string audioOut;               // headless: WAV file of everything the mixer plays
  std::string record;                 // write the run down to this file
  std::string replay;                 // play this recording again
  std::optional<int64_t> statsEvery;  // a statistics line on standard output every N ticks
  RendererChoice renderer = RendererChoice::Auto;  // how a window shows the frames
  // Network play: host a match (listening on hostAddress, every interface when empty) or join one.
  bool host = false;
  std::string hostAddress;
  std::string join;  // the host to join
  uint16_t port = 27960;
  int32_t players = 2;  // the host starts when this many people are in, itself included
  bool playersGiven = false;
  std::string name;       // this machine's person in a network match
  bool realtime = false;  // headless network play keeps to the clock
};

struct ParseResult {
  CommandLine options;
  std::string error;  // empty when the command line was understood
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help and after a bad command line.
std::string usageText();

}  // namespace mv
