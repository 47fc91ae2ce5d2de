// Arbitrary text through the console, every way a line reaches the interpreter: as a script (the input
// is saved as SYSTEM\fuzz.cfg of a scratch folder and run, so "exec fuzz.cfg" runs it again from inside
// itself), each line typed, each line spoken by a bot, and then the binds it made held down for a few
// frames of a match with two people and a bot, so player commands and bound commands act on someone.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzWorld.h"
#include "engine/input/DXInput.h"
#include "game/console/Console.h"
#include "game/console/ScriptFiles.h"
#include "platform/Error.h"

using namespace mv;

namespace {

struct QuietShell : ShellServices {
  void saveScreenshot() override {}
};

// Everything held: every bind fires, whatever device it names.
void holdEverything(TDXInput& input) {
  input.Keyboard.keys.fill(0x80);
  input.Mouse.buttons.fill(0x80);
  input.Mouse.y = 7;
  input.Joystick.buttons = ~0u;
  input.Joystick.x = 500, input.Joystick.y = -300;
}

constexpr size_t kMaxLines = 64;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Scripts are read from SYSTEM under the working folder and dumps written into it: a scratch folder of
  // this process's own, removed at exit.
  static const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("mv-fuzz-console-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch / "SYSTEM");
  std::filesystem::current_path(scratch);
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
  });
  fuzz::Archives::get();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // "dump" writes and "exec" reads wherever a name points; a fuzzer's names stay inside its folder.
  std::replace(text.begin(), text.end(), '/', '_');
  std::replace(text.begin(), text.end(), '\\', '_');
  if (!writeGameFile("SYSTEM\\fuzz.cfg", text)) std::abort();

  fuzz::MatchWorld world;
  QuietShell shell;
  TConsol console;
  TDXInput input;
  Globals& g = globals();
  g.console = &console;
  g.shell = &shell;
  g.player1 = world.join<TPlayer>(100, 100);
  g.player2 = world.join<TPlayer>(200, 100);
  TBot* bot = world.join<TBot>(300, 100);

  try {
    console.runScript("fuzz.cfg");
  } catch (const Error&) {
  }
  std::vector<std::string> lines = splitScriptLines(text);
  if (lines.size() > kMaxLines) lines.resize(kMaxLines);
  for (const std::string& line : lines) {
    try {
      console.submit(line);
    } catch (const Error&) {
    }
    console.runLine(line, bot);
  }

  holdEverything(input);
  g.input = &input;
  for (int i = 0; i < 3; ++i) {
    world.frames(1);
    console.update(16);
  }
  return 0;
}
