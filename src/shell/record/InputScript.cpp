#include "shell/record/InputScript.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <sstream>

#include "engine/archive/Picture.h"
#include "net/InputFrames.h"
#include "net/LinePolicy.h"
#include "net/Messages.h"
#include "platform/Cp1251.h"
#include "platform/Error.h"

namespace mv {
namespace {

// The text after the event word, spaces kept as written (one separating space dropped).
std::string restOfLine(const std::string& line, const std::string& word) {
  size_t at = line.find(word) + word.size();
  if (at < line.size() && line[at] == ' ') ++at;
  return line.substr(at);
}

bool toInt(const std::string& word, int64_t min, int64_t max, int64_t& out) {
  int64_t v{};
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
  if (ec != std::errc() || end != word.data() + word.size() || v < min || v > max) return false;
  out = v;
  return true;
}

constexpr int64_t kCoordinate = 100000;
constexpr int64_t kIntMin = INT32_MIN, kIntMax = INT32_MAX;

// Reads the words after the tick of one line.
class LineReader {
 public:
  LineReader(const std::string& line, int lineNumber, const char* what, std::vector<std::string> words)
      : line_(line), lineNumber_(lineNumber), what_(what), w_(std::move(words)) {}

  [[noreturn]] void fail() const {
    throw Error(format("%s line %d: cannot understand \"%s\"", what_, lineNumber_, line_.c_str()));
  }
  int64_t number(size_t i, int64_t min, int64_t max) const {
    int64_t v = 0;
    if (i >= w_.size() || !toInt(w_[i], min, max, v)) fail();
    return v;
  }
  void expectWords(size_t min, size_t max) const {
    if (w_.size() < min || w_.size() > max) fail();
  }
  void expectWord(size_t i, const char* word) const {
    if (i >= w_.size() || w_[i] != word) fail();
  }
  bool onOff(size_t i) const {
    expectWords(i + 1, i + 1);
    if (w_[i] != "on" && w_[i] != "off") fail();
    return w_[i] == "on";
  }
  const std::string& word(size_t i) const { return w_[i]; }
  bool is(size_t i, const char* word) const { return i < w_.size() && w_[i] == word; }
  // The line from word i on, spaces kept as written.
  std::string restFrom(size_t i) const {
    size_t at = 0;
    for (size_t skipped = 0; skipped <= i; ++skipped) {
      at = line_.find_first_not_of(" \t", at);
      if (skipped == i) break;
      at = line_.find_first_of(" \t", at);
    }
    return at == std::string::npos ? std::string() : line_.substr(at);
  }
  size_t size() const { return w_.size(); }

