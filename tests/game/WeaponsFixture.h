#pragma once
// A small arena for the weapon tests: an empty grid, the projectile and effect pictures at their real
// sizes, a match to list fighters in, and a projectile that writes its hits down instead of passing
// them to the victim (the fighter's side of a hit is tested with the fighter).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WorldImages.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/combatants/Shot.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Match.h"

namespace mv {

struct Hit {
  TMan* victim;
  TMan* attacker;
  int32_t damage;
  uint8_t kind;
  int32_t hitY;
  int32_t knock;
  int32_t gibThreshold;
};

class RecordingShot : public TShot {
 public:
  RecordingShot(TSprite* parent, std::vector<Hit>& log) : TShot(parent), log_(log) {}

 protected:
  void strike(TMan& victim, int32_t damage, uint8_t kind, int32_t hitY, int32_t knock,
              int32_t gibThreshold) override {
    log_.push_back({&victim, owner, damage, kind, hitY, knock, gibThreshold});
  }

 private:
  std::vector<Hit>& log_;
};

// A fighter a person drives, as far as a guided missile can tell.
class HumanFighter : public TMan {
 public:
  using TMan::TMan;
  bool isHuman() const override { return true; }
};

class WeaponsFixture : public testing::Test {
 protected:
  WeaponsFixture() {
    Globals& g = scope.get();
    g.imageList = &images;
    g.spriteEngine = &root;
    g.match = &match;
    addTestImage(images, "Laser", 6, 16);
    addTestImage(images, "AdvLaser", 8, 18);
    addTestImage(images, "Plasma", 14, 14);
    addTestImage(images, "Shot", 4, 10);
    addTestImage(images, "Rocket", 10, 22, 4);
    addTestImage(images, "Redeemer", 14, 30, 3);
    addTestImage(images, "Flak", 8, 8);
    addTestImage(images, "Disk", 14, 14);
    addTestImage(images, "SmallRico", 16, 16, 6);
    addTestImage(images, "Rickoshet", 20, 20, 6);
    addTestImage(images, "RickoEnergo", 24, 24, 6);
    addTestImage(images, "Explosion", 64, 64, 10);
    addTestImage(images, "RedeemerExplo", 40, 40, 12);
    addTestImage(images, "RocketFlame", 16, 16, 8);
    addTestImage(images, "MeatBlood", 10, 10, 6);
    addTestImage(images, "EarthBlood", 10, 10);
  }

  // A living fighter of the usual 32 x 48 picture, listed in the match. It stays out of the move
  // pass: these tests move projectiles, and the fighter's own step is not theirs to test.
  template <class T = TMan>
  T* fighter(double fx, double fy) {
    auto* m = new T(&root);
    m->width = 32;
    m->height = 48;
    m->x = fx;
    m->y = fy;
    m->health = 100;
    m->hasWeapon[0] = 1;
    m->ammo[0] = 1;
    m->visible = true;
    m->movable = false;
    match.addFighter(m);
    return m;
  }

  RecordingShot* shot(int32_t weapon, double sx, double sy, int32_t direction, TMan* owner = nullptr) {
    auto* s = new RecordingShot(&root, hits);
    s->launch(sx, sy, weapon);
    s->owner = owner;
    s->setDirection(direction);
    return s;
  }

  template <class T>
  std::vector<T*> all() {
    std::vector<T*> found;
    for (TSprite* s : root.children())
      if (auto* t = dynamic_cast<T*>(s); t && !t->killed()) found.push_back(t);
    return found;
  }

  std::vector<TAnim*> anims(const std::string& name) {
    std::vector<TAnim*> found;
    for (TAnim* a : all<TAnim>())
      if (a->image && a->image->Name == name) found.push_back(a);
    return found;
  }

  void pass(int m) {
    root.move(m);
    root.freeKilled();
  }

  void solid(int col, int row) { scope.get().grid.set(col, row, CellSolid); }
  void column(int col, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r) solid(col, r);
  }
  void row(int r, int fromCol, int toCol) {
    for (int c = fromCol; c <= toCol; ++c) solid(c, r);
  }

  GlobalsScope scope;
  TDXImageList images;
  TMatch match;
  std::vector<Hit> hits;
  TSpriteEngine root;  // last: its sprites go before everything they point at
};

}  // namespace mv
