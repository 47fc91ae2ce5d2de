// A fighter on every shipped level: it enters at each respawn point, falls, comes to rest with its feet on
// a cell's top row (floor or platform), is centred by its camera and walks at 0.2 px/ms. Pictures of it
// standing, walking and crouching at the first point go to build/fighter-shots/ for a person to look at.

#include <gtest/gtest.h>

#include "ShippedLevels.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "game/world/ScrollBackGround.h"

namespace fs = std::filesystem;

namespace mv {
namespace {

struct LevelWorld {
  explicit LevelWorld(const std::string& level) : images(&display), models(&display) {
    display.initialize();
    images.Items.loadFromFile("SYSTEM\\graphics.dat");
    models.Items.loadFromFile("SYSTEM\\models.dat");
    root.setSurface(&display.surface());
    Globals& g = scope.get();
    g.imageList = &images;
    g.modelList = &models;
    g.spriteEngine = &root;
    g.match = &match;
    mirrorModels();
    loadLevel("Maps\\" + level + ".lvx");
    g.background = new TScrollBackGround(&root);
  }
  void pass(TMan& man) {
    root.move(16);
    root.freeKilled();
    man.updateImage();  // as the controllers do after their decisions
  }
  // Steps until the fighter has stopped falling; false when it never does.
  bool settle(TMan& man) {
    int still = 0;
    for (int i = 0; i < 400 && still < 5; ++i) {
      const double before = man.y;
      pass(man);
      still = man.y == before && !man.canMove(TPhyzObj::Down) ? still + 1 : 0;
    }
    return still >= 5;
  }
  void shoot(const fs::path& file, TMan& man) {
    root.x = man.cameraX;
    root.y = man.cameraY;
    scope.get().background->drawSelf();
    scope.get().backLayer->drawTiles();
    root.drawAll();
    scope.get().frontLayer->drawTiles();
    saveBitmapFile(display.surface(), display.surface().clientRect(), file.string());
  }

  GlobalsScope scope;
  TDXDraw display;
  TDXImageList images, models;
  TMatch match;
  TSpriteEngine root;
};

TEST(ManOnShippedLevels, EntersFallsRestsOnATopRowAndWalks) {
  const std::vector<std::string> levels = shippedLevels();
  if (levels.empty()) GTEST_SKIP() << "no generated levels in " << MASHVOLT_GAME_DIR;
  const fs::path shots = fs::path(MASHVOLT_GAME_DIR).parent_path() / "fighter-shots";
  fs::create_directories(shots);
  CurrentFolder inGame(MASHVOLT_GAME_DIR);

  for (const std::string& level : levels) {
    SCOPED_TRACE(level);
    LevelWorld world(level);
    const Grid& grid = world.scope.get().grid;
    ASSERT_GT(world.match.respawnCount(), 0);
    int walkers = 0;
    for (int i = 0; i < world.match.respawnCount(); ++i) {
      const TPoint point = world.match.respawnPoint(i);
      SCOPED_TRACE(testing::Message() << "respawn point " << i << " at " << point.x << "," << point.y);
      auto* man = new TPlayer(&world.root);
      world.scope.get().player1 = man;
      man->name = "Tester";
      man->setModel("Doom");
      man->respawnAt(point.x, point.y);
      ASSERT_TRUE(world.settle(*man));
      EXPECT_FALSE(man->touchesCell(CellLethal));

      // The feet rest on the top row of the solid or platform cell beneath.
      const int64_t X = TPhyzObj::nearPixel(man->x), feet = TPhyzObj::nearPixel(man->y) + 46;
      EXPECT_EQ(feet % 16, 0) << "feet at " << feet;
      const uint8_t below =
          std::max(grid.at((X + 5 + 2) / 16, feet / 16), grid.at((X + 27 - 2) / 16, feet / 16));
      EXPECT_TRUE(below == CellSolid || below == CellPlatform) << int{below};

      // The camera centres the fighter on the 800 x 600 screen.
      EXPECT_DOUBLE_EQ(man->cameraX, 400 - man->x - 16);
      EXPECT_DOUBLE_EQ(man->cameraY, 300 - man->y - 23);

      if (i == 0) world.shoot(shots / (level + "-standing.bmp"), *man);

      // Walking: 3.2 px in a 16 ms step, whichever way is open.
      for (int c : {CmdMoveRight, CmdMoveLeft}) {
        const double before = man->x;
        man->command(c);
        world.pass(*man);
        if (std::abs(std::abs(man->x - before) - 3.2) < 1e-9) {
          ++walkers;
          break;
        }
      }
      if (i == 0) {
        man->currentWeapon = 1;
        man->hasWeapon[1] = 1;
        man->aimAngle = -10;
        for (int k = 0; k < 3; ++k) {
          man->command(man->facing == 1 ? CmdMoveRight : CmdMoveLeft);
          world.pass(*man);
        }
        world.shoot(shots / (level + "-walking.bmp"), *man);
        man->currentWeapon = 0;
        man->command(CmdCrouch);
        man->updateImage();
        world.shoot(shots / (level + "-crouching.bmp"), *man);
      }
      world.scope.get().player1 = nullptr;
      man->kill();
      world.root.freeKilled();
    }
    EXPECT_EQ(walkers, world.match.respawnCount());
  }
}

}  // namespace
}  // namespace mv
