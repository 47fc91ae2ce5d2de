// Runs the real program headless, as scripted runs and CI do.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "GameFolder.h"
#include "platform/Cp1251.h"

namespace {

namespace fs = std::filesystem;

// Runs a copy of mashvolt in a fresh folder that sees the game's data: the program reads its data from
// its own folder, and screenshots and dumps land there too.
class ProgramRun : public ::testing::Test {
 protected:
  mv::GameFolder folder{"run"};
  const fs::path& dir_ = folder.dir;

  mv::RunResult run(const std::string& args) { return folder.run(args, 60); }
  void write(const fs::path& name, const std::string& bytes) { folder.write(name, bytes); }
  std::string readText(const fs::path& path) { return folder.read(path); }

  std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

};

TEST_F(ProgramRun, HeadlessRunEndsAfterTheAskedTicks) {
  mv::RunResult r = run("--headless --frames 200 --lag 16");
  EXPECT_EQ(r.exitCode, 0) << r.output;
}

TEST_F(ProgramRun, BadCommandLinesPrintTheUsageAndExitWithTwo) {
  for (const char* args : {"--fly", "--frames ten", "--frames", "--lag 0"}) {
    mv::RunResult r = run(args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_NE(r.output.find("usage: mashvolt"), std::string::npos) << args;
  }
  mv::RunResult help = run("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--screenshot-at"), std::string::npos);
  EXPECT_NE(help.output.find("--exec LINE"), std::string::npos);
}

TEST_F(ProgramRun, NoDisplayIsAClearFailureNotACrash) {
  mv::RunResult r = run("--frames 1 --window");  // the test environment has no display to open
  if (getenv("DISPLAY") && *getenv("DISPLAY")) GTEST_SKIP() << "a display is available here";
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("Display mode cannot be changed (800x600 16bit)"), std::string::npos) << r.output;
}

TEST_F(ProgramRun, ScreenshotOfTheMenuAfterThirtyTicks) {
  mv::RunResult r = run("--headless --frames 30 --lag 16 --screenshot-at 30");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  std::vector<uint8_t> bmp = readFile(dir_ / "scr001.bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  auto le32 = [&](size_t at) { return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | uint32_t(bmp[at + 3]) << 24; };
  EXPECT_EQ(le32(18), 800u);
  EXPECT_EQ(le32(22), 600u);
  // After 30 ticks of 16 ms the title's red is 1 + 30 * 4 = 121: the glyphs' solid cores carry exactly
  // that colour (5-6-5 keeps the top 5 bits of red), and nothing brighter red stands in the title.
  int titleRed = 0, brighterRed = 0;
  const size_t rowBytes = 800 * 3;
  for (int y = 600 - 60; y < 600; ++y)  // bottom-up: the top rows come last
    for (int x = 300; x < 500; ++x) {
      const uint8_t* p = &bmp[54 + y * rowBytes + x * 3];
      if (p[0] >= 8 || p[1] >= 8) continue;
      if (p[2] >> 3 == 121 >> 3) ++titleRed;
      if (p[2] >> 3 > 121 >> 3) ++brighterRed;
    }
  EXPECT_GT(titleRed, 100);
  EXPECT_EQ(brighterRed, 0);
}

TEST_F(ProgramRun, AudioOutRecordsTheWholeRun) {
  // The menus play nothing: the recording is as long as the run and silent.
  mv::RunResult r = run("--headless --frames 25 --lag 20 --audio-out run.wav");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  std::vector<uint8_t> wav = readFile(dir_ / "run.wav");
  ASSERT_EQ(wav.size(), 44u + 25u * 20 * 44100 / 1000 * 4);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_TRUE(std::all_of(wav.begin() + 44, wav.end(), [](uint8_t b) { return b == 0; }));

  mv::RunResult bad = run("--headless --frames 1 --audio-out no/such/folder.wav");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("Cannot create file no/such/folder.wav"), std::string::npos) << bad.output;
}

