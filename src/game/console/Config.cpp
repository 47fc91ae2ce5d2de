#include "game/console/Config.h"

#include <exception>

#include "game/Globals.h"
#include "game/console/Binds.h"
#include "game/console/Console.h"
#include "game/console/ScriptFiles.h"
#include "game/console/TextRules.h"

namespace mv {
namespace {

constexpr const char* kFileName = "config.cfg";
constexpr const char* kHeader =
    "# Mashvolt: what the settings screen changed, run after autoexec.cfg at every match start.";

}  // namespace

std::string TConfig::path() const {
  return configPath(kFileName);
}

void TConfig::load() {
  lines_.clear();
  // A config.cfg that cannot be read (missing, or far too large to be one) leaves the defaults.
  std::string text;
  if (readGameFile(findGameFile(path()), kScriptFileLimit, text) == FileRead::Done) loadText(text);
}

void TConfig::loadText(const std::string& text) {
  lines_.clear();
  for (std::string& line : splitScriptLines(text))
    if (line != kHeader) lines_.push_back(std::move(line));
}

std::string TConfig::keyOf(const std::string& line) {
  if (line.empty() || line[0] == '#') return line;
  const bool second = line.compare(0, 2, "p2") == 0;
  const std::string rest = line.substr(second ? 2 : 0);
  const size_t space = rest.find(' ');
  const std::string prefix = second ? "p2" : "";
  const std::string word = asciiLower(rest.substr(0, space));
  if (word == "bind") {
    // An action has one key, so its line is the action's; a command bound to a key is a line of its own.
    const size_t open = rest.find('"'), close = rest.rfind('"');
    if (open == std::string::npos || close <= open) return line;
    const std::string action = asciiUpper(rest.substr(open + 1, close - open - 1));
    return actionIndex(action) >= 0 ? prefix + "bind " + action : line;
  }
  if (word == "setupchoice") {
    const size_t next = space == std::string::npos ? std::string::npos : rest.find(' ', space + 1);
    return word + " " + rest.substr(space + 1, next == std::string::npos ? next : next - space - 1);
  }
  return prefix + word;
}

bool TConfig::set(const std::string& line) {
  const std::string key = keyOf(line);
  for (std::string& existing : lines_) {
    if (keyOf(existing) != key) continue;
    if (existing == line) return false;
    existing = line;
    return true;
  }
  lines_.push_back(line);
  return true;
}

std::string TConfig::text() const {
  std::string out = std::string(kHeader) + "\r\n";
  for (const std::string& line : lines_) out += line + "\r\n";
  return out;
}

bool TConfig::save() const {
  if (!saving) return true;
  return replaceGameFile(findGameFile(path()), text());
}

void TConfig::run(TConsol& console) const {
  for (const std::string& line : lines_) {
    if (line.empty() || line[0] == '#') continue;
    try {
      console.runLine(line, nullptr);
    } catch (const std::exception& e) {
      console.addLine(e.what());
      if (ShellServices* shell = globals().shell) shell->reportError(e.what());
    }
  }
}

}  // namespace mv
