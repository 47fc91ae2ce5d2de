#include "common/PlaytestWorld.h"

#include "game/world/Item.h"
#include "game/world/Level.h"

namespace mv::tools {

PlaytestWorld::PlaytestWorld(const std::string& gameDir, const std::string& level, uint32_t seed) {
  Globals& g = state();
  g.dataFolder = gameDir.empty() || gameDir.back() == '/' ? gameDir : gameDir + "/";
  g.random.seed(seed);
  g.settings.soundOn = 0;
  display.initialize();
  images.Items.loadFromFile(dataPath("SYSTEM/graphics.dat"));
  models.Items.loadFromFile(dataPath("SYSTEM/models.dat"));
  root.setSurface(&display.surface());
  g.imageList = &images;
  g.modelList = &models;
  g.spriteEngine = &root;
  g.match = &match;
  g.console = &console;
  g.placePickup = placeLevelPickup;
  g.screenState = Match;
  mirrorModels();
  loadLevel(dataPath("Maps/" + level + ".lvx"));
}

PlaytestWorld::~PlaytestWorld() {
  // The sprites go while everything they point at is still there.
  root.clear();
  Globals& g = state();
  g.match = nullptr;
  g.console = nullptr;
  g.spriteEngine = nullptr;
}

}  // namespace mv::tools
