// A match against the computer, run by the real program headless with a fixed seed, and read back
// from its screenshots: the heads-up display at the first respawn and the frag table after a minute.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Man.h"
#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"
#include "GameFolder.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

// A screenshot back in the surface's own 5-6-5 pixels (the file widens each channel losslessly).
struct Screen {
  std::vector<uint16_t> pixels;
  uint16_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * 800 + x]; }
};

Screen readScreenshot(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bmp{std::istreambuf_iterator<char>(in), {}};
  Screen s;
  if (bmp.size() != 54 + 800 * 600 * 3) return s;
  s.pixels.resize(800 * 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint8_t* p = &bmp[54 + static_cast<size_t>(599 - y) * 2400 + static_cast<size_t>(x) * 3];
      s.pixels[static_cast<size_t>(y) * 800 + x] =
          static_cast<uint16_t>((p[2] >> 3) << 11 | (p[1] >> 2) << 5 | p[0] >> 3);
    }
  return s;
}

using Points = std::vector<std::pair<int, int>>;

// The pixels a text covers completely in the HUD's 12-point bold face: they carry its colour exactly,
// whatever lies beneath.
class Lettering {
 public:
  Lettering() {
    TTextCanvas& canvas = surface_.canvas();
    canvas.setBrushClear(true);
    canvas.setFontSize(12);
    canvas.setFontBold(true);
    canvas.setFontColor(colorRef(255, 255, 255));
  }
  Points core(int x, int y, const std::string& text) {
    surface_.fill(0);
    surface_.canvas().textOut(x, y, text);
    Points core;
    for (int py = std::max(y - 4, 0); py < std::min(y + 30, 600); ++py)
      for (int px = x; px < std::min(x + 300, 800); ++px)
        if (surface_.row(py)[px] == 0xFFFF) core.push_back({px, py});
    return core;
  }

 private:
  TSurface surface_{800, 600};
};

bool shows(const Screen& s, const Points& core, uint16_t color) {
  if (core.empty() || s.pixels.empty()) return false;
  for (auto [x, y] : core)
    if (s.at(x, y) != color) return false;
  return true;
}

// The number written at (x, y) in `color`: the longest one whose every fully covered pixel is there.
std::optional<int> readNumber(Lettering& letters, const Screen& s, int x, int y, uint16_t color) {
  std::optional<int> best;
  size_t bestSize = 0;
  for (int n = -20; n <= 300; ++n) {
    const Points core = letters.core(x, y, std::to_string(n));
    if (core.size() > bestSize && shows(s, core, color)) best = n, bestSize = core.size();
  }
  return best;
}

const uint16_t kWhite = rgb565(255, 255, 255), kLime = rgb565(0, 255, 0);

class BotMatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // Esc once the minute is over opens the pause menu with the frag table.
    folder.write("esc.txt", "3750 keydown 27\n3751 keyup 27\n");
  }

  // A minute of steelcage at 16 ms a frame against two bots, then the pause menu; screenshots of the
  // first respawn and of the frag table, numbered on from the last.
  void playMinute(int skill, uint32_t seed) {
    const RunResult r = folder.run("--headless --lag 16 --frames 3760 --seed " + std::to_string(seed) +
                                   " --match steelcage --bots 2 --skill " + std::to_string(skill) +
                                   " --input esc.txt --screenshot-at 2 --screenshot-at 3760", 60);
    ASSERT_EQ(r.exitCode, 0) << r.output;
  }
  Screen screenshot(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "scr%03d.bmp", n);
    return readScreenshot(dir_ / name);
  }
  std::string bytes(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "scr%03d.bmp", n);
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // The table of three: two bots in white, then player 1 in lime with no frags (he never fires), and
  // no fourth line. Answers the bots' frags, read off the table.
  std::pair<int, int> botFragsFromTable(const Screen& table, const std::string& botName = "") {
    EXPECT_TRUE(shows(table, letters.core(160, 50, "1. " + botName), kWhite));
    EXPECT_TRUE(shows(table, letters.core(160, 80, "2. " + botName), kWhite));
    EXPECT_TRUE(shows(table, letters.core(160, 110, "3. " + utf8ToCp1251("Игрок")), kLime));
    EXPECT_FALSE(shows(table, letters.core(160, 140, "4. "), kWhite));
    EXPECT_EQ(readNumber(letters, table, 532, 110, kLime), 0);
    const std::optional<int> first = readNumber(letters, table, 532, 50, kWhite);
    const std::optional<int> second = readNumber(letters, table, 532, 80, kWhite);
    EXPECT_TRUE(first && second);
    EXPECT_GE(first.value_or(0), second.value_or(0));
    return {first.value_or(0), second.value_or(0)};
  }

  GameFolder folder{"bots"};
  const fs::path& dir_ = folder.dir;
  Lettering letters;
};

