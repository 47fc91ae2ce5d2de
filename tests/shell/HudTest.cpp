#include <gtest/gtest.h>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/world/Match.h"
#include "platform/HeadlessPlatform.h"
#include "shell/Hud.h"
#include "shell/MainForm.h"
#include "shell/TableRows.h"

namespace mv {
namespace {

TEST(HudHealthColour, BandsChangeAtTheirBoundaries) {
  struct Case {
    int32_t health;
    uint32_t color;
  };
  for (const Case& c :
       {Case{0, colorRef(255, 0, 0)}, Case{19, colorRef(255, 0, 0)}, Case{20, colorRef(128, 0, 0)},
        Case{39, colorRef(128, 0, 0)}, Case{40, colorRef(0, 128, 0)}, Case{79, colorRef(0, 128, 0)},
        Case{80, colorRef(0, 255, 0)}, Case{100, colorRef(0, 255, 0)}, Case{101, colorRef(0, 128, 128)},
        Case{199, colorRef(0, 128, 128)}, Case{200, colorRef(0, 255, 255)}}) {
    uint32_t color = 0;
    EXPECT_TRUE(healthColor(c.health, color)) << c.health;
    EXPECT_EQ(color, c.color) << c.health;
  }
  uint32_t kept = 123;
  EXPECT_FALSE(healthColor(-1, kept));
  EXPECT_FALSE(healthColor(201, kept));
  EXPECT_EQ(kept, 123u);
}

// The frag table with any number of fighters: the Part's rows while they fit, closer rows, then the
// top ranks with the people's own rows at the bottom.
TEST(FragTableRows, FitAnyCountAndKeepThePinnedRanksInSight) {
  struct Case {
    int32_t count;
    std::vector<int32_t> pinned;
    int32_t step;               // between the rows
    std::vector<int32_t> last;  // the ranks of the last rows, from the bottom up
  };
  for (const Case& c : {Case{1, {0}, 0, {0}}, Case{18, {17}, 30, {17, 16}}, Case{19, {18}, 29, {18, 17}},
                        Case{40, {39}, 16, {39, 31}}, Case{40, {5}, 16, {32, 31}},
                        Case{100, {99, 50, 120, -1}, 16, {99, 50, 30}}}) {
    const std::vector<TableRow> rows = fitRows(c.count, {50, 575, 30, 16}, c.pinned);
    ASSERT_EQ(rows.size(), static_cast<size_t>(std::min(c.count, 33))) << c.count;
    EXPECT_EQ(rows.size() > 1 ? rows[1].y - rows[0].y : 0, c.step) << c.count;
    EXPECT_LE(rows.back().y, 575);
    for (size_t i = 0; i < c.last.size(); ++i)
      EXPECT_EQ(rows[rows.size() - 1 - i].rank, c.last[i]) << c.count;
  }
  EXPECT_TRUE(fitRows(0, {50, 575, 30, 16}, {}).empty());
}

struct HudFixture : ::testing::Test {
  GlobalsScope scope;
  TSpriteEngine engine{nullptr};
  TMan* add(int32_t frags) {
    auto* man = new TMan(&engine);
    man->frags = frags;
    match.addFighter(man);
    return man;
  }
  TMatch match;
};

TEST_F(HudFixture, WeaponShownWhenOwnedAndLoadedOrTheEnergyGun) {
  TMan& man = *add(0);
  man.hasWeapon[0] = 1;
  man.ammo[0] = 1;
  man.hasWeapon[2] = 1;  // owned, empty
  man.ammo[3] = 5;       // loaded, not owned
  man.hasWeapon[4] = 1;
  man.ammo[4] = 2;
  EXPECT_TRUE(weaponShown(man, 0));
  EXPECT_FALSE(weaponShown(man, 2));
  EXPECT_FALSE(weaponShown(man, 3));
  EXPECT_TRUE(weaponShown(man, 4));
  man.ammo[0] = 0;
  EXPECT_TRUE(weaponShown(man, 0));
  man.hasWeapon[0] = 0;
  EXPECT_FALSE(weaponShown(man, 0));
}

TEST_F(HudFixture, FragTableSortsByFragsAndLaterJoinerWinsTies) {
  EXPECT_TRUE(scoreboardOrder(nullptr).empty());
  EXPECT_TRUE(scoreboardOrder(&match).empty());
  add(2);
  add(5);
  add(2);
  EXPECT_EQ(scoreboardOrder(&match), (std::vector<int32_t>{1, 2, 0}));
}

TEST_F(HudFixture, FragTableListsEveryoneOnceEvenFarBelowZero) {
  add(-100000);
  add(-200000);
  add(-100000);
  EXPECT_EQ(scoreboardOrder(&match), (std::vector<int32_t>{2, 0, 1}));
}

struct HudDrawing : ::testing::Test {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  void SetUp() override {
    form.FormCreate();
    form.show();
  }
  uint16_t pixel(int x, int y) { return form.DXDraw.surface().row(y)[x]; }
};

TEST_F(HudDrawing, StatusNumbersUseTheirColoursAndPlaces) {
  TMan man(&form.SpriteEngine.engine);
  man.health = 19;
  man.armor = 0;
  TSurface& back = form.DXDraw.surface();
  back.fill(0);
  form.drawStatus(man, 0, 300);
  // The health digits are red; look for a pure red pixel to the right of the symbol in its row band.
  bool red = false;
  for (int y = 300; y < 318 && !red; ++y)
    for (int x = 25; x < 60 && !red; ++x) red = pixel(x, y) == rgb565(255, 0, 0);
  EXPECT_TRUE(red);
  // Nothing is drawn above the block.
  for (int x = 0; x < 100; ++x) EXPECT_EQ(pixel(x, 299), 0) << x;
}

TEST_F(HudDrawing, WeaponBarSitsAtTheBottomOfTheView) {
  TMan man(&form.SpriteEngine.engine);
  man.hasWeapon[0] = 1;
  man.ammo[0] = 1;
  TSurface& back = form.DXDraw.surface();
  back.fill(0);
  form.drawWeaponBar(man);
  int drawnAbove = 0, drawnInBar = 0;
  for (int x = 0; x < 800; ++x) {
    drawnAbove += pixel(x, 575) != 0;
    for (int y = 580; y < 600; ++y) drawnInBar += pixel(x, y) != 0;
  }
  EXPECT_EQ(drawnAbove, 0);
  EXPECT_GT(drawnInBar, 100);
}

// What a drawing left in a rectangle of the back surface.
struct Patch {
  std::vector<uint16_t> pixels;
  bool operator==(const Patch&) const = default;
};

struct HudScreen : HudDrawing {
  Patch patch(int left, int top, int right, int bottom) {
    Patch p;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) p.pixels.push_back(pixel(x, y));
    return p;
  }
  int count(int left, int top, int right, int bottom, uint16_t color) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += pixel(x, y) == color;
    return n;
  }
  // The weapon bar of a fighter owning `owned` (weapon, ammunition) with `current` selected, on black.
  void bar(std::vector<std::pair<int, int>> owned, int current) {
    TMan man(&form.SpriteEngine.engine);
    for (auto [w, ammo] : owned)
      man.hasWeapon[static_cast<size_t>(w)] = 1, man.ammo[static_cast<size_t>(w)] = ammo;
    man.currentWeapon = static_cast<int8_t>(current);
    form.DXDraw.surface().fill(0);
    form.drawWeaponBar(man);
  }
  Patch slot(int w) { return patch(50 + 38 * w, 580, 50 + 38 * (w + 1), 600); }
  Patch slots() { return patch(50, 580, 800, 600); }
  const uint16_t white = rgb565(255, 255, 255);
};

