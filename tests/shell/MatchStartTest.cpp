// Starting a real match with the shipped data: what is made and in which order, what the console says,
// leaving it with nothing left behind, a second match from nothing, and the ways a start can fail.
#include <filesystem>
#include <fstream>

#include "RealMatch.h"
#include "game/console/Additions.h"
#include "game/combatants/Bot.h"
#include "game/world/ScrollBackGround.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

// Counts its own destruction, to see the tree free what hangs in it exactly once.
struct Counted : TSprite {
  Counted(TSprite* parent, int& n) : TSprite(parent), freed(n) {}
  ~Counted() override { ++freed; }
  int& freed;
};

TEST_F(RealMatch, StartsInOrderAndSaysWhatItDoes) {
  form.startMatch({.level = "steelcage", .bots = 2, .skill = 80, .hotseat = true});
  EXPECT_EQ(g.screenState, Match);
  const std::vector<std::string> said(form.Console->lines.end() - 5, form.Console->lines.end());
  EXPECT_EQ(said, (std::vector<std::string>{cp("Загрузка карты steelcage.lvx..."), cp("Создание игроков..."),
                                            cp("CPU(Bot) вошел в игру."), cp("Computer(Bot) вошел в игру."),
                                            cp("Игра начата.")}));
  ASSERT_NE(g.match, nullptr);
  ASSERT_EQ(g.match->fighterCount(), 4);
  EXPECT_EQ(g.match->fighter(0), g.player1);
  EXPECT_EQ(g.match->fighter(1), g.player2);
  for (int i : {2, 3}) {
    auto* bot = dynamic_cast<TBot*>(g.match->fighter(i));
    ASSERT_NE(bot, nullptr);
    EXPECT_EQ(bot->laziness, 20);
  }
  EXPECT_GT(g.match->respawnCount(), 0);
  // autoexec.cfg ran after the fighters existed: the people have their names and keys.
  EXPECT_EQ(g.player1->name, cp("Игрок"));
  EXPECT_EQ(g.player2->name, cp("Соперник"));
  EXPECT_EQ(g.player1->binds[ActMoveRight].code, 'D');
  EXPECT_EQ(g.settings.msgTime, 4000);
  // Nobody is placed by the start: the humans enter on their first step, the bots later.
  EXPECT_FALSE(g.player1->alive());
  ASSERT_NE(g.background, nullptr);
  EXPECT_EQ(g.background->parent, &form.SpriteEngine.engine);
  frames();
  EXPECT_TRUE(g.player1->alive());
  EXPECT_TRUE(g.player2->alive());
  EXPECT_FALSE(g.match->fighter(2)->alive());
  EXPECT_TRUE(errors.empty());
}

TEST_F(RealMatch, SkillBecomesLazinessThatNeverWraps) {
  for (auto [skill, laziness] : {std::pair{0, 100}, {100, 0}, {37, 63}, {250, 0}, {-40, 100}}) {
    // Each start replaces the one before, fighters and all.
    form.startMatch({.level = "canyon", .bots = 1, .skill = skill});
    ASSERT_EQ(g.match->fighterCount(), 2);
    EXPECT_EQ(dynamic_cast<TBot&>(*g.match->fighter(1)).laziness, laziness) << skill;
  }
  int fighters = 0;
  for (TSprite* s : form.SpriteEngine.engine.children()) fighters += dynamic_cast<TMan*>(s) != nullptr;
  EXPECT_EQ(fighters, 2);
}

TEST_F(RealMatch, LeavingFreesEverySpriteOnceAndForgetsTheMatch) {
  setClassic(g.settings, true);  // the classic main menu comes back
  form.startMatch({.level = "acidworks", .bots = 3, .skill = 100, .hotseat = true});
  settle();
  hold({}, {0});  // fire, so shots and effects are in the tree too
  frames(60);
  int freed = 0;
  new Counted(&form.SpriteEngine.engine, freed);
  new Counted(g.player2, freed);
  form.FormKeyDown(27, 0);
  frames();
  ASSERT_EQ(g.screenState, PauseMenu);
  platform.setPointer(400, 182);
  form.DXDrawMouseDown(400, 182);  // the main-menu button
  form.DXDrawMouseUp(400, 182);
  EXPECT_EQ(g.screenState, MainMenu);
  EXPECT_EQ(freed, 2);
  EXPECT_EQ(form.SpriteEngine.engine.count(), 0);
  EXPECT_EQ(g.match, nullptr);
  EXPECT_EQ(form.matchOwner, nullptr);
  EXPECT_EQ(g.player1, nullptr);
  EXPECT_EQ(g.player2, nullptr);
  EXPECT_EQ(g.background, nullptr);
  EXPECT_EQ(form.SpriteEngine.engine.x, 0);
  EXPECT_EQ(form.SpriteEngine.engine.y, 0);
  EXPECT_EQ(form.widgets.buttons().size(), 4u);
  // Nothing reaches for what is gone.
  form.FormMouseWheelUp();
  frames(5);
  EXPECT_TRUE(errors.empty());
}

