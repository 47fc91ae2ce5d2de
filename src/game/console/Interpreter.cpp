// Choosing whose line it is, splitting it, and finding its command.
#include <array>

#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "game/console/Commands.h"
#include "game/console/Console.h"
#include "game/console/OptionCommands.h"
#include "game/console/TextRules.h"

namespace mv {
namespace {

constexpr size_t kMaxPrefixedLine = 255;
constexpr size_t kMaxArgument = 100;

constexpr std::array<CommandEntry, 22> kCommands = {{
    {"exit", cmdExit},
    {"quit", cmdExit},
    {"say", cmdSay},
    {"exec", cmdExec},
    {"ver", cmdVer},
    {"echo", cmdEcho},
    {"screenmode", cmdScreenmode},
    {"screenshot", cmdScreenshot},
    {"bind", cmdBind},
    {"godmode", cmdGodmode},
    {"sound", cmdSound},
    {"drawfps", cmdDrawfps},
    {"meatoff", cmdMeatoff},
    {"quality", cmdQuality},
    {"name", cmdName},
    {"sensivity", cmdSensivity},
    {"joydeadx", cmdJoydeadx},
    {"joydeady", cmdJoydeady},
    {"msgtime", cmdMsgtime},
    {"looktype", cmdLooktype},
    {"dump", cmdDump},
    {"clear", cmdClear},
}};

}  // namespace

std::span<const CommandEntry> commandTable() {
  return kCommands;
}

TPlayer* CommandCall::player() const {
  return dynamic_cast<TPlayer*>(fighter);
}

bool TConsol::execute(TMan* who, const std::string& text) {
  std::string line = text;
  TMan* fighter = who;
  if (!who) {
    Globals& g = globals();
    if (line.compare(0, 2, "p2") == 0) {
      if (!g.player2) return true;  // meant for a second player who is not in this match
      line = line.substr(2, kMaxPrefixedLine);
      fighter = g.player2;
    } else {
      fighter = g.player1;
    }
  }

  const size_t space = line.find(' ');
  const std::string word = asciiLower(line.substr(0, space));
  const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1, kMaxArgument);
  if (lineGate && sharedDepth_ == 0 && (!who || who->isHuman()) && lineGate(line)) return true;

  for (const CommandEntry& entry : kCommands) {
    if (word != entry.name) continue;
    entry.run(CommandCall{*this, fighter, line, arg, !arg.empty()});
    return true;
  }
  const CommandCall call{*this, fighter, line, arg, !arg.empty()};
  return runAdditionCommand(word, call) || runOptionCommand(word, call);
}

}  // namespace mv
