#include "shell/Hud.h"

#include <gtest/gtest.h>

#include "engine/draw/Surface.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/world/Match.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

TEST(HudHealthColour, BandsChangeAtTheirBoundaries) {
  struct Case {
    int32_t health;
    uint32_t color;
  };
  for (const Case& c : {Case{0, colorRef(255, 0, 0)}, Case{19, colorRef(255, 0, 0)},
                        Case{20, colorRef(128, 0, 0)}, Case{39, colorRef(128, 0, 0)},
                        Case{40, colorRef(0, 128, 0)}, Case{79, colorRef(0, 128, 0)},
                        Case{80, colorRef(0, 255, 0)}, Case{100, colorRef(0, 255, 0)},
                        Case{101, colorRef(0, 128, 128)}, Case{199, colorRef(0, 128, 128)},
                        Case{200, colorRef(0, 255, 255)}}) {
    uint32_t color = 0;
    EXPECT_TRUE(healthColor(c.health, color)) << c.health;
    EXPECT_EQ(color, c.color) << c.health;
  }
  uint32_t kept = 123;
  EXPECT_FALSE(healthColor(-1, kept));
  EXPECT_FALSE(healthColor(201, kept));
  EXPECT_EQ(kept, 123u);
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

}  // namespace
}  // namespace mv
