#pragma once
// A sprite tree, a match and plain pictures for the fighters, their corpses and gibs, and every pick-up,
// for the tests of fighting and picking things up. Fighters are set up field by field, so the tests do
// not lean on respawning.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WorldImages.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/world/Match.h"

namespace mv {

class FighterWorld : public testing::Test {
 protected:
  FighterWorld() {
    Globals& g = scope.get();
    g.imageList = &images;
    g.modelList = &models;
    g.spriteEngine = &root;
    g.match = &match;
    g.random.seed(7);
    for (const char* side : {"_L", "_R"}) {
      addTestImage(models, std::string("Doom") + side, 32, 46, 4);
      addTestImage(models, std::string("Doom_Crouch") + side, 32, 33, 4);
      addTestImage(models, std::string("Doom_Dead") + side, 64, 46, 8);
      addTestImage(models, std::string("Doom_Headshot") + side, 60, 40, 5);
    }
    addTestImage(models, "Doom_Gibs", 12, 12, 6);
    addTestImage(images, "MeatBlood", 10, 10, 6);
    addTestImage(images, "EarthBlood", 10, 10, 1);
    for (int w = 0; w < kWeapons; ++w) {
      addTestImage(images, "Weapon" + std::to_string(w) + "Item", 20, 10, 2);
      addTestImage(images, "Ammo" + std::to_string(w), 16, 16, 4);
    }
    addTestImage(images, "Health25", 16, 16, 4);
    addTestImage(images, "Health200", 24, 24, 4);
    addTestImage(images, "Armor", 16, 16, 4);
  }

  // A living, standing fighter of the match with its top-left corner at (x, y), facing right.
  TMan* fighter(double x, double y) {
    auto* man = new TMan(&root);
    man->modelName = "Doom";
    man->image = &models.Items.find("Doom_R");
    man->width = 32;
    man->height = 46;
    man->hitBox = {5, 0, 27, 46};
    man->x = x;
    man->y = y;
    man->facing = 1;
    man->health = 100;
    man->armor = 0;
    man->visible = true;
    man->hasWeapon[0] = 1;
    man->ammo[0] = 1;
    man->setZ(15);
    match.addFighter(man);
    return man;
  }

  template <typename T>
  std::vector<T*> all() {
    std::vector<T*> found;
    for (TSprite* s : root.children())
      if (auto* t = dynamic_cast<T*>(s); t && !t->killed()) found.push_back(t);
    return found;
  }

  void solid(int col, int row) { scope.get().grid.set(col, row, CellSolid); }

  GlobalsScope scope;
  TDXImageList images, models;
  TMatch match;
  TSpriteEngine root;
};

}  // namespace mv
