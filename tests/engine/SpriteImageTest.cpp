#include <gtest/gtest.h>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/ImageSprite.h"
#include "engine/sprite/ImageSpriteEx.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"

namespace mv {
namespace {

TEST(SpriteImage, AnimationLoopsBothWaysAndOneShotsPark) {
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
  s.firstFrame = 8;
  EXPECT_EQ(s.drawFrame(), 11);
  s.frameSpeed = 0.25;  // frames per millisecond
  s.moveSelf(6);        // 5.0 -> 1.0, still running
  EXPECT_DOUBLE_EQ(s.framePos, 1);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0.25);

  s.frameLooped = false;
  s.frameCount = 6;
  s.frameSpeed = 0.5;
  s.framePos = 5;
  s.moveSelf(2);  // reaches 6.0: parks on frame 5
  EXPECT_DOUBLE_EQ(s.framePos, 5);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0);
  s.frameSpeed = -0.1;
  s.moveSelf(60);
  EXPECT_DOUBLE_EQ(s.framePos, 0);
  EXPECT_DOUBLE_EQ(s.frameSpeed, 0);
}

TEST(SpriteImage, BoundsWrapAroundAndBoxCollisions) {
  TSurface surface(100, 50);
  TSpriteEngine root;
  root.setSurface(&surface);
  TImageSprite s(&root);
  s.width = 10;
  s.height = 20;
  s.wrapAround = true;
  s.x = 250.7;  // 250 mod 110 = 30
  s.y = -5;     // -5 mod 70 = 65, past the bottom: -5
  EXPECT_EQ(s.getBoundsRect(), (TRect{30, -5, 40, 15}));
  s.x = 105;  // hangs in from the left
  s.y = 50;   // exactly on the bottom edge stays
  EXPECT_EQ(s.getBoundsRect(), (TRect{-5, 50, 5, 70}));

  // An Ex sprite is never culled, and collides by its own box; sharing an edge is not a hit.
  root.x = -1000;
  TImageSpriteEx a(&root), b(&root);
  a.width = a.height = b.width = b.height = 8;
  a.x = 5000;
  b.x = 5008;
  EXPECT_EQ(a.getBoundsRect(), root.surfaceRect());
  EXPECT_FALSE(a.testCollision(b));
  b.x = 5007.9;
  EXPECT_TRUE(a.testCollision(b));
  EXPECT_TRUE(b.testCollision(a));
  // The cheap look before a crowd's collision tests never turns a hit away: positions either side of
  // zero (truncation goes toward it), fractions, sizes from 0, and coordinates the box would pin.
  uint32_t random = 7;
  auto next = [&] { return (random = random * 1103515245u + 12345u) >> 8; };
  root.x = 0;
  int near = 0;
  for (int i = 0; i < 200000; ++i) {
    a.x = (static_cast<int>(next() % 4000) - 2000) / 100.0;
    a.y = (static_cast<int>(next() % 4000) - 2000) / 100.0;
    b.x = a.x + (static_cast<int>(next() % 6000) - 3000) / 100.0;
    b.y = a.y + (static_cast<int>(next() % 6000) - 3000) / 100.0;
    a.width = static_cast<int32_t>(next() % 12), a.height = static_cast<int32_t>(next() % 12);
    b.width = static_cast<int32_t>(next() % 12), b.height = static_cast<int32_t>(next() % 12);
    if (a.testCollision(b)) {
      ASSERT_TRUE(a.mayCollide(b)) << a.x << "," << a.y << " " << b.x << "," << b.y;
    }
    near += a.mayCollide(b);
  }
  EXPECT_LT(near, 200000 / 4) << "most far pairs are passed over";
  a.width = a.height = b.width = b.height = 8;
  a.x = 3e9, b.x = 5e9, a.y = b.y = 0;  // both pinned to the same pixel
  EXPECT_TRUE(a.testCollision(b));
  EXPECT_TRUE(a.mayCollide(b));
  root.x = -1000;
  // Pixel collision compares pattern rectangles only: the other's 4x4 pattern 20 pixels to the right
  // misses frame 0 of a strip of 16-pixel frames and meets frame 1.
  TPictureCollection pictures;
  auto& strip = pictures.add();
  strip.setPicture(TPicture(64, 16, std::vector<uint32_t>(64 * 16, 0xFFFFFF)));
  strip.PatternWidth = strip.PatternHeight = 16;
  auto& dot = pictures.add();
  dot.setPicture(TPicture(4, 4, std::vector<uint32_t>(16, 0xFFFFFF)));
  TImageSprite p(&root), q(&root);
  p.image = &strip;
  p.width = 21;   // pattern centred: (21 - 16) div 2 = 2
  p.height = 11;  // (11 - 16) div 2 = -2, toward zero
  EXPECT_EQ(p.drawRect(), (TRect{-998, -2, -977, 9}));
  q.image = &dot;
  q.width = q.height = 4;
  q.x = 2 + 20;
  q.y = -2;
  EXPECT_TRUE(p.testCollision(q));  // without pixelCollision everything collides
  p.pixelCollision = true;
  EXPECT_FALSE(p.testCollision(q));
  p.framePos = 1;
  EXPECT_TRUE(p.testCollision(q));
  p.framePos = 9;  // a frame the picture does not have meets nothing
  EXPECT_FALSE(p.testCollision(q));
}