TEST_F(HudScreen, WeaponBarShowsOwnedLoadedWeaponsAndFramesTheSelectedOne) {
  bar({{0, 1}}, 0);
  const Patch energySelected = slot(0), emptySlot3 = slot(3), emptySlot2 = slot(2);
  const Patch ammo0 = patch(0, 580, 20, 600);
  bar({{0, 1}, {3, 5}}, 0);
  EXPECT_NE(slot(3), emptySlot3);  // owned and loaded: its icon
  EXPECT_EQ(slot(0), energySelected);
  const Patch rocketShown = slot(3);
  bar({{0, 1}, {3, 5}}, 3);
  EXPECT_NE(slot(3), rocketShown);     // the frame over it
  EXPECT_NE(slot(0), energySelected);  // and no longer over the energy gun
  const Patch energyShown = slot(0);
  EXPECT_NE(patch(0, 580, 20, 600), ammo0);       // the rockets' ammunition symbol
  EXPECT_GT(count(20, 580, 50, 600, white), 10);  // the number 5 in white
  // Owned without ammunition: the empty slot, and no frame even when it is the current weapon; the
  // number still says 0.
  bar({{0, 1}, {2, 0}}, 2);
  EXPECT_EQ(slot(2), emptySlot2);
  EXPECT_EQ(slot(0), energyShown);
  EXPECT_GT(count(20, 580, 50, 600, white), 10);
  // The energy gun shows whenever it is owned, whatever its level.
  bar({{0, 0}}, 0);
  EXPECT_EQ(slot(0), energySelected);
  bar({}, 0);
  EXPECT_NE(slot(0), energySelected);
}

