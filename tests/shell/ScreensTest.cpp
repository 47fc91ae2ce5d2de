// The screens inside the main window: what each builds, the transitions between them, the setup
// screen's start button (against a double of the match start) and leaving a match.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MenuScript.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"
#include "shell/record/InputScript.h"
#include "shell/widgets/LevelList.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

struct Screens : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  std::vector<MatchSetup> started;
  Globals& g = form.state();
  const TWidgets& w = form.widgets;

  // Whatever a test's screens keep for the next start stays out of the game folder.
  const fs::path kept = fs::temp_directory_path() /
                        ("mashvolt-screens-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));

  void SetUp() override {
    g.configFolder = kept.string() + "/";
    form.FormCreate();
    setClassic(g.settings, true);  // the screens as the classic game has them
    form.show();
    // The classic screens; the main menu is built again with them.
    setClassic(g.settings, true);
    form.tearDownScreen();
    form.buildScreen(MainMenu);
    form.matchStarter = [this](const MatchSetup& s) { started.push_back(s); };
  }
  void TearDown() override { fs::remove_all(kept); }
  void click(int x, int y) {
    form.DXDrawMouseMove(x, y);
    form.DXDrawMouseDown(x, y);
    form.DXDrawMouseUp(x, y);
    frame();
  }
  void key(int code) {
    form.FormKeyDown(code, 0);
    frame();
  }
  void frame() { form.DXTimerTimer(16); }
  void expectCounts(size_t buttons, size_t edits, size_t labels, size_t boxes) {
    EXPECT_EQ(w.buttons().size(), buttons);
    EXPECT_EQ(w.edits().size(), edits);
    EXPECT_EQ(w.labels().size(), labels);
    EXPECT_EQ(w.checkBoxes().size(), boxes);
  }
  // An empty folder, or one with the given level files, for the setup screen to list.
  fs::path mapsWith(std::initializer_list<const char*> names) {
    fs::path dir =
        fs::temp_directory_path() /
        ("mashvolt-maps-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* n : names) std::ofstream(dir / n) << "";
    form.widgets.mapsFolder = dir.string();
    return dir;
  }
};

TEST_F(Screens, EveryTransitionLeavesOnlyTheNewScreensWidgets) {
  ASSERT_EQ(g.screenState, MainMenu);
  expectCounts(4, 0, 0, 0);
  EXPECT_EQ(w.buttons()[3]->y, 270);
  click(400, 130);  // start game
  ASSERT_EQ(g.screenState, NewGame);
  expectCounts(2, 2, 2, 1);
  ASSERT_NE(w.mapList(), nullptr);
  EXPECT_EQ(w.edits()[0]->caption, "1");
  EXPECT_EQ(w.edits()[1]->top, 170);
  EXPECT_EQ(w.buttons()[1]->y, 270);
  EXPECT_EQ(w.retiredCount(), 0u);  // the main menu's buttons went with the next delivery
  click(400, 282);                  // back: the main menu's exit button stands at the same place
  ASSERT_EQ(g.screenState, MainMenu);
  EXPECT_FALSE(form.closeRequested());
  expectCounts(4, 0, 0, 0);
  click(400, 232);  // about
  ASSERT_EQ(g.screenState, Credits);
  expectCounts(1, 0, 15, 0);
  EXPECT_EQ(w.labels()[14]->top, 520);
  EXPECT_EQ(w.labels()[0]->caption, "Mashvolt 1.1");
  click(400, 580);  // Ok
  ASSERT_EQ(g.screenState, MainMenu);
  expectCounts(4, 0, 0, 0);
  for (ScreenState s : {MainMenu, NewGame, Credits}) {
    form.showScreen(s);
    key(27);  // Esc changes no menu screen
    EXPECT_EQ(g.screenState, s);
  }
}

TEST_F(Screens, SettingsOnlyApologisesAndExitEndsTheProgram) {
  click(400, 182);
  EXPECT_EQ(form.dialog.text(), utf8ToCp1251("Извините, пока недоступно."));
  EXPECT_TRUE(platform.messages().empty());  // the game's own dialog, not the system's
  EXPECT_EQ(g.screenState, MainMenu);
  key(13);
  EXPECT_FALSE(form.dialog.open());
  EXPECT_FALSE(form.closeRequested());
  click(400, 282);
  EXPECT_TRUE(form.closeRequested());
}

TEST_F(Screens, TheLimitFieldsComeUnderTheButtonsAndStartTheMatchWithTheirValues) {
  setClassic(g.settings, false);  // the game's own setup screen; the classic one has none
  g.settings.timeLimit = 10;
  click(400, 130);
  expectCounts(2, 4, 4, 1);
  EXPECT_EQ(w.buttons()[1]->y, 270);  // everything else where it was
  EXPECT_EQ(w.edits()[3]->caption, "10");  // what the setting holds
  form.DXDrawMouseMove(400, 330);  // the frag limit's field, under the buttons
  for (uint8_t c : {'1', '2', '3', '4'}) form.FormKeyPress(c);
  click(400, 232);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].fragLimit, 999);
  EXPECT_EQ(started[0].timeLimit, 10);
}

