// The real program, headless, driven through the menus by timed mouse and key events.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MenuScript.h"
#include "GameFolder.h"

namespace {

namespace fs = std::filesystem;

// A screenshot's pixels, bottom-up rows of 800 blue-green-red triples.
struct Shot {
  std::vector<uint8_t> bytes;
  const uint8_t* at(int x, int y) const { return &bytes[54 + ((599 - y) * 800 + x) * 3]; }
  // Whether any pixel of the rectangle differs from the other shot's, the drawn pointer left out.
  bool differsIn(const Shot& other, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        bool pointer = x >= mv::menuscript::kPointerX && x < mv::menuscript::kPointerX + 24 &&
                       y >= mv::menuscript::kPointerY && y < mv::menuscript::kPointerY + 24;
        if (!pointer && !std::equal(at(x, y), at(x, y) + 3, other.at(x, y))) return true;
      }
    return false;
  }
};

class MenuRun : public ::testing::Test {
 protected:

  int run(const std::string& script, const std::string& args) {
    folder.write("input.txt", script);
    // The classic menus: the buttons stand where the script clicks.
    const mv::RunResult r = folder.run("--headless --lag 16 --seed 1 --exec \"classic 1\" --input input.txt " + args);
    folder.write("output.txt", r.output);
    return r.exitCode;
  }
  Shot shot(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "scr%03d.bmp", n);
    std::ifstream in(dir_ / name, std::ios::binary);
    Shot s{{std::istreambuf_iterator<char>(in), {}}};
    EXPECT_EQ(s.bytes.size(), 54u + 800 * 600 * 3) << name;
    s.bytes.resize(54 + 800 * 600 * 3);
    return s;
  }

  mv::GameFolder folder{"menu"};
  const fs::path& dir_ = folder.dir;
};

TEST_F(MenuRun, FromTheMainMenuThroughTheSetupAndBack) {
  std::string args = "--frames " + std::to_string(mv::menuscript::kLastTick);
  for (int tick : mv::menuscript::kShotTicks) args += " --screenshot-at " + std::to_string(tick);
  ASSERT_EQ(run(mv::menuscript::kScript, args), 0);
  Shot menu = shot(1), setup = shot(2), changed = shot(3), menuAgain = shot(5);
  EXPECT_TRUE(setup.differsIn(menu, 10, 100, 230, 310));  // the level list came
  // Bots down to 0, another level on top, Hotseat ticked; the buttons untouched.
  EXPECT_TRUE(changed.differsIn(setup, 350, 120, 450, 142));
  EXPECT_FALSE(changed.differsIn(setup, 350, 170, 450, 192));
  EXPECT_TRUE(changed.differsIn(setup, 12, 100, 200, 125));
  EXPECT_TRUE(changed.differsIn(setup, 10, 330, 27, 347));
  EXPECT_FALSE(changed.differsIn(setup, 300, 215, 500, 300));
  // Back in the main menu, nothing of the setup screen or the match is left under the title band.
  EXPECT_FALSE(menuAgain.differsIn(menu, 0, 90, 800, 600));
}

TEST_F(MenuRun, TheExitButtonEndsTheProgram) {
  EXPECT_EQ(run("5 mousemove 400 282\n6 mousedown 400 282\n7 mouseup 400 282\n", "--frames 100000000"), 0);
}

}  // namespace