TEST_F(HudScreen, TheAmmunitionNumberHasOneSizeWhateverWasWrittenBefore) {
  TTextCanvas& canvas = form.DXDraw.surface().canvas();
  canvas.setFontSize(8);  // a fighter's name, drawn just before in the sprite pass
  canvas.setFontBold(false);
  bar({{0, 3}}, 0);
  const Patch afterName = patch(0, 560, 800, 600);
  canvas.setFontSize(30);
  bar({{0, 3}}, 0);
  EXPECT_EQ(patch(0, 560, 800, 600), afterName);
}

TEST_F(HudScreen, HealthOutsideTheBandsIsWhiteWhateverColourCameBefore) {
  TMan man(&form.SpriteEngine.engine);
  for (int32_t health : {-1, -40, 201, 100000}) {
    form.DXDraw.surface().fill(0);
    form.DXDraw.surface().canvas().setFontColor(colorRef(255, 0, 255));
    man.health = health;
    form.drawStatus(man, 0, 0);
    EXPECT_GT(count(25, 0, 90, 18, white), 5) << health;
    EXPECT_EQ(count(25, 0, 90, 18, rgb565(255, 0, 255)), 0) << health;
  }
  // Exactly 0 still belongs to the lowest band.
  form.DXDraw.surface().fill(0);
  man.health = 0;
  form.drawStatus(man, 0, 0);
  EXPECT_GT(count(25, 0, 90, 18, rgb565(255, 0, 0)), 5);
}

TEST_F(HudScreen, SplitViewsSecondBlockStartsHalfwayDownWithItsBarBelowIt) {
  auto* first = new TPlayer(&form.SpriteEngine.engine);
  auto* second = new TPlayer(&form.SpriteEngine.engine);
  for (TPlayer* p : {first, second}) p->hasWeapon[0] = 1, p->ammo[0] = 1;
  first->health = 30;    // maroon
  second->health = 150;  // teal
  second->frags = 7;
  form.DXDraw.surface().fill(0);
  form.drawSplitView(first, second);
  EXPECT_GT(count(25, 0, 70, 18, rgb565(128, 0, 0)), 5);
  EXPECT_GT(count(25, 300, 70, 318, rgb565(0, 128, 128)), 5);
  EXPECT_EQ(count(25, 0, 70, 18, rgb565(0, 128, 128)), 0);
  // Armour at 320 and frags at 340, white, and nothing of the block further down.
  EXPECT_GT(count(25, 320, 70, 338, white), 5);
  EXPECT_GT(count(25, 340, 70, 358, white), 5);
  EXPECT_EQ(count(0, 362, 100, 560, white), 0);
  // The first bar went in before the lower half was copied up: it ends the upper half.
  int firstBar = 0, secondBar = 0;
  for (int x = 50; x < 350; ++x) firstBar += pixel(x, 285) != 0, secondBar += pixel(x, 585) != 0;
  EXPECT_GT(firstBar, 100);
  EXPECT_GT(secondBar, 100);
}

