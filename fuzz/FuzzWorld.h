#pragma once
// A match for the fuzz targets to play in: the game's own archives, decoded once per process from the
// game folder the build generated, and for every input a fresh program-wide state, sprite tree and
// match, so no input leans on what an earlier one left behind.

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Bot.h"
#include "game/combatants/Player.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/Match.h"

namespace mv::fuzz {

// The game folder: MASHVOLT_GAME_DIR in the environment, else the one of the build.
inline std::string gameFolder() {
  const char* dir = std::getenv("MASHVOLT_GAME_DIR");
  return std::string(dir && *dir ? dir : MASHVOLT_GAME_DIR) + "/";
}

// The decoded archives with their surfaces. Decoding them for every input would leave no time for the
// input, so this one object outlives the inputs; nothing a match does changes it.
class Archives {
 public:
  static Archives& get() {
    static Archives archives;
    return archives;
  }
  TDXDraw draw;
  TDXImageList images{&draw};
  TDXImageList models{&draw};

 private:
  Archives() {
    draw.Display.Width = 160, draw.Display.Height = 120;
    draw.initialize();
    images.Items.loadFromFile(gameFolder() + "SYSTEM/graphics.dat");
    models.Items.loadFromFile(gameFolder() + "SYSTEM/models.dat");
    GlobalsScope scope;
    scope.get().modelList = &models;
    mirrorModels();
  }
};

// One input's world: the state, a match with its sprite tree, the level's pick-ups placed as the game
// places them. The archives' level slots (items 0 and 1) keep what the archive holds.
struct MatchWorld {
  GlobalsScope scope;
  TMatch match;
  TSpriteEngine root;

  MatchWorld() {
    Globals& g = scope.get();
    Archives& archives = Archives::get();
    g.imageList = &archives.images;
    g.modelList = &archives.models;
    g.spriteEngine = &root;
    g.match = &match;
    g.placePickup = placeLevelPickup;
    g.screenState = Match;
    g.random.seed(1);
    root.setSurface(&archives.draw.surface());
  }
  ~MatchWorld() {
    // The sprites go before the match that lists the fighters among them.
    root.clear();
    globals().player1 = globals().player2 = nullptr;
  }

  template <typename T>
  T* join(double x, double y) {
    auto* man = new T(&root);
    man->setModel("Doom");
    match.addFighter(man);
    man->respawnAt(x, y);
    return man;
  }

  // Steps and draws like the match frame: move pass, the killed freed, then the layers and sprites.
  void frames(int count, int moveCount = 16) {
    Globals& g = globals();
    for (int i = 0; i < count; ++i) {
      root.move(moveCount);
      root.freeKilled();
      if (g.backLayer) g.backLayer->drawTiles();
      root.drawAll();
      if (g.frontLayer) g.frontLayer->drawTiles();
    }
  }
};

}  // namespace mv::fuzz
