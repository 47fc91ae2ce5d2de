#include <gtest/gtest.h>

#include "WorldImages.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "platform/Error.h"

namespace mv {
namespace {

class EffectsTest : public testing::Test {
 protected:
  EffectsTest() {
    scope.get().imageList = &images;
    scope.get().modelList = &models;
    scope.get().spriteEngine = &root;
    addTestImage(images, "Boom", 20, 10, 4);
    addTestImage(images, "Flash", 8, 8, 1);
    addTestImage(images, "MeatBlood", 10, 10, 6);
    addTestImage(images, "EarthBlood", 10, 10, 1);
    addTestImage(models, "Doom_Gibs", 12, 12, 6);
  }
  // One frame's move pass and the deferred frees after it.
  void pass(int m) {
    root.move(m);
    root.freeKilled();
  }
  void solid(int col, int row) { scope.get().grid.set(col, row, CellSolid); }

  GlobalsScope scope;
  TDXImageList images, models;
  TSpriteEngine root;
};

TEST_F(EffectsTest, AnimationIsCentredAndEndsOnItsLastFrame) {
  auto* anim = new TAnim(&root);
  anim->start("Boom", 7, 100, 50, 0.01, 25);
  EXPECT_EQ(anim->width, 20);
  EXPECT_EQ(anim->height, 10);
  EXPECT_EQ(anim->frameCount, 4);
  EXPECT_EQ(anim->x, 90);
  EXPECT_EQ(anim->y, 45);
  EXPECT_EQ(anim->angle, 7);
  EXPECT_EQ(anim->z(), 25);
  EXPECT_FALSE(anim->collidable);
  // Shown up to the pass in which it reaches frame 3; gone after it.
  pass(100);
  pass(100);
  ASSERT_EQ(root.count(), 1);
  EXPECT_EQ(anim->framePos, 2);
  pass(100);
  EXPECT_EQ(root.count(), 0);

  // A one-pattern animation ends in the pass in which its frame position reaches 1 and clamps back
  // to 0, its last frame. Odd sizes centre with real division.
  auto* flash = new TAnim(&root);
  flash->start("Flash", 0, 10.5, 10.5, 0.04, 25);
  EXPECT_EQ(flash->x, 6.5);
  pass(10);
  EXPECT_EQ(root.count(), 1);
  pass(20);
  EXPECT_EQ(root.count(), 0);

  // Blood splashes sink while they play; other animations stay put.
  auto* splash = new TAnim(&root);
  splash->start("MeatBlood", 0, 50, 50, 0.001, 25);
  pass(80);
  EXPECT_EQ(splash->y, 45 + 2);

  EXPECT_THROW(TAnim(&root).start("NoSuchAnim", 0, 0, 0, 1, 1), Error);
}

TEST_F(EffectsTest, BloodStainsAgainstWhatItTouchesAndThenGoes) {
  // Never touching anything: gone when the flying animation reaches frame 5 (five passes of 100).
  auto* flying = new TBlood(&root);
  flying->setup(-150, -150, 0, 0.1);
  EXPECT_EQ(flying->z(), 13);
  EXPECT_EQ(flying->width, 10);
  EXPECT_EQ(flying->hitBox, (TRect{2, 2, 8, 8}));
  for (int i = 0; i < 4; ++i) pass(100);
  ASSERT_EQ(root.count(), 1);
  EXPECT_FALSE(flying->stuck);
  pass(100);
  EXPECT_EQ(root.count(), 0);

  // Created in a floor corner: Down, then Left blocked, and the later one decides the angle.
  solid(5, 6);  // floor under the drop
  solid(4, 5);  // wall on its left
  auto* corner = new TBlood(&root);
  corner->setup(77, 88, 0, 0);  // box 79 .. 84 x 90 .. 95: Left reads column 4, Down row 6
  pass(10);
  EXPECT_TRUE(corner->stuck);
  EXPECT_EQ(corner->angle, 64);
  EXPECT_EQ(corner->image, &images.Items.find("EarthBlood"));
  EXPECT_EQ(corner->frameCount, 1);
  EXPECT_EQ(corner->gravity, 0);
  EXPECT_EQ(corner->velY, 0);
  // The stain lasts while stuckTime is 500 or less.
  for (int i = 0; i < 5; ++i) pass(100);
  ASSERT_EQ(root.count(), 1);
  EXPECT_EQ(corner->stuckTime, 500);
  EXPECT_EQ(corner->x, 77);
  pass(1);
  EXPECT_EQ(root.count(), 0);

  // Ceiling and right wall.
  scope.get().grid.clear();
  solid(20, 19);
  auto* ceiling = new TBlood(&root);
  ceiling->setup(320, 318, 0, 0.5);  // rising into row 19 from below
  pass(10);
  EXPECT_TRUE(ceiling->stuck);
  EXPECT_EQ(ceiling->angle, 128);
  solid(30, 30);
  auto* right = new TBlood(&root);
  right->setup(470, 482, 1, 0.2);
  pass(10);
  EXPECT_TRUE(right->stuck);
  EXPECT_EQ(right->angle, -64);
}

TEST_F(EffectsTest, GibFliesBleedsThenFadesOnTheGround) {
  scope.get().settings.quality = 1;
  auto* gib = new TGib(&root);
  EXPECT_EQ(gib->bounce, 0.1);
  EXPECT_EQ(gib->life, 255);
  gib->setup("Doom", 200, -100, 90, 30, 3);  // to the right
  EXPECT_EQ(gib->z(), 20);
  EXPECT_TRUE(gib->bouncing);
  EXPECT_EQ(gib->bounce, 0.7);
  EXPECT_DOUBLE_EQ(gib->velX, 1);
  EXPECT_NEAR(gib->velY, 0, 1e-12);
  EXPECT_EQ(gib->angle, 90);  // degrees stored unchanged in a 256ths angle
  EXPECT_EQ(gib->framePos, 3);
  EXPECT_EQ(gib->width, 12);
  EXPECT_EQ(gib->hitBox, (TRect{0, 0, 10, 10}));

  // The first step in the air always bleeds; the next drop waits for 150 units of (|vx*vy|+1)*m.
  pass(10);
  EXPECT_EQ(root.count(), 2);
  EXPECT_EQ(gib->bleedTimer, 150);
  pass(10);
  EXPECT_EQ(root.count(), 2);
  EXPECT_EQ(gib->bleedTimer, 150 - 10);

  // Upward throw: sin(90 degrees) * speed / 20.
  auto* up = new TGib(&root);
  up->setup("Doom", 0, 0, 180, 40, 0);
  EXPECT_DOUBLE_EQ(up->velY, 2);
  EXPECT_NEAR(up->velX, 0, 1e-12);

  // Lying on a floor: one life per step, alpha follows with quality on, killed at 0.
  root.clear();
  for (int c = 0; c < 10; ++c) solid(c, 3);
  auto* lying = new TGib(&root);
  lying->setup("Doom", 40, 38, 0, 0, 1);
  pass(16);
  EXPECT_EQ(lying->life, 254);
  EXPECT_EQ(lying->alpha, 254);
  EXPECT_EQ(lying->y, 38);
  for (int i = 0; i < 253; ++i) pass(16);
  ASSERT_EQ(root.count(), 1);
  EXPECT_EQ(lying->alpha, 1);
  pass(16);
  EXPECT_EQ(root.count(), 0);

  // Quality off: no spin, stays opaque while lying.
  scope.get().settings.quality = 0;
  auto* plain = new TGib(&root);
  plain->setup("Doom", 40, 38, 45, 0, 0);
  EXPECT_EQ(plain->angle, 0);
  pass(16);
  EXPECT_EQ(plain->alpha, 255);
  EXPECT_EQ(plain->life, 254);
}

}  // namespace
}  // namespace mv
