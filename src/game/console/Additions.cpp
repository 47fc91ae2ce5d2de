#include "game/console/Additions.h"

#include <array>
#include <string>

#include "game/console/Commands.h"
#include "game/console/SettingValues.h"

namespace mv {
namespace {

// Limits are numbers whose 0 means "no limit"; the rest are flags.
constexpr std::array<AdditionSetting, 16> kAdditions = {{
    {"fraglimit", &Settings::fragLimit, 0, 0, 999},
    {"timelimit", &Settings::timeLimit, 0, 0, 999},
    {"killfeed", &Settings::killFeed, 1, 0, 1},
    {"deathinfo", &Settings::deathInfo, 1, 0, 1},
    {"pickupmsg", &Settings::pickupMsg, 1, 0, 1},
    {"crosshair", &Settings::crosshair, 1, 0, 1},
    {"pausestops", &Settings::pauseStops, 1, 0, 1},
    {"menukeys", &Settings::menuKeys, 1, 0, 1},
    {"rememberchoices", &Settings::rememberChoices, 1, 0, 1},
    {"settingsscreen", &Settings::settingsScreen, 1, 0, 1},
    {"gamepad", &Settings::gamePad, 1, 0, 1},
    {"listclick", &Settings::listClick, 1, 0, 1},
    {"hotseatsound", &Settings::hotseatSound, 1, 0, 1},
    {"fightercolors", &Settings::fighterColors, 1, 0, 1},
    {"bannerinview", &Settings::bannerInView, 1, 0, 1},
    {"netplay", &Settings::netPlay, 1, 0, 1},
}};

std::string rangeClose(const AdditionSetting& s) {
  if (s.minimum == 0 && s.maximum == 1) return "\" (0,1)";
  return "\" (" + std::to_string(s.minimum) + "-" + std::to_string(s.maximum) + ")";
}

void runSetting(const AdditionSetting& s, const CommandCall& c) {
  int32_t& value = globals().settings.*s.field;
  if (c.hasArg)
    value = parseNumber(c.console, value, s.minimum, c.arg, s.maximum);
  else
    replySetting(c.console, s.name, std::to_string(value), rangeClose(s));
}

void runClassic(const CommandCall& c) {
  Settings& settings = globals().settings;
  if (!c.hasArg) {
    replySetting(c.console, "classic", settings.classic ? "1" : "0", "\" (0,1)");
    return;
  }
  // A refused value leaves the settings alone; an accepted one applies even when it is already set, so
  // "classic 0" also brings back defaults changed one by one.
  const int32_t value = parseNumber(c.console, -1, 0, c.arg, 1);
  if (value >= 0) setClassic(settings, value == 1);
}

}  // namespace

std::span<const AdditionSetting> additionSettings() {
  return kAdditions;
}

void setClassic(Settings& settings, bool classic) {
  for (const AdditionSetting& s : kAdditions) settings.*s.field = classic ? 0 : s.defaultValue;
  settings.classic = classic ? 1 : 0;
}

bool runAdditionCommand(const std::string& word, const CommandCall& call) {
  if (word == "classic") {
    runClassic(call);
    return true;
  }
  if (word == "model") {
    cmdModel(call);
    return true;
  }
  for (const AdditionSetting& s : kAdditions) {
    if (word != s.name) continue;
    runSetting(s, call);
    return true;
  }
  return false;
}

}  // namespace mv