struct FragTable : HudScreen {
  TMatch* startMatch() {
    Globals& g = form.state();
    form.matchOwner = std::make_unique<TMatch>();
    g.match = form.matchOwner.get();
    return g.match;
  }
  TMan* join(TMan* man, const char* name, int32_t frags) {
    man->name = name;
    man->frags = frags;
    form.state().match->addFighter(man);
    return man;
  }
};

TEST_F(FragTable, MostFragsFirstLaterJoinerFirstOnTiesAndEachHumanInHisColour) {
  TMatch* match = startMatch();
  TSpriteEngine& root = form.SpriteEngine.engine;
  Globals& g = form.state();
  g.player1 = static_cast<TPlayer*>(join(new TPlayer(&root), "Alpha", 2));
  g.player2 = static_cast<TPlayer*>(join(new TPlayer(&root), "Bravo", 5));
  join(new TMan(&root), "Charlie", 2);
  ASSERT_EQ(match->fighterCount(), 3);
  form.DXDraw.surface().fill(0);
  form.DXDraw.surface().canvas().setFontSize(10);  // the console's feed writes in between
  form.drawScoreboard();
  const uint16_t red = rgb565(255, 0, 0), lime = rgb565(0, 255, 0);
  // Bravo (5) in red, Charlie (2, joined after Alpha) in white, Alpha (2) in lime; frags at x = 532.
  EXPECT_GT(count(160, 50, 300, 70, red), 20);
  EXPECT_GT(count(160, 80, 300, 100, white), 20);
  EXPECT_GT(count(160, 110, 300, 130, lime), 20);
  EXPECT_GT(count(532, 50, 560, 70, red), 5);
  EXPECT_GT(count(532, 110, 560, 130, lime), 5);
  EXPECT_EQ(count(0, 140, 800, 600, white) + count(0, 0, 800, 50, white), 0);
  // The size is the status block's 12 points, whatever the feed left.
  const Patch table = patch(0, 0, 800, 200);
  form.DXDraw.surface().fill(0);
  form.DXDraw.surface().canvas().setFontSize(12);
  form.DXDraw.surface().canvas().setFontBold(true);
  form.drawScoreboard();
  EXPECT_EQ(patch(0, 0, 800, 200), table);
}

TEST_F(FragTable, TheLastPlayerOfAHundredIsOnTheDarkPanelsAndTheButtonsColumnStaysClear) {
  startMatch();
  Globals& g = form.state();
  for (int i = 0; i < 99; ++i) join(new TMan(&form.SpriteEngine.engine), "Bot", 100 - i);
  g.player1 = static_cast<TPlayer*>(join(new TPlayer(&form.SpriteEngine.engine), "Me", -3));
  const uint16_t grey = rgb565(128, 128, 128), dark = rgb565(64, 64, 64), lime = rgb565(0, 255, 0);
  form.DXDraw.surface().fill(grey);
  form.drawScoreboard();
  // The person's row comes last, in lime, on the dark panels; the pause buttons' column (350 .. 450)
  // stays as it was.
  const std::array<TRect, 2> panels = fragTablePanels(800, 50 + 32 * 16);
  EXPECT_GT(count(160, 562, 300, 578, lime), 20);
  EXPECT_EQ(count(340, 0, 460, 600, grey), 120 * 600);
  for (const TRect& p : panels) EXPECT_EQ(count(p.Right - 4, p.Top, p.Right, p.Bottom, dark), 4 * p.height());
}

TEST_F(FragTable, NoMatchOrNoFightersDrawNothing) {
  form.DXDraw.surface().fill(0);
  form.drawScoreboard();
  startMatch();
  form.drawScoreboard();
  EXPECT_EQ(count(0, 0, 800, 600, 0), 800 * 600);
}

}  // namespace
}  // namespace mv
