// Every shipped level, loaded from the game folder and drawn the way a match frame draws it
// (background, back tiles, sprites, front tiles) at its first respawn point. The pictures go to
// build/level-shots/ for a person to look at; the checks here catch a level that draws nothing of
// itself or places its first fighter inside a wall.

#include <gtest/gtest.h>

#include "ShippedLevels.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/ImageSpriteEx.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "game/world/PhyzObj.h"
#include "game/world/ScrollBackGround.h"

namespace fs = std::filesystem;

namespace mv {
namespace {

// A picture sprite standing where the level's pick-ups and the first fighter would be; the real
// pick-up and fighter classes draw the same image at the same place.
void placeStandIn(TSpriteEngine& root, TDXImageList& list, const std::string& name, int32_t x, int32_t y,
                  int32_t z) {
  auto* sprite = new TImageSpriteEx(&root);
  sprite->image = &list.Items.find(name);
  sprite->width = sprite->image->width();
  sprite->height = sprite->image->height();
  sprite->x = x;
  sprite->y = y;
  sprite->setZ(z);
}

TEST(LevelShots, EveryShippedLevelLoadsAndDraws) {
  const std::vector<std::string> levels = shippedLevels();
  if (levels.empty()) GTEST_SKIP() << "no generated levels in " << MASHVOLT_GAME_DIR;
  const fs::path shots = fs::path(MASHVOLT_GAME_DIR).parent_path() / "level-shots";
  fs::create_directories(shots);
  CurrentFolder inGame(MASHVOLT_GAME_DIR);

  for (const std::string& name : levels) {
    SCOPED_TRACE(name);
    GlobalsScope scope;
    Globals& g = scope.get();
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
    g.placePickup = [&](const std::string& kind, int32_t x, int32_t y) {
      placeStandIn(root, images, kind, x, y, 10);
    };
    mirrorModels();

    ASSERT_NO_THROW(loadLevel("Maps\\" + name + ".lvx"));
    g.background = new TScrollBackGround(&root);
    ASSERT_GT(match.respawnCount(), 0);
    ASSERT_GT(g.backLayer->tileCount(), 0);

    // The first fighter enters here: its 32 x 46 picture must not start inside solid cells.
    const TPoint spawn = match.respawnPoint(0);
    EXPECT_FALSE(TPhyzObj::touchesCellAt(g.grid, spawn.x, spawn.y, {0, 0, 32, 46}, CellSolid))
        << "respawn point " << spawn.x << "," << spawn.y;
    placeStandIn(root, models, "Doom_L", spawn.x, spawn.y, 15);

    // The camera centres the fighter on the 800 x 600 screen, as the view does without look-ahead.
    root.x = 800 / 2 - spawn.x - 32 / 2;
    root.y = 600 / 2 - spawn.y - 46 / 2;
    TSurface& screen = display.surface();
    g.background->drawSelf();
    const std::vector<uint16_t> backgroundOnly(screen.pixels(), screen.pixels() + 800 * 600);
    g.backLayer->drawTiles();
    root.drawAll();
    g.frontLayer->drawTiles();
    saveBitmapFile(screen, screen.clientRect(), (shots / (name + ".bmp")).string());

    // The tiles changed a good part of the screen, and the picture is not a flat fill.
    size_t changed = 0;
    std::set<uint16_t> colours;
    for (int i = 0; i < 800 * 600; ++i) {
      changed += screen.pixels()[i] != backgroundOnly[static_cast<size_t>(i)];
      colours.insert(screen.pixels()[i]);
    }
    EXPECT_GT(changed, 800u * 600u / 20);
    EXPECT_GT(colours.size(), 16u);
  }
}

}  // namespace
}  // namespace mv
