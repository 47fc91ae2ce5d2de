// The real program records runs and plays them back: the same screenshots, to the byte, at the same
// ticks, and the same console dumps.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "MenuScript.h"

namespace {

namespace fs = std::filesystem;
using mv::RunResult;
using mv::runCommand;

class RecordReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("mashvolt-replay-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "rec");
    fs::create_directories(dir_ / "play");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the game from a folder of its own (screenshots and dumps land there); the program finds its
  // data beside itself.
  RunResult run(const std::string& folder, const std::string& args,
                const fs::path& program = MASHVOLT_GAME_DIR) {
    return runCommand("cd '" + (dir_ / folder).string() + "' && timeout 120 '" + (program / "mashvolt").string() +
                      "' " + args + " 2>&1");
  }
  void write(const fs::path& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const fs::path& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string shotName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "scr%03d.bmp", n);
    return name;
  }
  // Both folders hold the same screenshots 1 .. count, byte for byte.
  void expectSameShots(int count) {
    for (int n = 1; n <= count; ++n) {
      const std::string recorded = read(fs::path("rec") / shotName(n)),
                        replayed = read(fs::path("play") / shotName(n));
      EXPECT_EQ(recorded.size(), 54u + 800 * 600 * 3) << shotName(n);
      EXPECT_TRUE(recorded == replayed) << shotName(n) << " differs";
    }
    EXPECT_FALSE(fs::exists(dir_ / "play" / shotName(count + 1)));
  }

  fs::path dir_;
};

// The player's health as the status block shows it: bright green from 80 to 100, bright red up to 19.
enum class Health { Low, High, Other };
Health healthShown(const std::string& bmp) {
  int red = 0, green = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 25; x < 58; ++x) {
      const auto* p =
          reinterpret_cast<const uint8_t*>(&bmp[54 + static_cast<size_t>((599 - y) * 800 + x) * 3]);
      if (p[2] >= 240 && p[1] < 16 && p[0] < 16) ++red;
      if (p[1] >= 240 && p[2] < 16 && p[0] < 16) ++green;
    }
  return red > 0 && green == 0 ? Health::Low : green > 0 && red == 0 ? Health::High : Health::Other;
}

// A match against three of the best bots, played by a script: the frame time changes again and again,
// the player aims with the mouse, fires, walks, jumps, speaks through a bound key, types a command into
// the console and turns the wheel. The bots kill him, and he comes back.
constexpr const char* kMatchScript = R"(0 lag 16
5 console echo recorded run
20 mouserel 0 -40
30 mousedown 400 300
60 mouseup 400 300
70 keydown 68
90 lag 25
130 keyup 68
140 mouserel 30 60
150 mousedown 400 300
200 mouseup 400 300
210 keydown 65
260 keyup 65
270 keydown 87
272 keyup 87
300 lag 7
320 keydown 84
321 keyup 84
400 lag 33
400 char 96
440 text echo typed by keys
445 keydown 13
446 keyup 13
450 char 96
520 lag 10
600 wheelup
640 mouserel -20 -90
650 mousedown 400 300
700 lag 16
760 mouseup 400 300
900 lag 21
1100 lag 13
1300 lag 16
1490 console dump match.txt
)";

