// The fight heard and run through the real program: a scripted player on the shooting range, recorded
// with --audio-out, and bot matches that must run without a reported error.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FightRange.h"
#include "GameFolder.h"
#include "engine/sound/WaveCollection.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

constexpr int kLag = 20;
constexpr size_t kFramesPerTick = 44100 * kLag / 1000;  // stereo frames of the recording per tick

class FightProgram : public ::testing::Test {
 protected:
  FightProgram() : dir_(makeGameFolder("program-" + testName())) {
    fs::copy_file(fs::path(MASHVOLT_GAME_DIR) / "mashvolt", dir_ / "mashvolt");
    sounds_.loadFromFile((fs::path(MASHVOLT_GAME_DIR) / "SYSTEM" / "sounds.dat").string());
  }
  ~FightProgram() override { fs::remove_all(dir_); }

  void writeRange(const std::vector<RangeObject>& objects) {
    std::ofstream(dir_ / "Maps" / "range.lvx", std::ios::binary) << rangeLevelText(rangeRows(), objects);
  }
  void writeScript(const std::string& text) { std::ofstream(dir_ / "keys.txt") << text; }

  // Everything the program printed: headless, reported errors go to standard error.
  std::string run(const std::string& args) {
    const RunResult result = runCommand("cd '" + dir_.string() + "' && timeout 120 ./mashvolt " + args + " 2>&1");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
  }

  // The left channel of a 16-bit stereo recording.
  std::vector<int16_t> recording(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<int16_t> left;
    for (size_t at = 44; at + 4 <= bytes.size(); at += 4) {
      int16_t v;
      std::memcpy(&v, &bytes[at], 2);
      left.push_back(v);
    }
    return left;
  }

  // A sound as the mixer plays it at its own rate on the 44100 Hz output: every source sample, then
  // the point halfway to the next.
  std::vector<double> played(const std::string& name) {
    const TWave& wave = sounds_.find(name).Wave;
    EXPECT_EQ(wave.samplesPerSec(), 22050u);
    EXPECT_EQ(wave.channels(), 1);
    std::vector<int16_t> s(wave.data.size() / 2);
    std::memcpy(s.data(), wave.data.data(), s.size() * 2);
    std::vector<double> out;
    for (size_t i = 0; i < s.size(); ++i) {
      out.push_back(s[i]);
      out.push_back(i + 1 < s.size() ? (s[i] + s[i + 1]) / 2.0 : s[i]);
    }
    return out;
  }

  // How alike one tick of the recording and the start of a sound are (1: the same shape).
  static double likeness(const std::vector<int16_t>& left, int tick, const std::vector<double>& sound) {
    const size_t from = static_cast<size_t>(tick) * kFramesPerTick;
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i < kFramesPerTick && i < sound.size() && from + i < left.size(); ++i) {
      xy += left[from + i] * sound[i];
      xx += static_cast<double>(left[from + i]) * left[from + i];
      yy += sound[i] * sound[i];
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
  }

  // The ticks from..to in which the sound starts, by the shape of the recording.
  static std::vector<int> onsets(const std::vector<int16_t>& left, const std::vector<double>& sound, int from,
                                 int to) {
    std::vector<int> ticks;
    for (int t = from; t <= to; ++t)
      if (likeness(left, t, sound) > 0.98) ticks.push_back(t);
    return ticks;
  }

  fs::path dir_;
  TWaveCollection sounds_;
};

TEST_F(FightProgram, EachWeaponIsHeardFromTheTickItFires) {
  writeRange(armoury());
  // Turn to the range, then every weapon in turn, two and a half seconds apart, switching with
  // NEXTWEAPON (Q) 300 ms before each shot (the Redeemer holds the next switch back for 2000 ms). A
  // script event at tick T reaches frame T + 1, whose sound is the recording's tick T.
  std::string script = "10 keydown 68\n11 keyup 68\n";
  std::string shots;
  std::vector<int> fired;
  for (int w = 0; w < 8; ++w) {
    const int t = 60 + 120 * w;
    if (w > 0) script += std::to_string(t - 15) + " keydown 81\n" + std::to_string(t - 14) + " keyup 81\n";
    script +=
        std::to_string(t) + " mousedown 400 300 left\n" + std::to_string(t + 1) + " mouseup 400 300 left\n";
    shots += " --screenshot-at " + std::to_string(t + 6);
    fired.push_back(t);
  }
  writeScript(script);
  // God mode: the disk comes back off the wall into its owner.
  const std::string output =
      run("--headless --lag 20 --frames 1020 --seed 1 --match range --exec 'godmode 1' --input keys.txt "
          "--audio-out fight.wav" +
          shots);
  EXPECT_EQ(output, "");
  const std::vector<int16_t> left = recording("fight.wav");
  ASSERT_EQ(left.size(), 1020 * kFramesPerTick);
  for (int w = 0; w < 8; ++w) {
    SCOPED_TRACE(w);
    const std::vector<double> sound = played("Weapon" + std::to_string(w));
    EXPECT_GT(likeness(left, fired[w], sound), 0.99);
    EXPECT_EQ(onsets(left, sound, 0, 1019), std::vector<int>{fired[w]});
    char name[16];
    std::snprintf(name, sizeof name, "scr%03d.bmp", w + 1);
    EXPECT_TRUE(fs::exists(dir_ / name));
    keepScreenshot(dir_ / name, testName() + "-weapon" + std::to_string(w));
  }
}

TEST_F(FightProgram, TheAcidDeathTheRespawnAndTheReturningRifleAreHeardOnTime) {
  writeRange({{"Respawn", 160, 130}, {"Weapon1Item", 168, 150}});
  writeScript("10 keydown 68\n150 keyup 68\n");
  const std::string output =
      run("--headless --lag 20 --frames 1260 --seed 1 --match range --input keys.txt --audio-out acid.wav");
  EXPECT_EQ(output, "");
  const std::vector<int16_t> left = recording("acid.wav");
  ASSERT_EQ(left.size(), 1260 * kFramesPerTick);
  // The walk into the acid ends in one death, and 3000 ms (150 ticks of 20 ms) later he is back.
  const std::vector<int> deaths = onsets(left, played("SmackDown"), 0, 1259);
  ASSERT_EQ(deaths.size(), 1u);
  EXPECT_GT(deaths[0], 40);
  EXPECT_LT(deaths[0], 150);
  const std::vector<int> respawns = onsets(left, played("Respawn"), 1, 1259);
  EXPECT_EQ(respawns, std::vector<int>{deaths[0] + 150});
  // He took the rifle in the second tick, as he appeared on it; it is back, and taken again by him
  // standing there, in the 1201st tick after.
  EXPECT_EQ(onsets(left, played("WeaponGet"), 200, 1259), std::vector<int>{1 + 1201});
}

TEST_F(FightProgram, BotMatchesRunWithoutAReportedError) {
  EXPECT_EQ(run("--headless --frames 3000 --seed 1 --match canyon --bots 16 --skill 100"), "");
  EXPECT_EQ(run("--headless --frames 2000 --seed 2 --match acidworks --bots 8 --skill 0 --hotseat "
                "--audio-out bots.wav"),
            "");
}

}  // namespace
}  // namespace mv