TEST_F(ProgramRun, WrittenFilesReplaceOldOnesOnlyWhenTheRunGetsThatFar) {
  write("old.wav", "earlier");
  write("old.rec", "earlier");
  // A level that does not load ends the start before the first frame: both files stay, nothing beside.
  EXPECT_EQ(run("--headless --match nosuchlevel --record old.rec --audio-out old.wav").exitCode, 1);
  EXPECT_EQ(readText("old.wav") + readText("old.rec"), "earlierearlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 8);
  // A run killed after its first frames leaves a recording of them.
  folder.run("--headless --frames 100000000 --record old.rec --audio-out old.wav", 2);
  EXPECT_NE(readText("old.rec").find("\n1 lag 16\n"), std::string::npos);
  EXPECT_EQ(readText("old.wav"), "earlier");
  // A full disk is a failure that names the file, never a success.
  for (const char* option : {"--audio-out", "--record"}) {
    mv::RunResult full = run(std::string("--headless --frames 5 ") + option + " /dev/full");
    EXPECT_EQ(full.exitCode, 1) << option;
    EXPECT_NE(full.output.find("Cannot write file /dev/full"), std::string::npos) << full.output;
  }
}

TEST_F(ProgramRun, PipesAndHugeFilesAreRefusedBeforeTheyAreRead) {
  ::mkfifo((dir_ / "pipe.rec").c_str(), 0600);
  EXPECT_NE(folder.run("--headless --replay pipe.rec", 20).output.find("Cannot open file pipe.rec"),
            std::string::npos);
  // Sparse files, as large as they say without the disk: one byte over each kind's limit (each stays,
  // so the archive, which stops every start, comes last).
  for (auto [name, size, args] : {std::tuple{"Maps/huge.lvx", 16, "--match huge"},
                                  {"SYSTEM/autoexec.cfg", 4, "--match steelcage"},
                                  {"big.txt", 4, "--input big.txt"},
                                  {"big.rec", 512, "--replay big.rec"},
                                  {"SYSTEM/graphics.dat", 256, ""}}) {
    fs::remove(dir_ / name);
    std::ofstream(dir_ / name).close();
    fs::resize_file(dir_ / name, (size_t{1} << 20) * size + 1);
    mv::RunResult big = run(std::string("--headless --frames 1 ") + args);
    EXPECT_NE(big.output.find("File too large: "), std::string::npos) << name << big.output;
    EXPECT_NE(big.output.find(fs::path(name).filename().string()), std::string::npos) << big.output;
  }
}

TEST_F(ProgramRun, AMissingOrBrokenSoundArchiveStopsTheStart) {
  fs::remove(dir_ / "SYSTEM" / "sounds.dat");
  mv::RunResult missing = run("--headless --frames 1");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.output.find("Cannot open file " + (dir_ / "SYSTEM" / "sounds.dat").string()),
            std::string::npos)
      << missing.output;

  std::ofstream(dir_ / "SYSTEM" / "sounds.dat") << "TPF0";
  mv::RunResult broken = run("--headless --frames 1");
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.output.find("Stream read error"), std::string::npos) << broken.output;
}

TEST_F(ProgramRun, InputScriptErrorsAreReported) {
  std::ofstream(dir_ / "keys.txt") << "10 fly away\n";
  mv::RunResult r = run("--headless --frames 5 --input keys.txt");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("line 1"), std::string::npos) << r.output;
}

TEST_F(ProgramRun, ExecLinesRunAfterStartUpAsIfTyped) {
  write("SYSTEM/self.cfg", "echo round\r\nexec self.cfg\r\necho never\r\n");
  mv::RunResult r =
      run("--headless --frames 2 --seed 1 --exec 'exec self.cfg' --exec 'echo Привет' --exec 'dump out.txt'");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::string loading = mv::utf8ToCp1251("Загрузка self.cfg...\r\n");
  const std::string guard = mv::utf8ToCp1251(
      "Скрипт self.cfg не запущен: скрипты вложены больше 8 раз, остальные строки пропущены.\r\n");
  std::string expected = "Mashvolt 1.1\r\nexec self.cfg\r\n";
  for (int depth = 0; depth < 8; ++depth) expected += loading + "round\r\n";
  expected += loading + guard;
  expected += mv::utf8ToCp1251("echo Привет\r\nПривет\r\n");  // the echo and the reply
  expected += "dump out.txt\r\n";
  EXPECT_EQ(readText("out.txt"), expected);
}

