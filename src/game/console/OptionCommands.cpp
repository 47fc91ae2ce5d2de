#include "game/console/OptionCommands.h"

#include <array>

#include "engine/sound/DXWaveList.h"
#include "game/Globals.h"
#include "game/console/Commands.h"
#include "game/console/Console.h"
#include "game/console/SettingValues.h"
#include "game/console/Texts.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

constexpr size_t kMaxChoiceSlot = 16;

void numberOption(const CommandCall& c, const char* name, int32_t& value, int32_t maximum,
                  const std::string& close) {
  if (c.hasArg)
    value = parseNumber(c.console, value, 0, c.arg, maximum);
  else
    replySetting(c.console, name, std::to_string(value), close);
}

void cmdVolume(const CommandCall& c) {
  numberOption(c, "volume", globals().settings.volume, 100, "\" (0-100)");
  applyVolume();
}

void cmdFullscreen(const CommandCall& c) {
  ShellServices* shell = globals().shell;
  int32_t on = shell && shell->fullScreen() ? 1 : 0;
  numberOption(c, "fullscreen", on, 1, "\" (0,1)");
  if (shell && c.hasArg) shell->setFullScreen(on == 1);
}

void cmdScaling(const CommandCall& c) {
  ShellServices* shell = globals().shell;
  int32_t mode = shell ? shell->scaling() : 0;
  numberOption(c, "scaling", mode, 2, consoleText(ConsoleText::RangeScaling));
  if (shell && c.hasArg) shell->setScaling(mode);
}

// setupchoice SLOT VALUE: the value the setup screen's widget in that slot comes back with.
void cmdSetupChoice(const CommandCall& c) {
  const size_t space = c.arg.find(' ');
  const std::string slot = c.arg.substr(0, space);
  if (slot.empty() || slot.size() > kMaxChoiceSlot) {
    c.console.addLine(consoleText(ConsoleText::UsageSetupChoice));
    return;
  }
  std::map<std::string, std::string>& choices = globals().setupChoices;
  if (space == std::string::npos) {
    const auto it = choices.find(slot);
    replySetting(c.console, "setupchoice " + slot, it == choices.end() ? "" : it->second,
                 consoleText(ConsoleText::RangeString));
    return;
  }
  choices[slot] = c.arg.substr(space + 1);
}

struct OptionCommand {
  const char* name;
  void (*run)(const CommandCall&);
};

constexpr std::array<OptionCommand, 4> kOptions = {{
    {"volume", cmdVolume},
    {"fullscreen", cmdFullscreen},
    {"scaling", cmdScaling},
    {"setupchoice", cmdSetupChoice},
}};

}  // namespace

bool runOptionCommand(const std::string& word, const CommandCall& call) {
  for (const OptionCommand& option : kOptions) {
    if (word != option.name) continue;
    option.run(call);
    return true;
  }
  return false;
}

void applyVolume() {
  const TDXWaveList* sounds = globals().soundList;
  if (sounds && sounds->mixer()) sounds->mixer()->setMasterVolume(globals().settings.volume);
}

}  // namespace mv
