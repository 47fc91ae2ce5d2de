#include "net/LinePolicy.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "game/console/TextRules.h"

namespace mv {
namespace {

constexpr std::array<std::string_view, 2> kTravelling = {"say", "name"};
// Settings of the shared world, which the host's start sets on every machine.
constexpr std::array<std::string_view, 4> kWorldSettings = {"meatoff", "fraglimit", "timelimit", "classic"};

template <size_t N>
bool among(const std::array<std::string_view, N>& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool printable(const std::string& line) {
  return std::none_of(line.begin(), line.end(), [](char c) { return static_cast<uint8_t>(c) < 0x20; });
}

}  // namespace

std::string commandWord(const std::string& line) {
  return asciiLower(line.substr(0, line.find(' ')));
}

LineRoute routeLine(const std::string& line) {
  const std::string word = commandWord(line);
  const size_t space = line.find(' ');
  const bool hasArgument = space != std::string::npos && space + 1 < line.size();
  if (word == "name" && !hasArgument) return LineRoute::Here;
  if (among(kTravelling, word)) return LineRoute::Travel;
  if (word == "godmode" || among(kWorldSettings, word)) return LineRoute::Refused;
  return LineRoute::Here;
}

bool sharedLine(const std::string& line) {
  return !line.empty() && line.size() <= kMaxLineLength && printable(line) &&
         among(kTravelling, commandWord(line));
}

std::string travellingLine(std::string line) {
  if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
  for (char& c : line)
    if (static_cast<uint8_t>(c) < 0x20) c = '?';
  return line;
}

}  // namespace mv