TEST_F(Screens, TypingGoesToTheFieldUnderThePointer) {
  click(400, 130);
  const TDXWEdit& bots = *w.edits()[0];
  form.DXDrawMouseMove(600, 500);
  form.FormKeyPress('7');
  EXPECT_EQ(bots.caption, "1");
  EXPECT_EQ(bots.font.color, colorRef(255, 255, 0));
  form.DXDrawMouseMove(400, 125);
  EXPECT_EQ(bots.font.color, colorRef(255, 255, 255));
  form.FormKeyDown(8, 0);
  form.FormKeyPress('7');
  form.FormKeyPress('5');
  EXPECT_EQ(bots.caption, "75");
  EXPECT_EQ(w.edits()[1]->caption, "100");
  form.FormKeyDown(13, 0);  // Enter: no more typing until the pointer comes back
  form.FormKeyPress('1');
  EXPECT_EQ(bots.caption, "75");
}

TEST_F(Screens, StartPassesTheChoicesAndANewSetupStartsFresh) {
  const std::vector<std::string> levels = listLevels("Maps");
  ASSERT_GE(levels.size(), 2u);
  click(400, 130);
  EXPECT_EQ(w.mapList()->items, levels);
  form.DXDrawMouseMove(400, 180);  // difficulty: down to 0, then 42
  for (int i = 0; i < 3; ++i) form.FormKeyDown(8, 0);
  form.FormKeyPress('4');
  form.FormKeyPress('2');
  key(40);
  click(18, 338);
  click(400, 232);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].level, levels[1]);
  EXPECT_EQ(started[0].bots, 1);
  EXPECT_EQ(started[0].skill, 42);
  EXPECT_TRUE(started[0].hotseat);
  click(400, 282);  // back, and in again
  click(400, 130);
  click(400, 232);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[1].level, levels[0]);
  EXPECT_EQ(started[1].skill, 100);
  EXPECT_FALSE(started[1].hotseat);
}

TEST_F(Screens, WithoutLevelsTheSetupIsWholeAndStartDoesNothing) {
  mapsWith({});
  click(400, 130);
  ASSERT_EQ(g.screenState, NewGame);
  expectCounts(2, 2, 2, 1);
  EXPECT_TRUE(w.mapList()->items.empty());
  for (int code : {40, 38}) key(code);
  click(212, 300);  // the scroll bar's down arrow
  EXPECT_EQ(w.mapList()->selectedText, "");
  click(400, 232);
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(g.screenState, NewGame);
}

TEST_F(Screens, OneLevelIsSelectedAndStays) {
  mapsWith({"only.lvx", "readme.txt"});
  click(400, 130);
  key(40);
  click(212, 300);
  click(400, 232);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].level, "only");
}

TEST(LevelFiles, AreListedBytewiseWithoutExtensionOrFolders) {
  fs::path dir = fs::temp_directory_path() / "mashvolt-levels-sorted";
  fs::remove_all(dir);
  fs::create_directories(dir / "folder.lvx");
  for (const char* n : {"b.lvx", "\xC0rena.lvx", "B.lvx", "a.LVX", "notes.txt", ".lvx", "map.lvx.bak"})
    std::ofstream(dir / n) << "";
  EXPECT_EQ(listLevels(dir.string()), (std::vector<std::string>{"B", "a", "b", "\xC0rena"}));
  EXPECT_TRUE(listLevels((dir / "missing").string()).empty());
  fs::remove_all(dir);
}

