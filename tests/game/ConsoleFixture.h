#pragma once
// A console with the program-wide state around it, a stand-in for the shell, and players on demand.

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <string>
#include <utility>
#include <vector>

#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "game/console/Console.h"
#include "platform/Cp1251.h"

namespace mv {

struct FakeShell : ShellServices {
  int screenshots = 0;
  std::vector<std::string> errors;
  std::pair<int, int> displaySize{800, 600};
  int32_t deadZones[2] = {10, 10};

  void saveScreenshot() override { ++screenshots; }
  void reportError(const std::string& message) override { errors.push_back(message); }
  void setDisplaySize(int w, int h) override { displaySize = {w, h}; }
  int32_t joyDeadZone(int axis) const override { return deadZones[axis]; }
  void setJoyDeadZone(int axis, int32_t value) override { deadZones[axis] = value; }
};

// Russian texts are written readably here and compared as the game holds them.
inline std::string cp(const char* utf8) {
  return utf8ToCp1251(utf8);
}

struct ConsoleFixture : ::testing::Test {
  GlobalsScope scope;
  TSpriteEngine root;
  FakeShell shell;
  TConsol console;

  ConsoleFixture() {
    globals().console = &console;
    globals().shell = &shell;
  }

  TPlayer& joinPlayer(int which) {
    auto* p = new TPlayer(&root);
    (which == 1 ? globals().player1 : globals().player2) = p;
    return *p;
  }

  // The lines a typed line adds after its own echo.
  std::vector<std::string> typed(const std::string& line) {
    const size_t before = console.lines.size();
    console.submit(line);
    EXPECT_GT(console.lines.size(), before);
    EXPECT_EQ(console.lines[before], line);
    return {console.lines.begin() + static_cast<std::ptrdiff_t>(before) + 1, console.lines.end()};
  }
};

// Runs the test inside a fresh folder with a SYSTEM folder, for scripts and dumps. The folder is this
// process's own: tests run side by side in separate processes.
struct TempFolder {
  std::filesystem::path dir, old;
  explicit TempFolder(const std::string& name)
      : dir(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))),
        old(std::filesystem::current_path()) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "SYSTEM");
    std::filesystem::current_path(dir);
  }
  ~TempFolder() {
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
  }
};

}  // namespace mv
