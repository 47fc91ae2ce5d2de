#include "shell/InputScript.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "engine/archive/Picture.h"
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

}  // namespace

std::vector<TimedEvent> parseInputScript(const std::string& text) {
  std::vector<TimedEvent> events;
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') continue;

    auto fail = [&] { throw Error(format("Input script line %d: cannot understand \"%s\"", lineNumber, line.c_str())); };
    auto number = [&](size_t i, int64_t min, int64_t max) {
      int64_t v = 0;
      if (i >= w.size() || !toInt(w[i], min, max, v)) fail();
      return v;
    };
    auto expectWords = [&](size_t min, size_t max) {
      if (w.size() < min || w.size() > max) fail();
    };

    TimedEvent timed;
    timed.tick = number(0, 0, INT64_MAX);
    const std::string& what = w.size() > 1 ? w[1] : std::string();
    Event& e = timed.event;
    if (what == "keydown" || what == "keyup") {
      expectWords(3, 4);
      e.kind = what == "keydown" ? EventKind::KeyDown : EventKind::KeyUp;
      e.key = static_cast<int>(number(2, 1, 255));
      e.shift = w.size() == 4 ? static_cast<unsigned>(number(3, 0, 63)) : 0;
    } else if (what == "char") {
      expectWords(3, 3);
      e.kind = EventKind::Char;
      e.ch = static_cast<uint8_t>(number(2, 1, 255));
    } else if (what == "text") {
      for (char c : restOfLine(line, "text")) {
        TimedEvent ch;
        ch.tick = timed.tick;
        ch.event.kind = EventKind::Char;
        ch.event.ch = static_cast<uint8_t>(c);
        events.push_back(ch);
      }
      continue;
    } else if (what == "mousemove" || what == "mousedown" || what == "mouseup") {
      expectWords(4, what == "mousemove" ? 4 : 5);
      e.kind = what == "mousemove" ? EventKind::MouseMove : what == "mousedown" ? EventKind::MouseDown : EventKind::MouseUp;
      e.x = static_cast<int>(number(2, -100000, 100000));
      e.y = static_cast<int>(number(3, -100000, 100000));
      if (e.kind != EventKind::MouseMove) {
        const std::string button = w.size() == 5 ? w[4] : "left";
        if (button == "left") e.shift = ssLeft;
        else if (button == "right") e.shift = ssRight;
        else if (button == "middle") e.shift = ssMiddle;
        else fail();
      }
    } else if (what == "mouserel") {
      expectWords(4, 4);
      timed.kind = ScriptedKind::MouseRelative;
      e.x = static_cast<int>(number(2, -100000, 100000));
      e.y = static_cast<int>(number(3, -100000, 100000));
    } else if (what == "console") {
      timed.kind = ScriptedKind::ConsoleLine;
      timed.consoleLine = utf8ToCp1251(restOfLine(line, "console"));
    } else if (what == "wheelup" || what == "wheeldown") {
      expectWords(2, 2);
      e.kind = what == "wheelup" ? EventKind::WheelUp : EventKind::WheelDown;
    } else if (what == "focus") {
      expectWords(3, 3);
      if (w[2] != "on" && w[2] != "off") fail();
      e.kind = w[2] == "on" ? EventKind::FocusGained : EventKind::FocusLost;
    } else if (what == "quit") {
      expectWords(2, 2);
      e.kind = EventKind::Quit;
    } else {
      fail();
    }
    events.push_back(timed);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  return events;
}

std::vector<TimedEvent> loadInputScript(const std::string& path) {
  // Only a plain file: a folder reads as nothing, a device or a pipe would never end.
  const std::vector<uint8_t> bytes = readWholeFile(path);
  try {
    return parseInputScript(std::string(bytes.begin(), bytes.end()));
  } catch (const Error& e) {
    throw Error(inFile(path, e.what()));
  }
}

}  // namespace mv