TEST_F(ProgramRun, QuitFromTheConsoleEndsTheRun) {
  mv::RunResult r = run("--headless --exec quit --exec 'dump never.txt'");  // no --frames: quit alone ends it
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_FALSE(fs::exists(dir_ / "never.txt"));
  write("keys.txt", "20 console exit\n");
  r = run("--headless --frames 100000000 --input keys.txt");
  EXPECT_EQ(r.exitCode, 0) << r.output;
}

TEST_F(ProgramRun, ConsoleLinesFromTheInputScriptAndAFailingOneIsReported) {
  write("keys.txt", "3 console echo Привет\n4 console exec missing.cfg\n5 console dump typed.txt\n");
  mv::RunResult r = run("--headless --frames 10 --input keys.txt");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("Cannot open file SYSTEM\\missing.cfg"), std::string::npos) << r.output;
  const std::string dump = readText("typed.txt");
  EXPECT_NE(dump.find(mv::utf8ToCp1251("Привет\r\n")), std::string::npos);
  EXPECT_NE(dump.find("exec missing.cfg\r\n"), std::string::npos);
}

TEST_F(ProgramRun, LosingAndRegainingTheFocusStillEnds) {
  write("keys.txt", "5 focus off\n10 focus on\n12 console dump after.txt\n");
  mv::RunResult r = run("--headless --frames 20 --input keys.txt --screenshot-at 20");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(fs::exists(dir_ / "after.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "scr001.bmp"));
  write("away.txt", "5 focus off\n");
  r = run("--headless --frames 20 --input away.txt");  // never given back: the run ends all the same
  EXPECT_EQ(r.exitCode, 0) << r.output;
}

TEST_F(ProgramRun, AnInputFolderIsAnError) {
  fs::create_directory(dir_ / "keys");
  mv::RunResult r = run("--headless --frames 5 --input keys");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("Cannot open file keys"), std::string::npos) << r.output;
}

TEST_F(ProgramRun, StatisticsComeEveryNTicksWithTheMatchInThem) {
  mv::RunResult r =
      run("--headless --frames 250 --lag 16 --seed 1 --match steelcage --bots 3 --stats-every 125");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  std::vector<std::string> lines;
  for (size_t at = r.output.find("stats "); at != std::string::npos; at = r.output.find("stats ", at + 1))
    lines.push_back(r.output.substr(at, r.output.find('\n', at) - at));
  ASSERT_EQ(lines.size(), 2u) << r.output;
  EXPECT_EQ(lines[0].rfind("stats tick=125 game_s=2 rss_kb=", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("stats tick=250 game_s=4 ", 0), 0u) << lines[1];
  // The person and the three bots; the resident memory is there and is no small number.
  EXPECT_NE(lines[1].find(" fighters=4 "), std::string::npos) << lines[1];
  const long rss = std::stol(lines[1].substr(lines[1].find("rss_kb=") + 7));
  EXPECT_GT(rss, 1000);
}

TEST_F(ProgramRun, ScreenshotsThatCannotBeTakenAreRefusedOrReported) {
  mv::RunResult r = run("--headless --frames 20 --screenshot-at 30");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("--screenshot-at 30: the run ends after tick 20"), std::string::npos) << r.output;
  // One taken from the console a moment before holds the scripted one back; the run says so.
  write("keys.txt", "5 console screenshot\n");
  write("scr001.bmp", "earlier");
  r = run("--headless --frames 12 --input keys.txt --screenshot-at 12");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.output.find("--screenshot-at 12: no screenshot taken"), std::string::npos) << r.output;
  EXPECT_EQ(readText("scr001.bmp"), "earlier");
  EXPECT_TRUE(fs::exists(dir_ / "scr002.bmp"));
  EXPECT_FALSE(fs::exists(dir_ / "scr003.bmp"));
}

}  // namespace
