// The commands that are not settings: leaving, chat, scripts, the buffer and the screen.
#include "game/console/Commands.h"

#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/Version.h"
#include "game/combatants/Man.h"
#include "game/console/Console.h"
#include "game/console/ScriptFiles.h"
#include "game/console/Texts.h"
#include "platform/Error.h"

namespace mv {
namespace {

constexpr int32_t kTalkDelay = 2000;

// A replayed recording's lines are someone else's: they may not create or overwrite a file here. The
// console says so the first time.
bool fileWritesRefused(TConsol& console) {
  Globals& g = globals();
  if (!g.fileWritesRefused) return false;
  if (!g.fileWritesRefusalTold) console.addLine("A recording is playing: dump and screenshot write no files");
  g.fileWritesRefusalTold = true;
  return true;
}

}  // namespace

void cmdExit(const CommandCall& c) {
  c.console.requestQuit();
}

void cmdSay(const CommandCall& c) {
  TMan* man = c.fighter;
  // Nothing to say is no chat line: an empty one would only put the speaker's name up.
  if (!man || man->talkDelay > 0 || c.arg.find_first_not_of(' ') == std::string::npos) return;
  man->talkDelay = kTalkDelay;
  c.console.addMessage(man->name + ": " + c.arg);
  playSound("Talk");
}

void cmdExec(const CommandCall& c) {
  if (!c.hasArg) {
    c.console.addLine(consoleText(ConsoleText::UsageExec));
    return;
  }
  c.console.addLine(consoleText(ConsoleText::Loading) + c.arg + "...");
  c.console.runScript(c.arg);
}

void cmdVer(const CommandCall& c) {
  c.console.addLine(kVersionTitle);
}

void cmdEcho(const CommandCall& c) {
  c.console.addLine(c.hasArg ? c.arg : consoleText(ConsoleText::UsageEcho));
}

void cmdScreenmode(const CommandCall& c) {
  if (!c.hasArg) {
    c.console.addLine(consoleText(ConsoleText::UsageScreenmode));
    return;
  }
  static constexpr int kSizes[3][2] = {{640, 480}, {800, 600}, {1024, 768}};
  const char mode = c.arg[0];
  if (mode < '0' || mode > '2') return;
  if (ShellServices* shell = globals().shell)
    shell->setDisplaySize(kSizes[mode - '0'][0], kSizes[mode - '0'][1]);
}

void cmdScreenshot(const CommandCall& c) {
  if (fileWritesRefused(c.console)) return;
  if (ShellServices* shell = globals().shell) shell->saveScreenshot();
}

void cmdDump(const CommandCall& c) {
  if (!c.hasArg) {
    c.console.addLine(consoleText(ConsoleText::UsageDump));
    return;
  }
  if (fileWritesRefused(c.console)) return;
  // A name from a script or a chat partner must not reach another folder ("dump ../.bashrc").
  if (!isPlainFileName(c.arg)) {
    c.console.addLine(
        format("Cannot create file %s: dump takes a file name without a folder", c.arg.c_str()));
    return;
  }
  std::string text;
  for (const std::string& line : c.console.lines) text += line + "\r\n";
  // Nothing else can go wrong here, so a failure to write is told in the console, where it is seen.
  if (!writeGameFile(findGameFile(outputPath(c.arg)), text))
    c.console.addLine(format("Cannot create file %s", c.arg.c_str()));
}

void cmdClear(const CommandCall& c) {
  c.console.lines.clear();
}

}  // namespace mv