TEST_F(RealMatch, ASecondMatchStartsFromNothing) {
  const MatchSetup setup{.level = "reactorcore", .bots = 2, .skill = 50};
  form.startMatch(setup);
  const int32_t spritesAtStart = form.SpriteEngine.engine.count();
  frames(300);
  g.player1->frags = 7;
  form.Console->submit("name Zed");
  form.returnToMainMenu();
  form.Console->submit("msgtime 1");

  form.startMatch(setup);
  EXPECT_EQ(form.SpriteEngine.engine.count(), spritesAtStart);
  ASSERT_EQ(g.match->fighterCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g.match->fighter(i)->frags, 0);
    EXPECT_FALSE(g.match->fighter(i)->alive());
  }
  // autoexec.cfg ran again over the settings that outlived the first match.
  EXPECT_EQ(g.player1->name, cp("Игрок"));
  EXPECT_EQ(g.settings.msgTime, 4000);
  EXPECT_EQ(std::count(form.Console->lines.begin(), form.Console->lines.end(), cp("Игра начата.")), 2);
  frames();
  EXPECT_TRUE(g.player1->alive());
}

// A game folder beside the shipped one: its data, a level that does not parse, and optionally no
// autoexec.cfg.
struct OtherFolder : RealMatch {
  fs::path dir =
      fs::temp_directory_path() /
      ("mashvolt-start-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir / "Maps");
    fs::create_directories(dir / "SYSTEM");
    for (const char* sub : {"Textures", "Backgrounds", "Fonts"})
      fs::create_directory_symlink(fs::absolute(sub), dir / sub);
    for (const auto& e : fs::directory_iterator("SYSTEM"))
      if (e.path().filename() != "autoexec.cfg" || withAutoexec)
        fs::create_symlink(fs::absolute(e.path()), dir / "SYSTEM" / e.path().filename());
    for (const auto& e : fs::directory_iterator("Maps"))
      fs::create_symlink(fs::absolute(e.path()), dir / "Maps" / e.path().filename());
    std::ofstream(dir / "Maps" / "broken.lvx") << "not a level\n";
    g.dataFolder = dir.string() + "/";
    RealMatch::SetUp();
  }
  void TearDown() override { fs::remove_all(dir); }
  void click(int x, int y) {
    platform.setPointer(x, y);
    form.DXDrawMouseMove(x, y);
    form.DXDrawMouseDown(x, y);
    form.DXDrawMouseUp(x, y);
  }
  bool withAutoexec = true;
};

TEST_F(OtherFolder, ALevelThatFailsGoesBackToTheSetupAsItWas) {
  click(400, 132);  // start game
  ASSERT_EQ(g.screenState, NewGame);
  TDXImageListBox& list = *form.widgets.mapList();
  form.widgets.edits()[0]->caption = "3";
  form.widgets.edits()[1]->caption = "40";
  form.widgets.checkBoxes()[0]->checked = true;
  const auto broken = std::find(list.items.begin(), list.items.end(), "broken") - list.items.begin();
  ASSERT_LT(broken, static_cast<long>(list.items.size()));
  list.scrollBar.position = static_cast<int32_t>(broken);
  EXPECT_THROW(click(400, 232), std::exception);  // the loop shows it in a message box

  EXPECT_EQ(g.screenState, NewGame);
  EXPECT_EQ(form.widgets.edits()[0]->caption, "3");
  EXPECT_EQ(form.widgets.edits()[1]->caption, "40");
  EXPECT_TRUE(form.widgets.checkBoxes()[0]->checked);
  EXPECT_EQ(form.widgets.mapList()->scrollBar.position, broken);
  EXPECT_EQ(form.widgets.mapList()->selectedText, "broken");
  EXPECT_EQ(form.SpriteEngine.engine.count(), 0);
  EXPECT_EQ(g.match, nullptr);
  EXPECT_EQ(g.player1, nullptr);
  EXPECT_EQ(g.background, nullptr);
  frames(3);                // the setup screen is drawn and works
  form.FormKeyDown(38, 0);  // the level above
  click(400, 232);
  ASSERT_EQ(g.screenState, Match);
  EXPECT_EQ(g.match->fighterCount(), 1 + 1 + 3);
  frames();
  EXPECT_TRUE(g.player1->alive());
}

TEST_F(OtherFolder, ALevelThatIsNotThereIsReportedTheSameWay) {
  try {
    form.startMatch({.level = "nowhere", .bots = 1});
    ADD_FAILURE() << "started";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos) << e.what();
  }
  EXPECT_EQ(g.screenState, NewGame);
  EXPECT_EQ(form.SpriteEngine.engine.count(), 0);
}

struct NoAutoexec : OtherFolder {
  void SetUp() override {
    withAutoexec = false;
    OtherFolder::SetUp();
  }
};

TEST_F(NoAutoexec, TheMatchGoesOnWithUnboundPlayersAndTheErrorIsReported) {
  form.startMatch({.level = "steelcage", .bots = 1, .skill = 100});
  EXPECT_EQ(errors, (std::vector<std::string>{"Cannot open file SYSTEM\\autoexec.cfg"}));
  EXPECT_NE(form.Console->lines.back(), cp("Игра начата."));
  ASSERT_EQ(g.screenState, Match);
  ASSERT_NE(g.player1, nullptr);
  EXPECT_TRUE(g.player1->name.empty());
  EXPECT_EQ(g.player1->binds[ActMoveRight].code, 0);
  hold({'D'});
  frames(2);
  EXPECT_TRUE(g.player1->alive());
}

}  // namespace
}  // namespace mv
