// The console inside the main window: made at start-up, fed the window's keys, moved by match frames,
// drawn by the match views; and the services its commands use.
#include <gtest/gtest.h>

#include "CameraPlayer.h"
#include <unistd.h>

#include "game/combatants/Player.h"

#include <filesystem>
#include <fstream>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Man.h"
#include "platform/HeadlessPlatform.h"
#include "shell/record/InputScript.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

constexpr uint16_t kGreen = 0x07E0;

int countColour(const TSurface& s, int top, int bottom, int left, int right, uint16_t colour) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += s.row(y)[x] == colour;
  return n;
}

struct StartedForm : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  StartedForm() {
    form.FormCreate();
    form.show();
  }
  TConsol& console() { return *form.Console; }
  TPlayer& viewer(double cameraX, double cameraY) {
    return cameraPlayer(form.SpriteEngine.engine, cameraX, cameraY);
  }

  // Hands the window a timed script the way the loop does, one tick at a time.
  void play(const std::string& script, int ticks) {
    std::vector<TimedEvent> events = parseInputScript(script);
    size_t next = 0;
    for (int tick = 0; tick < ticks; ++tick) {
      for (; next < events.size() && events[next].tick <= tick; ++next) {
        const Event& e = events[next].event;
        if (events[next].kind == ScriptedKind::ConsoleLine)
          console().submit(events[next].consoleLine);
        else if (e.kind == EventKind::KeyDown)
          form.FormKeyDown(e.key, e.shift);
        else if (e.kind == EventKind::Char)
          form.FormKeyPress(e.ch);
      }
      form.DXTimerTimer(16);
    }
  }
};

TEST_F(StartedForm, TheConsoleIsMadeAtStartUpAndOnlyMatchFramesSlideIt) {
  ASSERT_NE(form.state().console, nullptr);
  EXPECT_EQ(form.state().console, form.Console.get());
  EXPECT_EQ(console().lines, std::vector<std::string>{"Mashvolt 1.1"});
  play("1 char 126\n", 30);  // the key reaches it in the menu, but the menu does not move it
  EXPECT_EQ(console().state, Opening);
  EXPECT_EQ(console().height, 0);
  form.state().screenState = Match;
  play("", 13);
  EXPECT_EQ(console().state, Open);
  form.state().screenState = PauseMenu;
  play("1 char 96\n", 14);
  EXPECT_EQ(console().state, Closed);
}

TEST_F(StartedForm, VerTypedInAMatchShowsItsReplyInTheBand) {
  form.state().screenState = Match;
  play("1 char 126\n20 text ver\n21 keydown 13\n", 25);
  ASSERT_EQ(console().lines.back(), "Mashvolt 1.1");
  ASSERT_EQ(console().lines[console().lines.size() - 2], "ver");

  TSurface& back = form.DXDraw.surface();
  back.fill(0x001F);  // blue, so the band stands out
  form.drawSingleView(&viewer(0, 0));
  EXPECT_EQ(back.row(0)[0], 0);
  EXPECT_EQ(back.row(199)[799], 0);
  EXPECT_EQ(back.row(200)[0], 0x001F);
  EXPECT_GT(countColour(back, 170, 185, 10, 120, kGreen), 30);  // the reply, newest
  EXPECT_GT(countColour(back, 155, 170, 10, 60, kGreen), 10);   // the echoed "ver" above it
  EXPECT_GT(countColour(back, 185, 200, 10, 30, kGreen), 3);    // the empty prompt ">"
  if (const char* out = std::getenv("MASHVOLT_SHOT_DIR"))       // for looking at it
    saveBitmapFile(back, back.clientRect(), std::string(out) + "/console-ver.bmp");
}

TEST_F(StartedForm, DrawfpsPutsTheFrameRateTopRightInMatchFramesOnly) {
  TSurface& back = form.DXDraw.surface();
  auto marked = [&] {
    back.fill(0x001F);
    form.DXTimerTimer(16);
    return 70 * 15 - countColour(back, 0, 15, 730, 800, 0x001F);
  };
  form.state().screenState = Match;
  EXPECT_EQ(marked(), 0);
  console().submit("drawfps 1");
  EXPECT_GT(marked(), 20);
  EXPECT_EQ(countColour(back, 0, 600, 0, 725, 0x001F),
            725 * 600);  // nothing else in a match without fighters
}

