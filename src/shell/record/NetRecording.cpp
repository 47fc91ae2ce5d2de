#include "shell/record/NetRecording.h"

#include <bit>

#include "platform/Cp1251.h"
#include "platform/Error.h"

namespace mv {
namespace {

enum PersonWord : int64_t { WordHeld, WordPlaying, WordAim, WordWheel, WordLine, WordLeaves, WordPad };

}  // namespace

std::vector<std::string> netMatchWords(const StartInfo& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.names.size(); ++i) out.push_back(format("netname %zu %s", i, cp1251ToUtf8(s.names[i]).c_str()));
  out.push_back(format("netmatch you %u seed %u bots %d skill %d meatoff %d fraglimit %d timelimit %d level %s",
                       unsigned{s.you}, s.seed, s.bots, s.skill, s.meatOff, s.fragLimit, s.timeLimit,
                       s.level.c_str()));
  return out;
}

std::vector<std::string> bundleWords(const Bundle& bundle, RecordedPeople& last) {
  std::vector<std::string> out;
  for (const auto& [p, input] : bundle.inputs) {
    if (input.held != last.held[p]) out.push_back(format("person %u held %u", unsigned{p}, unsigned{input.held}));
    if (input.playing != last.playing[p])
      out.push_back(format("person %u playing %s", unsigned{p}, input.playing ? "on" : "off"));
    // A pad's pull by its bits: the replay must turn the aim by the very same number.
    if (input.padAim != last.padAim[p])
      out.push_back(format("person %u pad %lld", unsigned{p},
                           static_cast<long long>(std::bit_cast<int64_t>(input.padAim))));
    last.held[p] = input.held;
    last.playing[p] = input.playing;
    last.padAim[p] = input.padAim;
    for (const AimChange& c : input.aim)
      out.push_back(format("person %u aim %d %u", unsigned{p}, c.amount, unsigned{c.divisor}));
    for (int8_t step : input.wheel) out.push_back(format("person %u wheel %s", unsigned{p}, step > 0 ? "up" : "down"));
    for (const std::string& line : input.lines)
      out.push_back(format("person %u line %s", unsigned{p}, cp1251ToUtf8(line).c_str()));
  }
  for (uint8_t p : bundle.leaving) out.push_back(format("person %u leaves", unsigned{p}));
  return out;
}

bool NetReplay::startLine(const TimedEvent& line) {
  const auto& v = line.values;
  if (line.kind == ScriptedKind::NetName) {
    const size_t person = static_cast<size_t>(v[0]);
    if (start_.names.size() <= person) start_.names.resize(person + 1);
    start_.names[person] = line.consoleLine;
    return false;
  }
  start_.you = static_cast<uint8_t>(v[0]);
  start_.seed = static_cast<uint32_t>(v[1]);
  start_.bots = static_cast<int32_t>(v[2]);
  start_.skill = static_cast<int32_t>(v[3]);
  start_.meatOff = static_cast<int32_t>(v[4]);
  start_.fragLimit = static_cast<int32_t>(v[5]);
  start_.timeLimit = static_cast<int32_t>(v[6]);
  start_.level = line.consoleLine;
  // A recording that names fewer people than it places this machine among is no match to play.
  return start_.you < start_.names.size();
}

void NetReplay::personLine(const TimedEvent& line) {
  const auto& v = line.values;
  const size_t p = static_cast<size_t>(v[0]);
  if (p >= start_.names.size() || left_[p]) return;
  PersonInput& in = now_[p];
  switch (v[1]) {
    case WordHeld:
      in.held = static_cast<uint16_t>(v[2]);
      break;
    case WordPlaying:
      in.playing = v[2] != 0;
      break;
    case WordAim:
      in.aim.push_back({static_cast<int32_t>(v[2]), static_cast<uint16_t>(v[3])});
      break;
    case WordWheel:
      in.wheel.push_back(static_cast<int8_t>(v[2]));
      break;
    case WordLine:
      in.lines.push_back(line.consoleLine);
      break;
    case WordLeaves:
      left_[p] = true;
      leaving_.push_back(static_cast<uint8_t>(p));
      break;
    case WordPad:
      in.padAim = std::bit_cast<double>(v[2]);
      break;
  }
}

Bundle NetReplay::take(int64_t tick) {
  Bundle b;
  b.tick = tick;
  b.leaving = std::exchange(leaving_, {});
  for (size_t p = 0; p < start_.names.size(); ++p) {
    if (left_[p]) continue;
    b.inputs.emplace_back(static_cast<uint8_t>(p), now_[p]);
    now_[p].aim.clear();
    now_[p].wheel.clear();
    now_[p].lines.clear();
  }
  return b;
}

}  // namespace mv
