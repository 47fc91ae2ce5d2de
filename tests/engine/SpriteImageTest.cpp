#include <gtest/gtest.h>

#include "engine/DXDraw.h"
#include "engine/DXImageList.h"
#include "engine/ImageSprite.h"
#include "engine/ImageSpriteEx.h"
#include "engine/PictureCollection.h"
#include "engine/SpriteEngine.h"
#include "engine/Surface.h"

namespace mv {
namespace {

TEST(SpriteAnimation, LoopedWrapsBothWaysAndDegenerateCountsStayPut) {
  TSpriteEngine root;
  TImageSprite s(&root);
  s.frameLooped = true;
  s.frameCount = 4;
  s.framePos = 5.5;
  s.moveSelf(1);
  EXPECT_DOUBLE_EQ(s.framePos, 1.5);
  s.framePos = -0.5;
  s.moveSelf(1);
  EXPECT_DOUBLE_EQ(s.framePos, 3.5);
  EXPECT_EQ(s.drawFrame(), 3);
  s.firstFrame = 8;
  EXPECT_EQ(s.drawFrame(), 11);

  // Speed is per millisecond of moveCount, and a looped animation keeps its speed.
  s.framePos = 0;
  s.frameSpeed = 0.25;
  s.moveSelf(18);  // 4.5 -> 0.5
  EXPECT_DOUBLE_EQ(s.framePos, 0.5);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0.25);

  s.frameCount = 0;
  s.moveSelf(3);
  EXPECT_DOUBLE_EQ(s.framePos, 0);
}

TEST(SpriteAnimation, OneShotParksOnLastFrameOrFirst) {
  TSpriteEngine root;
  TImageSprite s(&root);
  s.frameCount = 6;
  s.frameSpeed = 0.02;
  s.framePos = 5.9;
  s.moveSelf(4);  // 5.98: still running
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0.02);
  s.moveSelf(1);  // 6.0 exactly: stops on frame 5
  EXPECT_DOUBLE_EQ(s.framePos, 5);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0);
  EXPECT_EQ(s.drawFrame(), 5);

  s.framePos = 0.5;
  s.frameSpeed = -0.1;
  s.moveSelf(10);
  EXPECT_DOUBLE_EQ(s.framePos, 0);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0);

  // No frames at all: it ends at 0, not at -1.
  s.frameCount = 0;
  s.frameSpeed = 1;
  s.moveSelf(1);
  EXPECT_DOUBLE_EQ(s.framePos, 0);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0);
}

TEST(SpriteBounds, WrapAroundFoldsIntoTheSurfacePlusOneSprite) {
  TSurface surface(100, 50);
  TSpriteEngine root;
  root.setSurface(&surface);
  TImageSprite s(&root);
  s.width = 10;
  s.height = 20;
  s.x = 250.7;  // 250 mod 110 = 30
  s.y = -5;     // -5 mod 70 = 65 > 50 -> -5
  EXPECT_EQ(s.getBoundsRect(), (TRect{250, -5, 260, 15}));
  s.wrapAround = true;
  EXPECT_EQ(s.getBoundsRect(), (TRect{30, -5, 40, 15}));
  s.x = 105;  // past the right edge by less than a sprite: shown hanging in from the left
  s.y = 50;   // exactly on the bottom edge stays there
  EXPECT_EQ(s.getBoundsRect(), (TRect{-5, 50, 5, 70}));
  s.x = -1e300;  // absurd positions neither crash nor overflow
  EXPECT_GE(s.getBoundsRect().Left, -10);
}

TEST(SpriteBounds, ImageSpriteExIsNeverCulledAndCollidesByItsBox) {
  TSurface surface(100, 50);
  TSpriteEngine root;
  root.setSurface(&surface);
  root.x = -1000;
  TImageSpriteEx a(&root);
  a.x = 5000;
  a.width = a.height = 8;
  EXPECT_EQ(a.getBoundsRect(), root.surfaceRect());
  EXPECT_EQ(a.boxRect(), (TRect{4000, 0, 4008, 8}));

  TImageSpriteEx b(&root);
  b.width = b.height = 8;
  b.x = 5008;  // shares only the right edge
  EXPECT_FALSE(a.testCollision(b));
  EXPECT_FALSE(b.testCollision(a));
  b.x = 5007.9;  // trunc to 5007: one pixel column shared
  EXPECT_TRUE(a.testCollision(b));
  b.y = -8;
  EXPECT_FALSE(a.testCollision(b));

  // Anything else is met by its own bounds; a plain image sprite ignores boxes without pixelCollision.
  TSprite plain(&root);
  plain.x = 5004;
  plain.y = 4;
  plain.width = plain.height = 1;
  EXPECT_TRUE(a.testCollision(plain));
  plain.y = 8;
  EXPECT_FALSE(a.testCollision(plain));
  TImageSprite img(&root);
  img.x = -1e6;
  EXPECT_TRUE(img.testCollision(a));
}

TPicture solidPicture(int w, int h, uint32_t rgb) {
  return TPicture(w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, rgb));
}