 private:
  const std::string& line_;
  int lineNumber_;
  const char* what_;
  std::vector<std::string> w_;
};

// A network match's words: who played, the match, and what each tick's bundle brought each person.
bool parseNetWord(const LineReader& r, const std::string& what, TimedEvent& timed) {
  auto& v = timed.values;
  const int64_t lastPerson = static_cast<int64_t>(kMaxPeople) - 1;
  if (what == "netname") {
    r.expectWords(3, SIZE_MAX);
    timed.kind = ScriptedKind::NetName;
    v = {r.number(2, 0, lastPerson)};
    timed.consoleLine = utf8ToCp1251(r.restFrom(3));
    if (timed.consoleLine.size() > kMaxNameLength) r.fail();
  } else if (what == "netmatch") {
    r.expectWords(18, SIZE_MAX);
    timed.kind = ScriptedKind::NetMatch;
    const char* labels[] = {"you", "seed", "bots", "skill", "meatoff", "fraglimit", "timelimit", "level"};
    for (size_t i = 0; i < 8; ++i) r.expectWord(2 + 2 * i, labels[i]);
    v = {r.number(3, 0, lastPerson), r.number(5, 0, UINT32_MAX), r.number(7, 0, 100), r.number(9, 0, 100),
         r.number(11, 0, 1),        r.number(13, 0, 999),        r.number(15, 0, 999)};
    timed.consoleLine = r.restFrom(17);
  } else if (what == "person") {
    r.expectWords(4, SIZE_MAX);
    timed.kind = ScriptedKind::NetPerson;
    const int64_t person = r.number(2, 0, lastPerson);
    const std::string& word = r.word(3);
    if (word == "held") {
      r.expectWords(5, 5);
      v = {person, 0, r.number(4, 0, kAllHeldControls)};
    } else if (word == "playing") {
      v = {person, 1, r.onOff(4) ? 1 : 0};
    } else if (word == "aim") {
      r.expectWords(6, 6);
      v = {person, 2, r.number(4, -kMaxAimAmount, kMaxAimAmount), r.number(5, 0, UINT16_MAX)};
      if (!knownAimDivisor(static_cast<uint16_t>(v[3]))) r.fail();
    } else if (word == "wheel") {
      r.expectWords(5, 5);
      if (r.word(4) != "up" && r.word(4) != "down") r.fail();
      v = {person, 3, r.word(4) == "up" ? 1 : -1};
    } else if (word == "line") {
      v = {person, 4};
      timed.consoleLine = utf8ToCp1251(r.restFrom(4));
      if (!sharedLine(timed.consoleLine)) r.fail();
    } else if (word == "leaves") {
      r.expectWords(4, 4);
      v = {person, 5};
    } else if (word == "pad") {
      r.expectWords(5, 5);
      v = {person, 6, r.number(4, INT64_MIN, INT64_MAX)};
      const double pull = std::bit_cast<double>(v[2]);
      if (!(std::fabs(pull) <= kMaxPadAim)) r.fail();
    } else {
      r.fail();
    }
  } else {
    return false;
  }
  return true;
}

// The words only a recording has: what the devices reported to the game, and the run's frame.
bool parseRecordedWord(const LineReader& r, const std::string& what, TimedEvent& timed) {
  auto& v = timed.values;
  if (what == "hold" || what == "release") {
    r.expectWords(3, what == "hold" ? 4 : 3);
    timed.kind = ScriptedKind::HeldKey;
    v = {r.number(2, 0, 255), what == "release" ? 0 : r.size() == 4 ? r.number(3, 0, 255) : 0x80};
  } else if (what == "buttons") {
    r.expectWords(6, 6);
    timed.kind = ScriptedKind::MouseButtons;
    for (size_t i = 2; i < 6; ++i) v.push_back(r.number(i, 0, 255));
  } else if (what == "joystick") {
    timed.kind = ScriptedKind::Joystick;
    if (r.size() == 3 && r.word(2) == "none") return true;
    r.expectWords(18, 18);
    for (auto [at, label] :
         {std::pair<size_t, const char*>{2, "axes"}, {6, "min"}, {10, "max"}, {14, "buttons"}, {16, "of"}})
      r.expectWord(at, label);
    for (size_t i : {3, 4, 5, 7, 8, 9, 11, 12, 13}) v.push_back(r.number(i, kIntMin, kIntMax));
    v.push_back(r.number(15, 0, UINT32_MAX));
    v.push_back(r.number(17, 0, 32));
  } else if (what == "devicefocus") {
    timed.kind = ScriptedKind::DeviceFocus;
    v = {r.onOff(2) ? 1 : 0};
  } else if (what == "pointer") {
    r.expectWords(4, 4);
    timed.kind = ScriptedKind::Pointer;
    v = {r.number(2, -kCoordinate, kCoordinate), r.number(3, -kCoordinate, kCoordinate)};
  } else if (what == "match") {
    // The level comes last: a name may hold spaces.
    r.expectWords(8, SIZE_MAX);
    timed.kind = ScriptedKind::Match;
    r.expectWord(2, "bots");
    r.expectWord(4, "skill");
    v = {r.number(3, 0, 100), r.number(5, 0, 100), 0, -1, -1};
    size_t at = 6;
    if (r.is(at, "hotseat")) v[2] = 1, ++at;
    for (auto [word, slot] : {std::pair<const char*, size_t>{"fraglimit", 3}, {"timelimit", 4}}) {
      if (!r.is(at, word)) continue;
      v[slot] = r.number(at + 1, 0, 999);
      at += 2;
    }
    r.expectWord(at, "level");
    if (r.size() < at + 2) r.fail();
    timed.consoleLine = r.restFrom(at + 1);
  } else if (what == "end") {
    r.expectWords(2, 2);
    timed.kind = ScriptedKind::End;
  } else {
    return parseNetWord(r, what, timed);
  }
  return true;
}

}  // namespace

void parseTimedLine(const std::string& text, int lineNumber, bool recording, const char* what,
                    std::vector<TimedEvent>& out) {
  std::string line = text;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::istringstream words(line);
  std::vector<std::string> w;
  for (std::string word; words >> word;) w.push_back(word);
  if (w.empty() || w[0][0] == '#') return;
  const LineReader r(line, lineNumber, what, w);

  TimedEvent timed;
  timed.tick = r.number(0, 0, INT64_MAX);
  const std::string& word = w.size() > 1 ? w[1] : std::string();
  Event& e = timed.event;
  if (word == "keydown" || word == "keyup") {
    r.expectWords(3, 4);
    e.kind = word == "keydown" ? EventKind::KeyDown : EventKind::KeyUp;
    e.key = static_cast<int>(r.number(2, 1, 255));
    e.shift = w.size() == 4 ? static_cast<unsigned>(r.number(3, 0, 63)) : 0;
  } else if (word == "char") {
    r.expectWords(3, 3);
    e.kind = EventKind::Char;
    // A recording keeps whatever the window delivered, a character 0 included.
    e.ch = static_cast<uint8_t>(r.number(2, recording ? 0 : 1, 255));
  } else if (word == "text") {
    for (char c : restOfLine(line, "text")) {
      TimedEvent ch;
      ch.tick = timed.tick;
      ch.event.kind = EventKind::Char;
      ch.event.ch = static_cast<uint8_t>(c);
      out.push_back(ch);
    }
    return;
  } else if (word == "mousemove" || word == "mousedown" || word == "mouseup") {
    r.expectWords(4, word == "mousemove" ? 4 : 5);
    e.kind = word == "mousemove"   ? EventKind::MouseMove
             : word == "mousedown" ? EventKind::MouseDown
                                   : EventKind::MouseUp;
    e.x = static_cast<int>(r.number(2, -kCoordinate, kCoordinate));
    e.y = static_cast<int>(r.number(3, -kCoordinate, kCoordinate));
    if (e.kind != EventKind::MouseMove) {
      const std::string button = w.size() == 5 ? w[4] : "left";
      if (button == "left")
        e.shift = ssLeft;
      else if (button == "right")
        e.shift = ssRight;
      else if (button == "middle")
        e.shift = ssMiddle;
      else
        r.fail();
    }
  } else if (word == "mouserel") {
    r.expectWords(4, 5);
    timed.kind = ScriptedKind::MouseRelative;
    // A recording keeps what a poll gathered, which many scripted moves may have added up to.
    const int64_t limit = recording ? kIntMax : kCoordinate;
    timed.values = {r.number(2, -limit, limit), r.number(3, -limit, limit),
                    w.size() == 5 ? r.number(4, -limit, limit) : 0};
  } else if (word == "console") {
    timed.kind = ScriptedKind::ConsoleLine;
    timed.consoleLine = utf8ToCp1251(restOfLine(line, "console"));
  } else if (word == "wheelup" || word == "wheeldown") {
    r.expectWords(2, 2);
    e.kind = word == "wheelup" ? EventKind::WheelUp : EventKind::WheelDown;
  } else if (word == "focus") {
    e.kind = r.onOff(2) ? EventKind::FocusGained : EventKind::FocusLost;
  } else if (word == "lag") {
    r.expectWords(3, 3);
    timed.kind = ScriptedKind::Lag;
    // A recorded frame may have taken no time on the clock at all (the game counts it as 1); a script
    // asks for what --lag accepts.
    timed.values = {recording ? r.number(2, 0, UINT32_MAX) : r.number(2, 1, 60000)};
  } else if (word == "pad") {
    timed.kind = ScriptedKind::Pad;
    timed.values = {r.number(2, 0, kMaxPads - 1)};
    if (w.size() == 4 && w[3] == "none") {
      out.push_back(timed);
      return;
    }
    r.expectWords(12, 12);
    r.expectWord(3, "axes");
    r.expectWord(10, "buttons");
    for (size_t i = 4; i < 10; ++i) timed.values.push_back(r.number(i, -32768, 32767));
    timed.values.push_back(r.number(11, 0, (1 << PadButtonCount) - 1));
  } else if (word == "quit") {
    r.expectWords(2, 2);
    e.kind = EventKind::Quit;
  } else if (!recording || !parseRecordedWord(r, word, timed)) {
    r.fail();
  }
  out.push_back(timed);
}

std::vector<TimedEvent> parseInputScript(const std::string& text) {
  std::vector<TimedEvent> events;
  std::istringstream lines(text);
  std::string line;
  for (int lineNumber = 1; std::getline(lines, line); ++lineNumber)
    parseTimedLine(line, lineNumber, false, "Input script", events);
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  return events;
}

std::vector<TimedEvent> loadInputScript(const std::string& path) {
  const std::vector<uint8_t> bytes = readWholeFile(path, kInputFileLimit);
  try {
    return parseInputScript(std::string(bytes.begin(), bytes.end()));
  } catch (const Error& e) {
    throw Error(inFile(path, e.what()));
  }
}

PadState padState(const TimedEvent& line) {
  PadState pad;
  const auto& v = line.values;
  if (v.size() != 2 + PadAxisCount) return pad;
  pad.present = true;
  for (size_t i = 0; i < PadAxisCount; ++i) pad.axes[i] = static_cast<int16_t>(v[1 + i]);
  pad.buttons = static_cast<uint32_t>(v[1 + PadAxisCount]);
  return pad;
}

std::string formatEvent(const Event& e) {
  auto button = [&] { return e.shift & ssRight ? " right" : e.shift & ssMiddle ? " middle" : ""; };
  switch (e.kind) {
    case EventKind::KeyDown:
    case EventKind::KeyUp:
      return format("%s %d%s", e.kind == EventKind::KeyDown ? "keydown" : "keyup", e.key,
                    e.shift ? format(" %u", e.shift & 63u).c_str() : "");
    case EventKind::Char:
      return format("char %u", unsigned{e.ch});
    case EventKind::MouseDown:
      return format("mousedown %d %d%s", e.x, e.y, button());
    case EventKind::MouseMove:
      return format("mousemove %d %d", e.x, e.y);
    case EventKind::MouseUp:
      return format("mouseup %d %d%s", e.x, e.y, button());
    case EventKind::WheelUp:
      return "wheelup";
    case EventKind::WheelDown:
      return "wheeldown";
    case EventKind::FocusGained:
      return "focus on";
    case EventKind::FocusLost:
      return "focus off";
    case EventKind::Quit:
      return "quit";
  }
  return "quit";
}

}  // namespace mv
