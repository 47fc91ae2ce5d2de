// Script files and the dump of the console text.
#include <algorithm>
#include <fstream>

#include "ConsoleFixture.h"
#include "game/console/ScriptFiles.h"

namespace mv {
namespace {

using Lines = std::vector<std::string>;

struct Scripts : ConsoleFixture {
  TempFolder folder{"mashvolt-console-scripts"};
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder.dir / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream in(folder.dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST(ScriptLines, BreakAtCrLfOrBoth) {
  EXPECT_EQ(splitScriptLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitScriptLines("a\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitScriptLines(""), Lines{});
}

TEST_F(Scripts, LinesRunSilentlyCommentsAndBlankLinesAreSkippedUnknownOnesAreEchoed) {
  TPlayer& p = joinPlayer(1);
  write("SYSTEM/setup.cfg", "# players\r\nname Ivan\r\n\r\n  godmode 1\rmsgtime 250\nGodMode 1");
  console.lines.clear();
  console.runScript("setup.cfg");
  EXPECT_EQ(console.lines, (Lines{"  godmode 1", cp("Неизвестная команда.")}));
  EXPECT_EQ(p.name, "Ivan");
  EXPECT_EQ(globals().settings.msgTime, 250);
  EXPECT_TRUE(p.godMode);
}

TEST_F(Scripts, ExecRunsTheOtherScriptInTheMiddle) {
  write("SYSTEM/outer.cfg", "echo 1\nexec inner.cfg\necho 3\n");
  write("SYSTEM/inner.cfg", "echo 2\n");
  console.lines.clear();
  console.submit("exec outer.cfg");
  EXPECT_EQ(console.lines, (Lines{"exec outer.cfg", cp("Загрузка outer.cfg..."), "1",
                                  cp("Загрузка inner.cfg..."), "2", "3"}));
}

TEST_F(Scripts, AScriptThatRunsItselfEndsWithTheGuardLineAndRunsNothingMore) {
  write("SYSTEM/ping.cfg", "echo ping\nexec pong.cfg\necho after ping\n");
  write("SYSTEM/pong.cfg", "exec ping.cfg\necho after pong\n");
  console.lines.clear();
  console.submit("exec ping.cfg");
  const std::string guard =
      cp("Скрипт ping.cfg не запущен: скрипты вложены больше 8 раз, остальные строки пропущены.");
  EXPECT_EQ(console.lines.back(), guard);
  EXPECT_EQ(std::count(console.lines.begin(), console.lines.end(), "ping"), 4);
  EXPECT_EQ(std::count(console.lines.begin(), console.lines.end(), guard), 1);
  EXPECT_EQ(std::count(console.lines.begin(), console.lines.end(), "after ping"), 0);

  // The next script starts afresh.
  write("SYSTEM/plain.cfg", "echo fine\n");
  console.submit("exec plain.cfg");
  EXPECT_EQ(console.lines.back(), "fine");
}

TEST_F(Scripts, AMissingScriptIsAnErrorThatEndsItsCaller) {
  write("SYSTEM/caller.cfg", "echo before\nexec nowhere.cfg\necho after\n");
  console.lines.clear();
  try {
    console.runScript("caller.cfg");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file SYSTEM\\nowhere.cfg");
  }
  EXPECT_EQ(console.lines, (Lines{"before", cp("Загрузка nowhere.cfg...")}));
  std::filesystem::create_directory(folder.dir / "SYSTEM/folder.cfg");
  EXPECT_THROW(console.runScript("folder.cfg"), Error);
}

TEST_F(Scripts, AnInstalledGameReadsThePlayersCopiesFirstAndDumpsWhereTheOutputGoes) {
  std::filesystem::create_directories(folder.dir / "home/out");
  write("SYSTEM/autoexec.cfg", "echo shipped\n");
  write("SYSTEM/other.cfg", "echo shipped other\n");
  write("home/autoexec.cfg", "echo mine\nexec other.cfg\n");
  globals().configFolder = (folder.dir / "home/").string();
  globals().outputFolder = (folder.dir / "home/out/").string();
  console.lines.clear();
  console.runScript("autoexec.cfg");
  EXPECT_EQ(console.lines, (Lines{"mine", cp("Загрузка other.cfg..."), "shipped other"}));
  console.submit("dump d.txt");
  EXPECT_EQ(read("home/out/d.txt").substr(0, 6), "mine\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.dir / "d.txt"));
}

TEST_F(Scripts, ExitInAScriptStopsItsRemainingLines) {
  write("SYSTEM/leave.cfg", "echo a\nquit\necho b\n");
  console.runScript("leave.cfg");
  EXPECT_TRUE(console.quitRequested());
  EXPECT_EQ(console.lines.back(), "a");
}

TEST_F(Scripts, DumpWritesTheBufferInWindows1251WithCrLf) {
  console.addLine(cp("Привет, мир"));
  console.addLine("");
  write("old.txt", "something longer that must go away entirely");
  console.submit("dump old.txt");
  const std::string expected = "Mashvolt 1.1\r\n" + cp("Привет, мир") + "\r\n\r\ndump old.txt\r\n";
  EXPECT_EQ(read("old.txt"), expected);
  EXPECT_EQ(static_cast<uint8_t>(read("old.txt")[14]), 0xCF);  // "П" in Windows-1251
}

TEST_F(Scripts, ADumpThatCannotBeWrittenSaysSo) {
  std::filesystem::create_directory(folder.dir / "taken");
  console.submit("dump taken");
  EXPECT_EQ(console.lines.back(), "Cannot create file taken");
}

TEST_F(Scripts, ADumpGoesOnlyToAFileOfTheWorkingFolderAndAReplayWritesNone) {
  // A line from a script, a bound key or a chat partner cannot reach a file anywhere else.
  for (const std::string name : {"../victim.txt", "..\\victim.txt", "/tmp/victim.txt", ".."}) {
    console.submit("dump " + name);
    EXPECT_EQ(console.lines.back(),
              "Cannot create file " + name + ": dump takes a file name without a folder");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.dir.parent_path() / "victim.txt"));
  // A replayed recording's lines write nothing at all, which the console says once.
  globals().fileWritesRefused = true;
  for (const char* line : {"dump a.txt", "screenshot", "dump a.txt"}) console.submit(line);
  EXPECT_FALSE(std::filesystem::exists(folder.dir / "a.txt"));
  EXPECT_EQ(shell.screenshots, 0);
  EXPECT_EQ(std::count(console.lines.begin(), console.lines.end(),
                       "A recording is playing: dump and screenshot write no files"),
            1);
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

using ShippedAutoexec = ConsoleFixture;

TEST_F(ShippedAutoexec, SetsUpBothPlayersWithoutAComplaint) {
  TPlayer& one = joinPlayer(1);
  TPlayer& two = joinPlayer(2);
  console.lines.clear();
  console.runScript("autoexec.cfg");
  EXPECT_EQ(console.lines, std::vector<std::string>{});
  EXPECT_FALSE(one.name.empty());
  EXPECT_FALSE(two.name.empty());
  EXPECT_GT(one.sensivity, 0);
  EXPECT_GT(two.sensivity, 0);
  EXPECT_GT(globals().settings.msgTime, 0);
  for (TPlayer* p : {&one, &two}) {
    for (int slot = ActJump; slot <= ActZoom; ++slot)
      EXPECT_NE(p->binds[static_cast<size_t>(slot)].code + p->binds[static_cast<size_t>(slot)].device, 0)
          << slot;
    EXPECT_GT(p->commandBindCount, 0);
  }
}

}  // namespace
}  // namespace mv
