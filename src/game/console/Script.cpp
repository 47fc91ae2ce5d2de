// Script files: "autoexec.cfg" at every match start, and whatever "exec" names.
#include "game/console/Console.h"
#include "game/Globals.h"
#include "game/console/ScriptFiles.h"
#include "game/console/Texts.h"
#include "platform/Error.h"

namespace mv {

void TConsol::runScript(const std::string& name) {
  if (scriptsStopped_) return;
  if (scriptDepth_ >= kMaxScriptDepth) {
    // A script that execs itself, directly or round a ring of scripts, would never end.
    addLine(consoleText(ConsoleText::NestingGuard) + name + consoleText(ConsoleText::NestingGuardEnd));
    scriptsStopped_ = true;
    return;
  }
  const std::string path = "SYSTEM\\" + name;
  // The player's own copy, where an installed game keeps it, comes before the one shipped in SYSTEM.
  std::string text;
  const FileRead own = readGameFile(findGameFile(configPath(name)), kScriptFileLimit, text);
  if (own == FileRead::TooLarge) checkFileRead(own, configPath(name));
  if (own != FileRead::Done) checkFileRead(readGameFile(findGameFile(dataPath(path)), kScriptFileLimit, text), path);

  struct Depth {
    TConsol& c;
    explicit Depth(TConsol& console) : c(console) { ++c.scriptDepth_; }
    ~Depth() {
      if (--c.scriptDepth_ == 0) c.scriptsStopped_ = false;  // the next script starts afresh
    }
  } depth(*this);

  for (const std::string& line : splitScriptLines(text)) {
    if (scriptsStopped_ || quitRequested_) break;
    // An empty line is no command; it is passed over like a comment.
    if (line.empty() || line[0] == '#') continue;
    runLine(line, nullptr);
  }
}

}  // namespace mv
