#include "shell/MainForm.h"

#include <gtest/gtest.h>

#include "CameraPlayer.h"

#include <filesystem>
#include <fstream>

#include "engine/sprite/Sprite.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/draw/Surface.h"
#include "game/combatants/Player.h"
#include "platform/HeadlessPlatform.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

// Paints every row of the whole surface with a value that tells which camera drew it and which row
// of that view it was.
class RowPainter : public TSprite {
 public:
  using TSprite::TSprite;
  TRect getBoundsRect() const override { return engine->surfaceRect(); }
  void drawSelf() override {
    TSurface& s = *engine->surface();
    for (int row = 0; row < s.height(); ++row)
      std::fill(s.row(row), s.row(row) + s.width(), static_cast<uint16_t>(row + static_cast<int>(engine->y)));
  }
};

struct FormFixture : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  void SetUp() override {
    form.FormCreate();
    form.show();
  }
  TPlayer& viewer(double cameraX, double cameraY) {
    return cameraPlayer(form.SpriteEngine.engine, cameraX, cameraY);
  }
};

using SplitView = FormFixture;

TEST_F(SplitView, UpperHalfShowsTheFirstViewAndTheSeamRowsAreAsBuilt) {
  new RowPainter(&form.SpriteEngine.engine);
  TPlayer& first = viewer(0, 0);
  TPlayer& second = viewer(0, 1000);
  form.drawSplitView(&first, &second);
  const TSurface& back = form.DXDraw.surface();
  const int h = 600;
  // First view drawn 150 lower; its rows 301..599 land on rows 0..298 (its row 300 is lost).
  EXPECT_EQ(back.row(0)[0], 301 + 150);
  EXPECT_EQ(back.row(297)[799], 598 + 150);
  // Row H/2 - 2 is the scratch surface's black fill; row H/2 - 1 is the second view's upper half.
  EXPECT_EQ(back.row(h / 2 - 2)[400], 0);
  EXPECT_EQ(back.row(h / 2 - 1)[400], h / 2 - 1 + 1150);
  EXPECT_EQ(back.row(h - 1)[0], h - 1 + 1150);
}

TEST_F(SplitView, NeedsBothViews) {
  new RowPainter(&form.SpriteEngine.engine);
  TPlayer& only = viewer(0, 0);
  form.DXDraw.surface().fill(7);
  form.drawSplitView(&only, nullptr);
  form.drawSingleView(nullptr);
  EXPECT_EQ(form.DXDraw.surface().row(300)[300], 7);
}

TEST_F(FormFixture, EscOpensAndClosesThePauseMenuOnlyInAMatch) {
  for (ScreenState s : {MainMenu, NewGame, Credits}) {
    form.state().screenState = s;
    form.FormKeyDown(27, 0);
    EXPECT_EQ(form.state().screenState, s);
  }
  form.state().screenState = Match;
  form.FormKeyDown(27, 0);
  EXPECT_EQ(form.state().screenState, PauseMenu);
  form.FormKeyDown(27, 0);
  EXPECT_EQ(form.state().screenState, Match);
}

TEST_F(FormFixture, ScreenshotsAreNumberedAndHeldBackByTheCooldown) {
  fs::path dir = fs::temp_directory_path() / "mashvolt-shots";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path old = fs::current_path();
  fs::current_path(dir);
  form.saveScreenshot();
  form.saveScreenshot();  // within the cooldown: nothing
  EXPECT_TRUE(fs::exists("scr001.bmp"));
  EXPECT_FALSE(fs::exists("scr002.bmp"));
  EXPECT_EQ(form.screenshotCooldown, 10);
  form.screenshotCooldown = 0;
  form.screenshotNumber = 999;
  form.saveScreenshot();
  EXPECT_TRUE(fs::exists("scr999.bmp"));
  form.screenshotCooldown = 0;
  form.saveScreenshot();  // past 999 nothing more is saved
  EXPECT_EQ(form.screenshotNumber, 1000);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  EXPECT_EQ(fs::file_size("scr001.bmp"), 54u + 800u * 600u * 3u);
  fs::current_path(old);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace mv