TEST_F(BotMatchRun, AMinuteAgainstTwoKeenBotsEndsWithThemScoring) {
  playMinute(100, 1);
  EXPECT_GT(botFragsFromTable(screenshot(2)).first, 0);
  // The same seed plays the same minute again, to the pixel.
  playMinute(100, 1);
  EXPECT_EQ(bytes(4), bytes(2));
  EXPECT_EQ(bytes(3), bytes(1));
}

TEST_F(BotMatchRun, AtSkillZeroTheyAreAllRuxTorchAndScoreLess) {
  playMinute(0, 1);
  const auto [lazyFirst, lazySecond] = botFragsFromTable(screenshot(2), "RUX_torch");
  playMinute(100, 1);
  const auto [keenFirst, keenSecond] = botFragsFromTable(screenshot(4));
  EXPECT_LT(lazyFirst + lazySecond, keenFirst + keenSecond);
}

// The status block and player 1's weapon bar right after he enters: the program's pixels there are
// those the HUD draws for a fighter with 100 health, no armour, no frags and the energy gun at level 1,
// wherever they do not depend on what lies beneath.
TEST_F(BotMatchRun, AfterTheFirstRespawnTheHudShowsAFreshFighter) {
  playMinute(100, 1);
  const Screen shot = screenshot(1);
  ASSERT_FALSE(shot.pixels.empty());
  EXPECT_TRUE(shows(shot, letters.core(25, 0, "100"), kLime));
  EXPECT_TRUE(shows(shot, letters.core(25, 20, "0"), kWhite));
  EXPECT_TRUE(shows(shot, letters.core(25, 40, "0"), kWhite));
  EXPECT_TRUE(shows(shot, letters.core(20, 580, "1"), kWhite));

  HeadlessPlatform platform(16);
  TMainForm form(platform);
  form.FormCreate();
  form.show();
  TMan fresh(&form.SpriteEngine.engine);
  fresh.health = 100;
  fresh.hasWeapon[0] = 1;
  fresh.ammo[0] = 1;
  std::vector<uint16_t> drawn[2];
  for (int i = 0; i < 2; ++i) {
    TSurface& back = form.DXDraw.surface();
    back.fill(i == 0 ? 0x0000 : 0xFFFF);
    form.drawWeaponBar(fresh);
    form.drawStatus(fresh, 0, 0);
    drawn[i].assign(back.row(0), back.row(0) + 800 * 600);
  }
  // The block left of the message feed, and the bar up to the end of weapon 0's slot.
  int compared = 0, differing = 0;
  for (auto [left, top, right, bottom] : {std::tuple{0, 0, 60, 60}, std::tuple{0, 580, 88, 600}})
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const size_t i = static_cast<size_t>(y) * 800 + x;
        if (drawn[0][i] != drawn[1][i]) continue;  // blended with, or left to, what is beneath
        ++compared;
        differing += shot.at(x, y) != drawn[0][i];
      }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace mv