TEST_F(RecordReplay, AScriptedMatchWithBotsReplaysToThePixel) {
  write("keys.txt", kMatchScript);
  std::string shots;
  for (int tick = 100; tick <= 1500; tick += 100) shots += " --screenshot-at " + std::to_string(tick);
  RunResult recorded = run("rec",
                           "--headless --seed 7 --frames 1500 --match steelcage --bots 3 --skill 100 "
                           "--input ../keys.txt --record ../match.rec" +
                               shots);
  ASSERT_EQ(recorded.exitCode, 0) << recorded.output;
  RunResult replayed = run("play", "--headless --replay ../match.rec" + shots);
  ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
  expectSameShots(15);
  const std::string dump = read("rec/match.txt");
  EXPECT_NE(dump.find("typed by keys"), std::string::npos);
  EXPECT_NE(dump.find("recorded run"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "play" / "match.txt"));  // a replay's lines write no files

  // The match had what a replay must get right: a death (health shown low, the corpse's fall, the
  // respawn's random place) and the way back (full health at a respawn point).
  int lowAt = 0, backAt = 0;
  for (int n = 1; n <= 15 && !backAt; ++n) {
    const Health health = healthShown(read(fs::path("rec") / shotName(n)));
    if (health == Health::Low && !lowAt) lowAt = n;
    if (health == Health::High && lowAt) backAt = n;
  }
  EXPECT_GT(lowAt, 0) << "the player was never brought low";
  EXPECT_GT(backAt, 0) << "the player never came back";

  // The file is the timed-input format: one line a frame with its time, and the input among them.
  const std::string file = read("match.rec");
  EXPECT_NE(file.find("\nseed 7\n"), std::string::npos);
  EXPECT_NE(file.find("\n0 match bots 3 skill 100 level steelcage\n"), std::string::npos);
  EXPECT_NE(file.find("\n90 lag 25\n"), std::string::npos);
  EXPECT_NE(file.find("\n20 mouserel 0 -40\n"), std::string::npos);
  EXPECT_NE(file.find("\n30 buttons 128 0 0 0\n"), std::string::npos);
  EXPECT_NE(file.find("\n1500 end\n"), std::string::npos);
}

TEST_F(RecordReplay, MenuChoicesAndAClockSeedAreReplayed) {
  // No seed given: the one taken from the clock goes into the recording.
  write("menu.txt", mv::menuscript::kScript);
  std::string args = " --frames " + std::to_string(mv::menuscript::kLastTick);
  for (int tick : mv::menuscript::kShotTicks) args += " --screenshot-at " + std::to_string(tick);
  RunResult recorded = run("rec", "--headless --input ../menu.txt --record ../menu.rec" + args);
  ASSERT_EQ(recorded.exitCode, 0) << recorded.output;
  const std::string file = read("menu.rec");
  EXPECT_NE(file.find("\nseed "), std::string::npos);
  EXPECT_NE(file.find(" pointer 400 132\n"), std::string::npos);  // the drawn pointer's place is input too
  RunResult replayed = run("play", "--headless --replay ../menu.rec" + args);
  ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
  expectSameShots(static_cast<int>(std::size(mv::menuscript::kShotTicks)));
}

TEST_F(RecordReplay, TheReplayEndsWhereTheRunDid) {
  // The run quits from the console in the middle of tick 77, after a dump in the same tick.
  write("keys.txt", "10 keydown 68\n60 keyup 68\n77 console dump last.txt\n77 console quit\n");
  RunResult recorded = run("rec",
                           "--headless --seed 3 --match canyon --bots 2 --frames 5000 --input ../keys.txt "
                           "--record ../run.rec --screenshot-at 50 --screenshot-at 77");
  ASSERT_EQ(recorded.exitCode, 0) << recorded.output;
  const std::string file = read("run.rec");
  EXPECT_NE(file.find("\n77 console quit\n77 end\n"), std::string::npos) << file.substr(file.size() - 200);
  // A recording handed on may carry lines that would write over the watcher's files; they write
  // nothing, and the pictures the watcher asked for keep their numbers.
  EXPECT_NE(read("rec/last.txt").find("dump last.txt"), std::string::npos);
  write("play/last.txt", "the watcher's own");
  write("victim.txt", "the watcher's own");
  write("run.rec", file + "30 console dump ../victim.txt\n30 console screenshot\n31 console dump last.txt\n");
  RunResult replayed = run("play", "--headless --replay ../run.rec --screenshot-at 50 --screenshot-at 77");
  ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
  expectSameShots(2);
  EXPECT_EQ(read("play/last.txt"), "the watcher's own");
  EXPECT_EQ(read("victim.txt"), "the watcher's own");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "play"), fs::directory_iterator()), 3);
  write("run.rec", file);

  // A screenshot the replay never reaches is told, not silently missing.
  RunResult tooLate = run("play", "--headless --replay ../run.rec --screenshot-at 90");
  EXPECT_EQ(tooLate.exitCode, 0);
  EXPECT_NE(tooLate.output.find("--screenshot-at 90: the recording ends after tick 77"), std::string::npos)
      << tooLate.output;

  // Asked for fewer ticks, the replay stops there.
  fs::remove_all(dir_ / "play");
  fs::create_directory(dir_ / "play");
  ASSERT_EQ(run("play", "--headless --replay ../run.rec --frames 60 --screenshot-at 50").exitCode, 0);
  EXPECT_FALSE(fs::exists(dir_ / "play" / "last.txt"));
  expectSameShots(1);

  // A recording cut short, as when the game was killed, plays up to its last frame.
  const size_t cut = file.find("\n56 lag ");
  ASSERT_NE(cut, std::string::npos);
  write("cut.rec", file.substr(0, cut + 1));
  fs::remove_all(dir_ / "play");
  fs::create_directory(dir_ / "play");
  RunResult cutShort = run("play", "--headless --replay ../cut.rec --screenshot-at 50");
  ASSERT_EQ(cutShort.exitCode, 0) << cutShort.output;
  expectSameShots(1);
}

