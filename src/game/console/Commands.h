#pragma once
// The interpreter's commands. Each gets the line already split: the fighter it acts on (none when no
// one is there to act on), the command word and the argument.

#include <span>
#include <string>

namespace mv {

class TConsol;
class TMan;
class TPlayer;

struct CommandCall {
  TConsol& console;
  TMan* fighter;            // the speaker, player 1 or player 2; none outside a match
  const std::string& line;  // the whole line, "p2" taken off
  const std::string& arg;   // at most 100 characters, verbatim
  bool hasArg;

  TPlayer* player() const;  // the fighter when a person drives it
};

using CommandFn = void (*)(const CommandCall&);

struct CommandEntry {
  const char* name;
  CommandFn run;
};

// The 22 commands in the order they are tried.
std::span<const CommandEntry> commandTable();

// General commands (Commands.cpp).
void cmdExit(const CommandCall& c);
void cmdSay(const CommandCall& c);
void cmdExec(const CommandCall& c);
void cmdVer(const CommandCall& c);
void cmdEcho(const CommandCall& c);
void cmdScreenmode(const CommandCall& c);
void cmdScreenshot(const CommandCall& c);
void cmdDump(const CommandCall& c);
void cmdClear(const CommandCall& c);

// Settings (SettingCommands.cpp).
void cmdGodmode(const CommandCall& c);
void cmdSound(const CommandCall& c);
void cmdDrawfps(const CommandCall& c);
void cmdMeatoff(const CommandCall& c);
void cmdQuality(const CommandCall& c);
void cmdName(const CommandCall& c);
void cmdSensivity(const CommandCall& c);
void cmdJoydeadx(const CommandCall& c);
void cmdJoydeady(const CommandCall& c);
void cmdMsgtime(const CommandCall& c);
void cmdLooktype(const CommandCall& c);
void cmdModel(const CommandCall& c);  // not one of the 22: run with the additions' settings

// Key bindings (BindCommand.cpp).
void cmdBind(const CommandCall& c);

}  // namespace mv
