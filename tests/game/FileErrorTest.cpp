// The files the game reads for a match, levels and console scripts, when they are missing, a folder, a
// pipe, empty or cut short: each fails with a message that names the file, or, where such a file is
// still a valid one (an empty or cut script), does what its lines say and no more. Nothing hangs.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "ConsoleFixture.h"
#include "game/world/Level.h"
#include "platform/Error.h"

namespace mv {
namespace {

template <typename F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

struct GameFileErrors : ConsoleFixture {
  TempFolder folder{"mv-game-file-errors"};
  GameFileErrors() {
    std::filesystem::create_directories("Maps/folder.lvx");
    std::filesystem::create_directories("SYSTEM/folder.cfg");
    // A pipe with no writer: opening it for reading would wait for ever.
    ::mkfifo("Maps/pipe.lvx", 0600);
    ::mkfifo("SYSTEM/pipe.cfg", 0600);
  }
  static void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
};

TEST_F(GameFileErrors, LevelsNameTheFileWhateverIsWrongWithIt) {
  auto load = [](const std::string& path) { return errorOf([&] { loadLevel(path); }); };
  EXPECT_EQ(load("Maps/missing.lvx"), "Cannot open file Maps/missing.lvx");
  EXPECT_EQ(load("Maps/folder.lvx"), "Cannot open file Maps/folder.lvx");
  EXPECT_EQ(load("Maps/pipe.lvx"), "Cannot open file Maps/pipe.lvx");
  write("Maps/empty.lvx", "");
  EXPECT_EQ(load("Maps/empty.lvx"), "List index out of bounds (2) in Maps/empty.lvx");
  // Cut inside the collision layer of a 2 x 2 map: its 9th line is missing.
  write("Maps/cut.lvx", "a\r\nb\r\nTiles\r\nSky\r\n2\r\n2\r\n\x15\x15\r\n\x15\x15\r\n\x14");
  EXPECT_EQ(load("Maps/cut.lvx"), "List index out of bounds (9) in Maps/cut.lvx");
  // Cut after the width.
  write("Maps/cutnumber.lvx", "a\nb\nTiles\nSky\n2\n");
  EXPECT_EQ(load("Maps/cutnumber.lvx"), "List index out of bounds (5) in Maps/cutnumber.lvx");
  // The game's backslashes name the same file.
  EXPECT_EQ(load("Maps\\missing.lvx"), "Cannot open file Maps\\missing.lvx");
}

TEST_F(GameFileErrors, ScriptsThatCannotBeReadAreNamedAndRunNothing) {
  for (const char* name : {"missing.cfg", "folder.cfg", "pipe.cfg"}) {
    SCOPED_TRACE(name);
    const size_t before = console.lines.size();
    EXPECT_EQ(errorOf([&] { console.runScript(name); }), std::string("Cannot open file SYSTEM\\") + name);
    EXPECT_EQ(console.lines.size(), before);
  }
  // Through "exec" the same, after the loading line.
  EXPECT_EQ(errorOf([&] { console.submit("exec pipe.cfg"); }), "Cannot open file SYSTEM\\pipe.cfg");
}

TEST_F(GameFileErrors, AnEmptyOrCutScriptIsStillAScript) {
  TPlayer& p1 = joinPlayer(1);
  write("SYSTEM/empty.cfg", "");
  const size_t before = console.lines.size();
  EXPECT_EQ(errorOf([&] { console.runScript("empty.cfg"); }), "no error");
  EXPECT_EQ(console.lines.size(), before);

  // Cut in the middle of its second line: the first runs, the stump is an unknown command.
  write("SYSTEM/cut.cfg", "godmode 1\r\nsensiv");
  EXPECT_EQ(errorOf([&] { console.runScript("cut.cfg"); }), "no error");
  EXPECT_EQ(p1.godMode, 1);
  ASSERT_EQ(console.lines.size(), before + 2);
  EXPECT_EQ(console.lines[before], "sensiv");
  EXPECT_EQ(console.lines[before + 1], cp("Неизвестная команда."));
}

}  // namespace
}  // namespace mv
