// The "bind" line: bind KEY "COMMAND".
#include "game/combatants/Player.h"
#include "game/console/Binds.h"
#include "game/console/Commands.h"
#include "game/console/Console.h"
#include "game/console/TextRules.h"
#include "game/console/Texts.h"

namespace mv {

void cmdBind(const CommandCall& c) {
  TPlayer* player = c.player();
  if (!player) return;
  const std::string& line = c.line;
  const size_t space = line.find(' ');
  const size_t quote = line.find('"');
  // The key name runs from after the command word's space to the character before the first quote,
  // which is taken to be the separating space; the command runs from after that quote to the line's
  // last character, taken to be the closing quote.
  std::string key, command;
  if (space != std::string::npos && quote != std::string::npos && quote > space + 1)
    key = line.substr(space + 1, quote - 1 - (space + 1));
  if (quote != std::string::npos && line.size() > quote + 2)
    command = line.substr(quote + 1, line.size() - quote - 2);
  if (key.empty() || command.empty()) {
    c.console.addLine(consoleText(ConsoleText::UsageBind));
    return;
  }
  if (line.back() != '"') {
    c.console.addLine(consoleText(ConsoleText::BadFormat));
    return;
  }
  switch (bindKey(*player, asciiUpper(key), asciiUpper(command))) {
    case BindResult::Stored:
      break;
    case BindResult::BadKeyName:
      c.console.addLine(consoleText(ConsoleText::BadFormat));
      break;
    case BindResult::TableFull:
      c.console.addLine(consoleText(ConsoleText::BadValue));
      break;
  }
}

}  // namespace mv