TEST(SpriteImage, TurnedPicturesPassedByAsOffTheScreenDrawNothingThere) {
  // Every angle, the pivots of sprites (centre) and guns (a fifth from either end), sizes smaller and
  // larger than the picture, around every edge of a small surface.
  TDXDraw display;
  display.Display.Width = 32;
  display.Display.Height = 24;
  TDXImageList list(&display);
  auto& item = list.Items.add();
  item.setPicture(TPicture(40, 16, std::vector<uint32_t>(40 * 16, 0xFFFFFF)));
  display.initialize();
  TSurface& surface = display.surface();
  int passed = 0;
  for (int angle = 0; angle < 256; angle += 9)
    for (double pivot : {0.5, 0.2, 0.8})
      for (auto [w, h] : {std::pair{40, 16}, {16, 40}, {80, 6}, {3, 3}})
        for (int cy = -100; cy < 120; cy += 5)
          for (int cx = -110; cx < 140; cx += 7) {
            if (turnedMayShow(surface.clientRect(), cx, cy, w, h)) continue;
            ++passed;
            surface.fill(0);
            item.drawRotate(surface, cx, cy, w, h, 0, pivot, 0.5, angle);
            for (int y = 0; y < 24; ++y)
              for (int x = 0; x < 32; ++x) ASSERT_EQ(surface.row(y)[x], 0) << cx << "," << cy << " " << angle;
          }
  EXPECT_GT(passed, 50000);
}

TEST(SpriteImage, ExSpriteStretchesRotatesAndBlends) {
  TDXDraw display;
  display.Display.Width = display.Display.Height = 64;
  TDXImageList list(&display);
  auto& item = list.Items.add();
  std::vector<uint32_t> rgb(16 * 8);
  for (int i = 0; i < 16 * 8; ++i) rgb[i] = i % 16 < 8 ? 0xFF0000u : 0x0000FFu;  // red | blue
  item.setPicture(TPicture(16, 8, std::move(rgb)));
  display.initialize();
  TSpriteEngine root;
  root.setSurface(&display.surface());
  const TSurface& out = display.surface();
  auto render = [&] {
    display.surface().fill(0);
    root.drawAll();
    return std::vector<uint16_t>(out.pixels(), out.pixels() + 64 * 64);
  };

  TImageSpriteEx s(&root);
  EXPECT_EQ(render(), std::vector<uint16_t>(64 * 64, 0));  // no picture: skipped, not dereferenced
  s.image = &item;
  s.width = 32;  // twice the picture's size
  s.height = 16;
  s.x = 16;
  s.y = 24;
  const auto plain = render();
  EXPECT_EQ(out.row(39)[31], rgb565(255, 0, 0));
  EXPECT_EQ(out.row(39)[32], rgb565(0, 0, 255));
  EXPECT_EQ(out.row(40)[47], 0);
  // Only the low 8 bits of the angle count.
  s.angle = 256;
  EXPECT_EQ(render(), plain);
  s.angle = -512;
  EXPECT_EQ(render(), plain);
  // A quarter turn stands the picture up about its centre (32, 32).
  s.angle = 64;
  const auto turned = render();
  EXPECT_EQ(out.row(32)[20], 0);
  EXPECT_NE(out.row(20)[32], 0);
  // Below 255 both forms blend.
  s.alpha = 128;
  EXPECT_NE(render(), turned);
  s.angle = 0;
  render();
  EXPECT_NE(out.row(30)[20], 0);
  EXPECT_NE(out.row(30)[20], rgb565(255, 0, 0));
}

}  // namespace
}  // namespace mv
