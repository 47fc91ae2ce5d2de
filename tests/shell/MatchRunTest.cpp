// The real program playing matches headless from the command line, looked at through its screenshots
// and its recorded sound: the player at its camera on every shipped level, the view following a walk,
// the respawn sound at the respawn frame, and a level that does not load.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "engine/sound/WaveCollection.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A 24-bit bottom-up screenshot as the game saves it.
struct Shot {
  explicit Shot(const fs::path& path) : bytes(readFile(path)) {}
  bool valid() const { return bytes.size() >= 54 + 800 * 600 * 3; }
  const uint8_t* at(int x, int y) const {
    return &bytes[54 + static_cast<size_t>(599 - y) * 800 * 3 + x * 3];
  }
  bool same(int x, int y, const Shot& o, int ox, int oy) const {
    return std::equal(at(x, y), at(x, y) + 3, o.at(ox, oy));
  }
  std::vector<uint8_t> bytes;
};

// Pixels of one pure colour (0 blue, 1 green, 2 red) in a rectangle: a fighter's name is drawn in one.
int pureIn(const Shot& shot, int channel, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const uint8_t* p = shot.at(x, y);
      bool pure = p[channel] > 200;
      for (int c = 0; c < 3; ++c) pure = pure && (c == channel || p[c] < 40);
      n += pure;
    }
  return n;
}

class MatchRun : public ::testing::Test {
 protected:
  GameFolder folder{"match"};
  const fs::path& dir_ = folder.dir;

  int run(const std::string& args, std::string* output = nullptr) {
    RunResult r = folder.run(args);
    if (output) *output = r.output;
    return r.exitCode;
  }
  void write(const std::string& name, const std::string& text) { folder.write(name, text); }
};

TEST_F(MatchRun, EveryShippedLevelShowsThePlayerAtItsCamera) {
  for (const char* level : {"steelcage", "acidworks", "reactorcore", "canyon"}) {
    fs::remove(dir_ / "scr001.bmp");
    std::string out;
    ASSERT_EQ(
        run(std::string("--headless --frames 60 --seed 1 --match ") + level + " --screenshot-at 60", &out), 0)
        << out;
    Shot shot(dir_ / "scr001.bmp");
    ASSERT_TRUE(shot.valid()) << level;
    // The camera centres the fighter, so its green name stands just above the middle of the screen.
    EXPECT_GT(pureIn(shot, 1, 360, 255, 440, 285), 30) << level;
  }
}

TEST_F(MatchRun, HotseatSplitsTheScreenBetweenBothPlayers) {
  std::string out;
  ASSERT_EQ(run("--headless --frames 60 --seed 1 --match acidworks --hotseat --screenshot-at 60", &out), 0)
      << out;
  const Shot shot(dir_ / "scr001.bmp");
  ASSERT_TRUE(shot.valid());
  // Each fighter is centred in its own half, its name just above it: player 1 green in the upper half,
  // player 2 red in the lower.
  EXPECT_GT(pureIn(shot, 1, 360, 100, 440, 135), 30);
  EXPECT_GT(pureIn(shot, 2, 360, 400, 440, 435), 30);
}

TEST_F(MatchRun, HoldingTheMoveRightKeyShiftsTheTilesByTheWalk) {
  // D is player 1's MOVERIGHT in the shipped autoexec.cfg. Ten ticks of 16 ms at 0.2 px/ms: 32 pixels.
  write("walk.txt", "45 keydown 68\n");
  std::string out;
  ASSERT_EQ(run("--headless --frames 60 --seed 1 --match steelcage --input walk.txt --screenshot-at 50 "
                "--screenshot-at 60",
                &out),
            0)
      << out;
  const Shot a(dir_ / "scr001.bmp"), b(dir_ / "scr002.bmp");
  ASSERT_TRUE(a.valid() && b.valid());
  // Among the pixels that changed below the fighter (the background picture stays put), the best
  // explanation of the new picture is the old one moved left.
  int bestShift = 0;
  double bestScore = 0;
  for (int dx = -48; dx <= 48; ++dx) {
    int changed = 0, explained = 0;
    for (int y = 360; y < 560; y += 2)
      for (int x = 60; x < 740; x += 2) {
        if (b.same(x, y, a, x, y)) continue;
        ++changed;
        explained += b.same(x, y, a, x + dx, y);
      }
    const double score = changed ? static_cast<double>(explained) / changed : 0;
    if (score > bestScore) bestScore = score, bestShift = dx;
  }
  EXPECT_EQ(bestShift, 32);
  EXPECT_GT(bestScore, 0.7);
}

