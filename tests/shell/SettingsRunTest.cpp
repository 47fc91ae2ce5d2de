// The real program, headless: a key rebound in the settings screen plays now and after a restart, the
// volume silences the mixer, and a mistake in a match comes up in the game's dialog as the match runs on.
#include <gtest/gtest.h>

#include <string>

#include "GameFolder.h"
#include "platform/Cp1251.h"

namespace {

// Main menu, settings, the jump key (SPACE, or Esc to leave it as it is), back, a match on the first
// level without bots, then the key held for a moment.
std::string menuRun(int keyForJump) {
  return "2 mousemove 300 560\n"
         "5 mousemove 400 182\n6 mousedown 400 182\n7 mouseup 400 182\n"
         "10 mousemove 300 155\n11 mousedown 300 155\n12 mouseup 300 155\n13 mousemove 300 590\n"
         "20 keydown " +
         std::to_string(keyForJump) + "\n21 keyup " + std::to_string(keyForJump) +
         "\n"
         "30 mousemove 400 552\n31 mousedown 400 552\n32 mouseup 400 552\n"
         "40 mousemove 400 132\n41 mousedown 400 132\n42 mouseup 400 132\n"
         "50 mousemove 400 131\n51 keydown 8\n52 keyup 8\n"
         "60 mousemove 400 232\n61 mousedown 400 232\n62 mouseup 400 232\n"
         "150 keydown 32\n170 keyup 32\n";
}

// The screenshots these runs take are fewer than ten.
std::string shotName(int n) {
  return "scr00" + std::to_string(n) + ".bmp";
}

// Screenshot pixels: bottom-up rows of 800 blue-green-red triples.
const uint8_t* pixel(const std::string& bmp, int x, int y) {
  return reinterpret_cast<const uint8_t*>(&bmp[54 + static_cast<size_t>((599 - y) * 800 + x) * 3]);
}

// Whether two runs left the same screenshot n.
bool sameShot(const mv::GameFolder& a, const mv::GameFolder& b, int n) {
  return a.read(shotName(n)) == b.read(shotName(n));
}

TEST(SettingsRun, AKeyReboundInTheSettingsPlaysNowAndAfterARestart) {
  mv::GameFolder rebound("rebound"), untouched("untouched");
  const std::string shots = " --screenshot-at 25 --screenshot-at 149 --screenshot-at 160";
  for (auto [folder, key] : {std::pair{&rebound, 32}, std::pair{&untouched, 27}}) {
    folder->write("input.txt", menuRun(key));
    // The main menu's four buttons, where the input clicks.
    const mv::RunResult r =
        folder->run("--headless --seed 5 --frames 180 --exec \"netplay 0\" --input input.txt" + shots);
    ASSERT_EQ(r.exitCode, 0) << r.output;
  }
  EXPECT_NE(rebound.read("SYSTEM/config.cfg").find("\r\nbind SPACE \"JUMP\"\r\n"), std::string::npos);
  EXPECT_EQ(untouched.read("SYSTEM/config.cfg").find("JUMP"), std::string::npos);
  // The settings page shows the key (scr001.bmp); the runs are the same up to the key, and then only
  // the rebound one jumps (the camera follows the player up).
  EXPECT_FALSE(sameShot(rebound, untouched, 1));
  EXPECT_TRUE(sameShot(rebound, untouched, 2));
  EXPECT_FALSE(sameShot(rebound, untouched, 3));

  // Started again, straight into a match: config.cfg still has the key.
  for (mv::GameFolder* folder : {&rebound, &untouched}) {
    folder->write("input.txt", "40 keydown 32\n60 keyup 32\n");
    const mv::RunResult r = folder->run(
        "--headless --seed 5 --frames 60 --match steelcage --input input.txt --screenshot-at 39 "
        "--screenshot-at 50");
    ASSERT_EQ(r.exitCode, 0) << r.output;
  }
  EXPECT_TRUE(sameShot(rebound, untouched, 4));
  EXPECT_FALSE(sameShot(rebound, untouched, 5));
}

TEST(SettingsRun, VolumeZeroSilencesTheMixer) {
  mv::GameFolder folder("volume");
  auto loudest = [&](const std::string& exec) {
    const mv::RunResult r =
        folder.run("--headless --seed 3 --frames 300 --match steelcage --bots 3 --audio-out run.wav" + exec);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    const std::string wav = folder.read("run.wav");
    int peak = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int16_t>(static_cast<uint8_t>(wav[i]) | wav[i + 1] << 8)));
    return peak;
  };
  EXPECT_GT(loudest(""), 1000);
  EXPECT_EQ(loudest(" --exec \"volume 0\""), 0);
}

TEST(SettingsRun, AMistakeInAMatchComesUpInTheGamesDialogWhileTheMatchRunsOn) {
  mv::GameFolder folder("dialog");
  folder.write("input.txt", "30 console exec nosuch.cfg\n");
  const mv::RunResult r = folder.run(
      "--headless --seed 3 --frames 80 --match steelcage --bots 3 --input input.txt --screenshot-at 29 "
      "--screenshot-at 45 --screenshot-at 75");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("Mashvolt: Cannot open file SYSTEM\\nosuch.cfg"), std::string::npos) << r.output;
  const std::string before = folder.read(shotName(1)), first = folder.read(shotName(2)),
                    later = folder.read(shotName(3));
  // The panel's red frame: 480 wide, centred, one line of text high.
  for (const std::string* shot : {&first, &later}) {
    const uint8_t* frame = pixel(*shot, 400, 249);
    EXPECT_GT(frame[2], 150);
    EXPECT_LT(frame[1], 40);
  }
  EXPECT_LT(pixel(before, 400, 249)[2], 150);
  EXPECT_TRUE(first != later);  // around it the match goes on
}

}  // namespace