TEST(SpriteBounds, DrawRectCentresPatternAndPixelCollisionComparesPatternRects) {
  TPictureCollection pictures;
  auto& big = pictures.add();
  big.setPicture(solidPicture(64, 16, 0xFFFFFF));  // four 16x16 patterns side by side
  big.PatternWidth = 16;
  big.PatternHeight = 16;
  auto& small = pictures.add();
  small.setPicture(solidPicture(4, 4, 0xFFFFFF));

  TSpriteEngine root;
  TImageSprite a(&root);
  a.image = &big;
  a.width = 21;   // (21 - 16) div 2 = 2
  a.height = 11;  // (11 - 16) div 2 = -2 (toward zero)
  a.x = 100;
  a.y = 100;
  // The box keeps its own size; only its corner moves.
  EXPECT_EQ(a.drawRect(), (TRect{102, 98, 123, 109}));

  TImageSprite b(&root);
  b.image = &small;
  b.width = b.height = 4;
  b.x = 102 + 20;  // 20 pixels right of a's pattern origin
  b.y = 98;
  // Without pixelCollision an image sprite collides with everything.
  EXPECT_TRUE(a.testCollision(b));
  a.pixelCollision = true;
  // Frame 0 lies at x 0..16 of the picture: b at 20..24 misses it.
  EXPECT_FALSE(a.testCollision(b));
  // Frame 1 lies at x 16..32 in the picture, so the same offset now meets it.
  a.framePos = 1;
  EXPECT_TRUE(a.testCollision(b));
  // A frame the picture does not have meets nothing.
  a.framePos = 9;
  EXPECT_FALSE(a.testCollision(b));
}

// A 16x8 picture, red on the left half and blue on the right, drawn by sprites on a 64x64 display.
struct DrawScene {
  DrawScene() {
    display.Display.Width = display.Display.Height = 64;
    std::vector<uint32_t> rgb(16 * 8);
    for (int i = 0; i < 16 * 8; ++i) rgb[i] = i % 16 < 8 ? 0xFF0000u : 0x0000FFu;
    item.setPicture(TPicture(16, 8, std::move(rgb)));
    display.initialize();
    root.setSurface(&display.surface());
  }
  std::vector<uint16_t> render() {
    display.surface().fill(0);
    root.drawAll();
    const TSurface& s = display.surface();
    return std::vector<uint16_t>(s.pixels(), s.pixels() + s.width() * s.height());
  }
  TDXDraw display;
  TDXImageList list{&display};
  TPictureCollectionItem& item = list.Items.add();
  TSpriteEngine root;
};

TEST(SpriteImageDraw, ImageSpriteDrawsPatternCentredInItsBox) {
  DrawScene scene;
  TImageSprite s(&scene.root);
  s.image = &scene.item;
  s.width = 20;
  s.height = 12;
  s.x = 10;
  s.y = 10;
  scene.render();
  const TSurface& out = scene.display.surface();
  // Pattern at (12, 12): red from x 12, blue from x 20, nothing at x 28.
  EXPECT_EQ(out.row(12)[11], 0);
  EXPECT_EQ(out.row(12)[12], rgb565(255, 0, 0));
  EXPECT_EQ(out.row(19)[20], rgb565(0, 0, 255));
  EXPECT_EQ(out.row(19)[28], 0);
  EXPECT_EQ(out.row(20)[20], 0);

  // Without a picture the sprite is skipped rather than dereferenced.
  s.image = nullptr;
  EXPECT_EQ(scene.render(), std::vector<uint16_t>(64 * 64, 0));
}

TEST(SpriteImageDraw, ImageSpriteExStretchesRotatesAndBlends) {
  DrawScene scene;
  TImageSpriteEx s(&scene.root);
  s.image = &scene.item;
  s.width = 32;  // stretched to twice the picture's size
  s.height = 16;
  s.x = 16;
  s.y = 24;

  const std::vector<uint16_t> plain = scene.render();
  const TSurface& out = scene.display.surface();
  EXPECT_EQ(out.row(24)[16], rgb565(255, 0, 0));
  EXPECT_EQ(out.row(39)[31], rgb565(255, 0, 0));
  EXPECT_EQ(out.row(39)[32], rgb565(0, 0, 255));
  EXPECT_EQ(out.row(39)[47], rgb565(0, 0, 255));
  EXPECT_EQ(out.row(40)[47], 0);

  // A full turn is no turn: only the low 8 bits of the angle count.
  s.angle = 256;
  EXPECT_EQ(scene.render(), plain);
  s.angle = -512;
  EXPECT_EQ(scene.render(), plain);

  // A quarter turn stands the picture up about its centre (32, 32).
  s.angle = 64;
  const std::vector<uint16_t> turned = scene.render();
  EXPECT_NE(turned, plain);
  EXPECT_EQ(out.row(32)[20], 0);  // the unturned picture's left end is empty now
  EXPECT_NE(out.row(20)[32], 0);  // and the column above the centre is covered

  // Blending is chosen below 255 for both the plain and the rotated form.
  s.alpha = 128;
  EXPECT_NE(scene.render(), turned);
  s.angle = 0;
  const std::vector<uint16_t> blended = scene.render();
  EXPECT_NE(blended, plain);
  EXPECT_NE(out.row(30)[20], 0);
  EXPECT_NE(out.row(30)[20], rgb565(255, 0, 0));
}

}  // namespace
}  // namespace mv