TEST_F(MatchRun, TheRespawnSoundStartsAtTheRespawnFrame) {
  // Nothing else sounds in the first half second: the bots enter later, and nobody fires.
  std::string out;
  ASSERT_EQ(
      run("--headless --frames 30 --lag 16 --seed 1 --match steelcage --bots 1 --audio-out run.wav", &out), 0)
      << out;
  const std::vector<uint8_t> wav = readFile(dir_ / "run.wav");
  ASSERT_GT(wav.size(), 44u);
  std::vector<double> mono;
  for (size_t i = 44; i + 3 < wav.size(); i += 4)
    mono.push_back(static_cast<int16_t>(wav[i] | wav[i + 1] << 8) +
                   static_cast<int16_t>(wav[i + 2] | wav[i + 3] << 8));

  TWaveCollection sounds;
  sounds.loadFromFile((fs::path(MASHVOLT_GAME_DIR) / "SYSTEM" / "sounds.dat").string());
  const TWave& respawn = sounds.find("Respawn").Wave;
  ASSERT_EQ(respawn.bitsPerSample(), 16);
  ASSERT_EQ(respawn.channels(), 1);
  // The mixer plays it at the recording's 44100 Hz: compare the sound's samples with every step-th.
  ASSERT_EQ(44100 % respawn.samplesPerSec(), 0u);
  const size_t step = 44100 / respawn.samplesPerSec();
  std::vector<double> ref;
  for (size_t i = 0; i + 1 < respawn.data.size() && ref.size() < respawn.samplesPerSec() / 10; i += 2)
    ref.push_back(static_cast<int16_t>(respawn.data[i] | respawn.data[i + 1] << 8));

  // Where the recording looks most like the sound's first tenth of a second.
  auto likeness = [&](size_t at) {
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i < ref.size() && at + i * step < mono.size(); ++i) {
      const double m = mono[at + i * step];
      xy += ref[i] * m, xx += ref[i] * ref[i], yy += m * m;
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
  };
  size_t best = 0;
  double bestLikeness = 0;
  for (size_t at = 0; at + ref.size() * step < mono.size() && at < 44100 / 2; ++at)
    if (double l = likeness(at); l > bestLikeness) bestLikeness = l, best = at;
  EXPECT_GT(bestLikeness, 0.95);
  // The first move pass respawns player 1: the sound begins within the first tick's 16 ms.
  EXPECT_LT(best, 44100u * 16 / 1000);
  for (size_t i = 0; i < best; ++i) ASSERT_EQ(mono[i], 0) << i;
}

TEST_F(MatchRun, AOneMinuteLimitEndsAfterTheSixtiethSecondOfPlayAndAPauseStopsTheClock) {
  // 60000 ms are 3750 ticks of 16 ms; paused from tick 100 to tick 420 the world and its clock wait,
  // so the match ends on tick 4070, and 300 ticks into the pause the frame is the same frame (the
  // pointer rests in the corner).
  write("in.txt", "5 mousemove 790 590\n100 keydown 27\n420 keydown 27\n4069 console dump going.txt\n"
                  "4070 console dump over.txt\n");
  std::string out;
  ASSERT_EQ(run("--headless --lag 16 --frames 4071 --seed 1 --match steelcage --bots 3 --timelimit 1 "
                "--exec 'pausestops 1' --screenshot-at 110 --screenshot-at 410 --input in.txt",
                &out),
            0)
      << out;
  const std::string end = utf8ToCp1251("Матч окончен.");
  EXPECT_EQ(folder.read("going.txt").find(end), std::string::npos);
  EXPECT_NE(folder.read("over.txt").find(end), std::string::npos);
  const Shot before(dir_ / "scr001.bmp"), after(dir_ / "scr002.bmp");
  ASSERT_TRUE(before.valid() && after.valid());
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 780; ++x) ASSERT_TRUE(after.same(x, y, before, x, y)) << x << ", " << y;
}

TEST_F(MatchRun, ALevelThatDoesNotLoadIsAStartUpError) {
  std::string out;
  EXPECT_EQ(run("--headless --frames 10 --match nosuchlevel", &out), 1);
  EXPECT_NE(out.find("Cannot open file"), std::string::npos) << out;
  EXPECT_EQ(run("--headless --frames 10 --match ../SYSTEM/autoexec", &out), 2);
  EXPECT_EQ(run("--headless --frames 10 --bots 3", &out), 2);
}

}  // namespace
}  // namespace mv
