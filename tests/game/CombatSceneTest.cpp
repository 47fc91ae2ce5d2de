// Every shipped level with its real pick-ups and two fighters killed at its first respawn points, one
// torn apart by a rocket and one shot, run for a second of match time and drawn. The pictures go to
// build/combat-shots/ for a person to look at; the checks catch pick-ups that wander off their place
// and dropped weapons that do not come to rest.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/world/Gib.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "game/world/ScrollBackGround.h"

namespace fs = std::filesystem;

namespace mv {
namespace {

std::vector<std::string> levelsInGameFolder() {
  std::vector<std::string> names;
  const fs::path maps = fs::path(MASHVOLT_GAME_DIR) / "Maps";
  if (!fs::is_directory(maps)) return names;
  for (const auto& entry : fs::directory_iterator(maps))
    if (entry.path().extension() == ".lvx") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

TMan* standingFighter(TSpriteEngine& root, TDXImageList& models, TMatch& match, TPoint at) {
  auto* man = new TMan(&root);
  man->modelName = "Doom";
  man->image = &models.Items.find("Doom_R");
  man->width = man->image->width();
  man->height = man->image->height();
  man->hitBox = {(man->width - 22) / 2, 0, (man->width + 22) / 2, 46};
  man->x = at.x;
  man->y = at.y;
  man->facing = 1;
  man->health = 100;
  man->visible = true;
  man->hasWeapon[0] = 1;
  man->ammo[0] = 1;
  man->setZ(15);
  match.addFighter(man);
  return man;
}

TEST(CombatScene, FightersDieAndDropWeaponsAmongTheLevelsPickups) {
  const std::vector<std::string> levels = levelsInGameFolder();
  if (levels.empty()) GTEST_SKIP() << "no generated levels in " << MASHVOLT_GAME_DIR;
  const fs::path shots = fs::path(MASHVOLT_GAME_DIR).parent_path() / "combat-shots";
  fs::create_directories(shots);
  const fs::path previous = fs::current_path();
  fs::current_path(MASHVOLT_GAME_DIR);

  for (const std::string& name : levels) {
    SCOPED_TRACE(name);
    GlobalsScope scope;
    Globals& g = scope.get();
    g.random.seed(1);
    TDXDraw display;
    display.initialize();
    TDXImageList images(&display), models(&display);
    images.Items.loadFromFile("SYSTEM\\graphics.dat");
    models.Items.loadFromFile("SYSTEM\\models.dat");
    TSpriteEngine root;
    root.setSurface(&display.surface());
    TMatch match;
    g.imageList = &images;
    g.modelList = &models;
    g.spriteEngine = &root;
    g.match = &match;
    g.placePickup = placeLevelPickup;
    mirrorModels();

    ASSERT_NO_THROW(loadLevel("Maps\\" + name + ".lvx"));
    std::vector<TItem*> placed;
    for (TSprite* s : root.children())
      if (auto* item = dynamic_cast<TItem*>(s)) placed.push_back(item);
    EXPECT_FALSE(placed.empty());
    g.background = new TScrollBackGround(&root);

    const TPoint first = match.respawnPoint(0);
    const TPoint second = match.respawnPoint(1 % match.respawnCount());
    TMan* rocketeer = standingFighter(root, models, match, second);
    TMan* victim = standingFighter(root, models, match, first);
    victim->currentWeapon = 3;
    victim->hasWeapon[3] = 1;
    victim->ammo[3] = 7;
    victim->health = 50;
    victim->takeHit(rocketeer, 84, HitTearApart, first.y + 20, 0, 15);
    rocketeer->takeHit(victim, 100, HitOrdinary, second.y + 20, 2, 100);
    EXPECT_EQ(victim->frags, 1);
    EXPECT_EQ(rocketeer->frags, 1);

    for (int pass = 0; pass < 60; ++pass) {
      root.move(16);
      root.freeKilled();
    }

    int dropped = 0, gibs = 0;
    for (TSprite* s : root.children()) {
      if (auto* item = dynamic_cast<TItem*>(s); item && item->dropped) {
        ++dropped;
        EXPECT_FALSE(item->canMove(TPhyzObj::Down)) << item->kind << " still falling at " << item->y;
      }
      if (dynamic_cast<TGib*>(s)) ++gibs;
    }
    EXPECT_EQ(dropped, 2);
    EXPECT_EQ(gibs, 7);
    for (TItem* item : placed) {
      EXPECT_LE(item->y, item->baseY);
      EXPECT_GE(item->y, item->baseY - 10);
    }

    // One picture centred on the torn-apart fighter, one on the corpse.
    for (auto [at, suffix] : {std::pair{first, ""}, std::pair{second, "-corpse"}}) {
      root.x = 800 / 2 - at.x - 16;
      root.y = 600 / 2 - at.y - 23;
      TSurface& screen = display.surface();
      g.background->drawSelf();
      g.backLayer->drawTiles();
      root.drawAll();
      g.frontLayer->drawTiles();
      saveBitmapFile(screen, screen.clientRect(), (shots / (name + suffix + ".bmp")).string());
    }
  }
  fs::current_path(previous);
}

}  // namespace
}  // namespace mv