TEST_F(StartedForm, TheSplitViewDrawsTheConsoleOnceOverBothHalves) {
  console().toggle();
  console().update(201);
  TSurface& back = form.DXDraw.surface();
  back.fill(0x001F);
  form.drawSplitView(&viewer(0, 0), &viewer(0, 500));
  EXPECT_EQ(back.row(199)[400], 0);
  EXPECT_EQ(back.row(200)[400], 0x001F);
  EXPECT_GT(countColour(back, 170, 200, 10, 120, kGreen), 30);
}

TEST_F(StartedForm, ExitIsARequestTheLoopHonours) {
  EXPECT_FALSE(form.quitRequested());
  console().submit("exit");
  EXPECT_TRUE(form.quitRequested());
}

TEST_F(StartedForm, ScreenmodeRemakesTheBackSurfaceBeforeTheNextFrame) {
  console().submit("screenmode 0");
  EXPECT_EQ(form.DXDraw.Display.Width, 640);
  EXPECT_EQ(form.DXDraw.width(), 800);  // not in the middle of anything
  form.DXTimerTimer(16);
  EXPECT_EQ(form.DXDraw.width(), 640);
  EXPECT_EQ(form.DXDraw.height(), 480);
  EXPECT_EQ(platform.frameWidth(), 640);
  EXPECT_TRUE(form.DXDraw.surface().canvas().brushClear());
  console().submit("screenmode 2");
  form.DXTimerTimer(16);
  EXPECT_EQ(platform.frameHeight(), 768);
}

TEST_F(StartedForm, FightersLinesThatFailAreReportedAndTheRunGoesOn) {
  std::vector<std::string> reported;
  form.OnError = [&](const std::string& m) { reported.push_back(m); };
  TMan speaker(&form.SpriteEngine.engine);
  console().runLine("exec no-such-script.cfg", &speaker);
  EXPECT_EQ(reported, std::vector<std::string>{"Cannot open file SYSTEM\\no-such-script.cfg"});
  EXPECT_EQ(console().lines.back(), reported.back());
}

struct ScreenshotFolder : StartedForm {
  // Each test process has its own folder: ctest runs them side by side.
  fs::path dir = fs::temp_directory_path() / ("mashvolt-console-shots-" + std::to_string(::getpid()));
  fs::path old = fs::current_path();
  ScreenshotFolder() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::current_path(dir);
  }
  ~ScreenshotFolder() override {
    fs::current_path(old);
    fs::remove_all(dir);
  }
};

TEST_F(ScreenshotFolder, PicturesOfAnEarlierRunAreNeverOverwritten) {
  std::ofstream("scr001.bmp") << "earlier";
  std::ofstream("scr002.bmp") << "earlier";
  console().submit("screenshot");
  EXPECT_TRUE(fs::exists("scr003.bmp"));
  EXPECT_EQ(fs::file_size("scr001.bmp"), 7u);
  EXPECT_EQ(form.screenshotNumber, 4);
}

TEST_F(ScreenshotFolder, WithNoFreeNumberLeftTheConsoleSaysSoOnce) {
  std::ofstream("scr999.bmp") << "earlier";
  form.screenshotNumber = 999;
  EXPECT_FALSE(form.saveScreenshotRect({0, 0, 800, 600}));
  EXPECT_FALSE(form.saveScreenshotRect({0, 0, 800, 600}));
  const auto& lines = console().lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "Cannot save screenshot: scr001.bmp to scr999.bmp are all taken"),
            1);
  EXPECT_EQ(fs::file_size("scr999.bmp"), 7u);
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

TEST_F(StartedForm, JoystickDeadZoneCommandsReachTheJoystick) {
  console().submit("joydeadx 25");
  console().submit("joydeady 40");
  EXPECT_EQ(form.Input.Joystick.DeadZoneX(), 25);
  EXPECT_EQ(form.Input.Joystick.DeadZoneY(), 40);
  console().submit("joydeadx");  // the query form reads the joystick's own value
  EXPECT_NE(console().lines.back().find("25"), std::string::npos) << console().lines.back();
}

}  // namespace
}  // namespace mv
