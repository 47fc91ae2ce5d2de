#pragma once
// How a recording writes a network match (InputScript.h lists the words): the match as it began, and for
// every tick what the bundle brought each person, as changes of the held controls and whatever else
// there was. A replay builds the same bundles from these lines, without any network.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "net/Messages.h"
#include "shell/record/InputScript.h"

namespace mv {

// The lines of the match's start: each person's name, then the match.
std::vector<std::string> netMatchWords(const StartInfo& start);

// What a recording last said of each person's held controls, so it writes only changes.
struct RecordedPeople {
  std::array<uint16_t, kMaxPeople> held{};
  std::array<bool, kMaxPeople> playing{};
  std::array<double, kMaxPeople> padAim{};
};
// The lines of one tick's bundle.
std::vector<std::string> bundleWords(const Bundle& bundle, RecordedPeople& last);

// Reading back: the start once its lines are all in, and each tick's bundle from its lines.
class NetReplay {
 public:
  // A netname or netmatch line; true once the match can begin (start() holds it).
  bool startLine(const TimedEvent& line);
  const StartInfo& start() const { return start_; }
  // A person line of the coming tick.
  void personLine(const TimedEvent& line);
  // The bundle of `tick`: everyone still in, with what their lines said.
  Bundle take(int64_t tick);

 private:
  StartInfo start_;
  std::array<PersonInput, kMaxPeople> now_{};
  std::array<bool, kMaxPeople> left_{};
  std::vector<uint8_t> leaving_;
};

}  // namespace mv