// Stands in for the match start: a match with its humans in the sprite tree, as the real one leaves it.
struct InMatch : Screens {
  void SetUp() override {
    Screens::SetUp();
    form.matchStarter = [this](const MatchSetup& s) {
      started.push_back(s);
      form.showScreen(Match);
      form.matchOwner = std::make_unique<TMatch>();
      g.match = form.matchOwner.get();
      g.player1 = new TPlayer(&form.SpriteEngine.engine);
      g.match->addFighter(g.player1);
      if (s.hotseat) g.match->addFighter(g.player2 = new TPlayer(&form.SpriteEngine.engine));
    };
  }
};

TEST_F(InMatch, EscOpensThePauseMenuAndItsButtonsResumeOrLeave) {
  click(400, 130);
  click(18, 338);
  click(400, 232);
  ASSERT_EQ(g.screenState, Match);
  expectCounts(0, 0, 0, 0);
  ASSERT_NE(g.player2, nullptr);
  key(27);
  ASSERT_EQ(g.screenState, PauseMenu);
  expectCounts(2, 0, 0, 0);
  EXPECT_EQ(w.buttons()[1]->y, 170);
  key(27);
  EXPECT_EQ(g.screenState, Match);
  expectCounts(0, 0, 0, 0);
  key(27);
  click(400, 132);  // continue
  EXPECT_EQ(g.screenState, Match);
  expectCounts(0, 0, 0, 0);
  EXPECT_NE(g.match, nullptr);
  key(27);
  form.SpriteEngine.engine.x = 120;
  click(400, 182);  // main menu: the match goes, with every sprite
  ASSERT_EQ(g.screenState, MainMenu);
  expectCounts(4, 0, 0, 0);
  EXPECT_EQ(g.match, nullptr);
  EXPECT_EQ(form.matchOwner, nullptr);
  EXPECT_EQ(g.player1, nullptr);
  EXPECT_EQ(g.player2, nullptr);
  EXPECT_EQ(form.SpriteEngine.engine.count(), 0);
  EXPECT_EQ(form.SpriteEngine.engine.x, 0);
  // A second match from a fresh setup screen.
  click(400, 130);
  EXPECT_EQ(w.edits()[0]->caption, "1");
  EXPECT_EQ(w.edits()[1]->caption, "100");
  EXPECT_FALSE(w.checkBoxes()[0]->checked);
  EXPECT_EQ(w.mapList()->scrollBar.position, 0);
  click(400, 232);
  EXPECT_EQ(g.screenState, Match);
  EXPECT_EQ(g.player2, nullptr);
  EXPECT_EQ(form.SpriteEngine.engine.count(), 1);
}

// The menu script a person's run is made of, fed to the window the way the program loop feeds it.
TEST_F(Screens, TheScriptedWayThroughTheMenusStartsTheChosenMatch) {
  std::vector<TimedEvent> script = parseInputScript(menuscript::kScript);
  size_t next = 0;
  for (int tick = 0; tick < menuscript::kLastTick; ++tick) {
    for (; next < script.size() && script[next].tick <= tick; ++next) {
      const Event& e = script[next].event;
      switch (e.kind) {
        case EventKind::KeyDown:
          form.FormKeyDown(e.key, e.shift);
          break;
        case EventKind::MouseDown:
          form.DXDrawMouseDown(e.x, e.y);
          break;
        case EventKind::MouseMove:
          form.DXDrawMouseMove(e.x, e.y);
          break;
        case EventKind::MouseUp:
          form.DXDrawMouseUp(e.x, e.y);
          break;
        default:
          break;
      }
    }
    frame();
  }
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].level, listLevels("Maps")[1]);
  EXPECT_EQ(started[0].bots, 0);
  EXPECT_EQ(started[0].skill, 100);
  EXPECT_TRUE(started[0].hotseat);
  EXPECT_EQ(g.screenState, MainMenu);
  expectCounts(4, 0, 0, 0);
}

}  // namespace
}  // namespace mv
