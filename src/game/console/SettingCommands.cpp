// The settings: shared ones for everyone, a fighter's own, and a person's own.
#include "game/Globals.h"
#include "game/combatants/FighterModels.h"
#include "game/combatants/Player.h"
#include "game/console/Commands.h"
#include "game/console/Console.h"
#include "game/console/SettingValues.h"
#include "game/console/Texts.h"
#include "game/world/Match.h"

namespace mv {
namespace {

constexpr size_t kMaxName = 10;
const char* const kFlagClose = "\" (0,1)";

void flagSetting(const CommandCall& c, const char* name, uint8_t& flag) {
  if (c.hasArg)
    flag = parseFlag(c.console, flag, c.arg);
  else
    replySetting(c.console, name, flag ? "1" : "0", kFlagClose);
}

void numberSetting(const CommandCall& c, const char* name, int32_t& value, int32_t minimum, int32_t maximum,
                   const std::string& close) {
  if (c.hasArg)
    value = parseNumber(c.console, value, minimum, c.arg, maximum);
  else
    replySetting(c.console, name, std::to_string(value), close);
}

void joyDeadZone(const CommandCall& c, const char* name, int axis) {
  ShellServices* shell = globals().shell;
  int32_t value = shell ? shell->joyDeadZone(axis) : 0;
  numberSetting(c, name, value, 0, 999, "\" (0-999)");
  if (shell && c.hasArg) shell->setJoyDeadZone(axis, value);
}

}  // namespace

// The fighter's and the person's own settings need someone to act on: outside a match there is no
// one, and the line does nothing, as a "p2" line does without a second player.

void cmdGodmode(const CommandCall& c) {
  if (!c.fighter) return;
  uint8_t flag = c.fighter->godMode ? 1 : 0;
  flagSetting(c, "Godmode", flag);
  c.fighter->godMode = flag != 0;
}

void cmdSound(const CommandCall& c) {
  flagSetting(c, "sound", globals().settings.soundOn);
}
void cmdDrawfps(const CommandCall& c) {
  flagSetting(c, "drawfps", globals().settings.drawFps);
}
void cmdMeatoff(const CommandCall& c) {
  flagSetting(c, "meatoff", globals().settings.meatOff);
}
void cmdQuality(const CommandCall& c) {
  flagSetting(c, "quality", globals().settings.quality);
}

void cmdName(const CommandCall& c) {
  if (!c.fighter) return;
  if (c.hasArg)
    c.fighter->name = c.arg.substr(0, kMaxName);
  else
    replySetting(c.console, "name", c.fighter->name, consoleText(ConsoleText::RangeString));
}

void cmdSensivity(const CommandCall& c) {
  if (TPlayer* p = c.player()) numberSetting(c, "sensivity", p->sensivity, 1, 999, "\" (1-999)");
}

// The colours this person wears (with "fightercolors" on): one of the fighter models by name. The
// match's fighters are dressed again at once, so the bots give up the colour to the person.
void cmdModel(const CommandCall& c) {
  TPlayer* p = c.player();
  if (!p) return;
  if (!c.hasArg) {
    std::string names;
    for (std::string_view model : fighterModels()) names += (names.empty() ? "" : ",") + std::string(model);
    const std::string own(fighterModels()[p == globals().player2 ? 1 : 0]);
    replySetting(c.console, "model", p->modelChoice.empty() ? own : p->modelChoice, "\" (" + names + ")");
    return;
  }
  const std::string model = modelNamed(c.arg);
  if (model.empty()) {
    c.console.addLine(consoleText(ConsoleText::BadValue));
    return;
  }
  p->modelChoice = model;
  if (TMatch* match = globals().match) dressFighters(*match);
}

void cmdJoydeadx(const CommandCall& c) {
  joyDeadZone(c, "joydeadx", 0);
}
void cmdJoydeady(const CommandCall& c) {
  joyDeadZone(c, "joydeady", 1);
}

void cmdMsgtime(const CommandCall& c) {
  numberSetting(c, "msgtime", globals().settings.msgTime, 1, 10000, "\" (1-10000)");
}

void cmdLooktype(const CommandCall& c) {
  TPlayer* p = c.player();
  if (!p) return;
  int32_t value = p->lookType;
  numberSetting(c, "looktype", value, 0, 2, consoleText(ConsoleText::RangeLookType));
  p->lookType = static_cast<uint8_t>(value);
}

}  // namespace mv