TEST_F(RecordReplay, AnotherBuildOrOtherGameDataIsRefused) {
  // A game folder of the test's own: the program and data it may change.
  const fs::path game = dir_ / "game";
  fs::create_directories(game / "SYSTEM");
  for (const char* sub : {"Fonts", "Maps", "Textures", "Backgrounds"})
    fs::create_directory_symlink(fs::path(MASHVOLT_GAME_DIR) / sub, game / sub);
  for (const auto& entry : fs::directory_iterator(fs::path(MASHVOLT_GAME_DIR) / "SYSTEM"))
    if (entry.path().filename() != "autoexec.cfg")
      fs::create_symlink(entry.path(), game / "SYSTEM" / entry.path().filename());
  fs::copy_file(fs::path(MASHVOLT_GAME_DIR) / "SYSTEM" / "autoexec.cfg", game / "SYSTEM" / "autoexec.cfg");
  fs::copy_file(fs::path(MASHVOLT_GAME_DIR) / "mashvolt", game / "mashvolt");

  ASSERT_EQ(
      run("rec", "--headless --seed 1 --match steelcage --frames 20 --record ../run.rec", game).exitCode, 0);
  ASSERT_EQ(run("play", "--headless --replay ../run.rec", game).exitCode, 0);

  // A player who changed a binding would see another match.
  std::ofstream(game / "SYSTEM" / "autoexec.cfg", std::ios::app) << "bind J \"JUMP\"\n";
  RunResult edited = run("play", "--headless --replay ../run.rec", game);
  EXPECT_EQ(edited.exitCode, 1);
  EXPECT_NE(edited.output.find("../run.rec was recorded with a different SYSTEM/autoexec.cfg"),
            std::string::npos)
      << edited.output;

  // Another build's recording is refused before anything is played.
  std::string file = read("run.rec");
  const size_t build = file.find(" build ") + 7;
  file.replace(build, file.find('\n', build) - build, "0123456789ab");
  write("old.rec", file);
  RunResult old = run("play", "--headless --replay ../old.rec --screenshot-at 10");
  EXPECT_EQ(old.exitCode, 1);
  EXPECT_NE(old.output.find(
                "../old.rec was recorded by Mashvolt 1.1 (build 0123456789ab); this is Mashvolt 1.1 (build "),
            std::string::npos)
      << old.output;
  EXPECT_FALSE(fs::exists(dir_ / "play" / "scr001.bmp"));

  RunResult notOne = run("play", "--headless --replay ../../" + dir_.filename().string() + "/rec");
  EXPECT_EQ(notOne.exitCode, 1);
  EXPECT_NE(notOne.output.find("Cannot open file"), std::string::npos) << notOne.output;
}

}  // namespace
