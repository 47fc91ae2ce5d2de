#pragma once
// A small world for the fighter's tests: plain generated body, weapon and effect pictures, a display to
// draw on, a match, and helpers to build level cells.

#include <gtest/gtest.h>

#include <string>

#include "WorldImages.h"
#include "engine/draw/DXDraw.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/world/Grid.h"
#include "game/world/Match.h"

namespace mv {

class ManWorld : public testing::Test {
 protected:
  ManWorld() : images(&display), models(&display) {
    Globals& g = scope.get();
    g.imageList = &images;
    g.modelList = &models;
    g.spriteEngine = &root;
    g.match = &match;
    for (const char* side : {"_L", "_R"}) {
      addTestImage(models, std::string("Doom") + side, 32, 46, 4);
      addTestImage(models, std::string("Doom_Crouch") + side, 32, 33, 4);
    }
    for (int w = 0; w < 8; ++w) addTestImage(images, "Weapon" + std::to_string(w), 24, 8, 2);
    addTestImage(images, "RespawnAnim", 40, 40, 5);
    addTestImage(images, "LaserPoint", 5, 5, 1);
    addTestImage(images, "DoubleKill", 60, 12, 1);
    display.initialize();
    root.setSurface(&display.surface());
  }

  Globals& g() { return scope.get(); }
  void cells(int row, int from, int to, uint8_t value) {
    for (int c = from; c <= to; ++c) g().grid.set(c, row, value);
  }
  // A fighter of model "Doom" respawned at (x, y).
  template <typename T = TMan>
  T* fighterAt(double x, double y) {
    auto* man = new T(&root);
    man->setModel("Doom");
    man->respawnAt(x, y);
    return man;
  }
  // One move pass of the whole tree and the frees after it.
  void pass(int ms = 10, int times = 1) {
    for (int i = 0; i < times; ++i) {
      root.move(ms);
      root.freeKilled();
    }
  }
  // The pixel row just below the fighter's box, where its feet rest on a cell's top row.
  static int64_t feet(const TMan& m) { return TPhyzObj::nearPixel(m.y) + m.hitBox.Bottom; }

  GlobalsScope scope;
  TDXDraw display;
  TDXImageList images, models;
  TMatch match;
  TSpriteEngine root;
};

}  // namespace mv
