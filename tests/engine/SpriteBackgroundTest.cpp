#include <gtest/gtest.h>

#include "engine/BackgroundSprite.h"
#include "engine/DXDraw.h"
#include "engine/DXImageList.h"
#include "engine/SpriteEngine.h"

namespace mv {
namespace {

// A tile sheet of two 16x16 chips: 0 red, 1 blue (pictures hold 0x00RRGGBB).
TPicture tileSheet() {
  std::vector<uint32_t> rgb(32 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) rgb[y * 32 + x] = x < 16 ? 0xFF0000u : 0x0000FFu;
  return TPicture(32, 16, std::move(rgb));
}

struct Scene {
  Scene() {
    tiles.setPicture(tileSheet());
    tiles.PatternWidth = tiles.PatternHeight = 16;
    tiles.Transparent = false;
  }
  TPictureCollection pictures;
  TPictureCollectionItem& tiles = pictures.add();
  TSpriteEngine root;
};

TEST(SpriteBackground, MapSizeAndCellAccess) {
  TSpriteEngine root;
  TBackgroundSprite bg(&root);
  EXPECT_FALSE(bg.collidable);
  bg.setMapSize(3, 2);
  EXPECT_EQ(bg.chips, std::vector<int32_t>(6, 0));
  EXPECT_EQ(bg.collisionMap, std::vector<uint8_t>(6, 1));
  bg.chips[2 + 1 * 3] = 7;
  bg.collisionMap[2 + 1 * 3] = 0;
  EXPECT_EQ(bg.chip(2, 1), 7);
  EXPECT_FALSE(bg.cellSolid(2, 1));
  EXPECT_TRUE(bg.cellSolid(0, 0));
  for (auto [c, r] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(bg.chip(c, r), -1);
    EXPECT_FALSE(bg.cellSolid(c, r));
  }
  // The same size keeps the contents; a new size starts over.
  bg.setMapSize(3, 2);
  EXPECT_EQ(bg.chip(2, 1), 7);
  bg.setMapSize(2, 3);
  EXPECT_EQ(bg.chip(1, 2), 0);
  bg.setMapSize(5, 0);
  EXPECT_EQ(bg.mapWidth, 0);
  EXPECT_EQ(bg.mapHeight, 0);
  EXPECT_EQ(bg.chip(0, 0), -1);
  // A map resized behind our back by game code reads as outside, not out of bounds.
  bg.setMapSize(4, 4);
  bg.chips.resize(3);
  EXPECT_EQ(bg.chip(3, 3), -1);
}

TEST(SpriteBackground, BoundsFollowImageMapAndTiling) {
  Scene s;
  TSurface surface(200, 100);
  s.root.setSurface(&surface);
  TBackgroundSprite bg(&s.root);
  bg.setMapSize(5, 3);
  bg.x = -7.9;
  bg.y = 4;
  EXPECT_TRUE(bg.getBoundsRect().empty());  // no image: never drawn
  bg.image = &s.tiles;
  EXPECT_EQ(bg.getBoundsRect(), (TRect{-7, 4, -7 + 80, 4 + 48}));
  bg.tiled = true;
  EXPECT_EQ(bg.getBoundsRect(), s.root.surfaceRect());
}

TEST(SpriteBackground, CollisionWalksTouchedCellsIncludingTiledWrap) {
  Scene s;
  TSurface surface(200, 100);
  s.root.setSurface(&surface);
  TBackgroundSprite bg(&s.root);
  TSprite probe(&s.root);
  probe.width = probe.height = 4;

  // No image or no map: everything collides.
  EXPECT_TRUE(bg.testCollision(probe));
  bg.image = &s.tiles;
  EXPECT_TRUE(bg.testCollision(probe));

  bg.x = 10;
  bg.y = 20;
  bg.setMapSize(4, 3);
  std::fill(bg.collisionMap.begin(), bg.collisionMap.end(), 0);
  bg.collisionMap[2 + 1 * 4] = 1;  // cell (2, 1) spans x 42..58, y 36..52 in world pixels
  probe.x = 40;
  probe.y = 40;  // 40..44: touches cell (2, 1) by two columns
  EXPECT_TRUE(bg.testCollision(probe));
  probe.x = 38;  // 38..42: ends exactly where the cell begins
  EXPECT_FALSE(bg.testCollision(probe));
  probe.x = 58;  // starts exactly where the cell ends
  EXPECT_FALSE(bg.testCollision(probe));
  probe.x = 57;
  probe.y = 51;
  EXPECT_TRUE(bg.testCollision(probe));
  probe.x = 500;  // outside the map entirely
  EXPECT_FALSE(bg.testCollision(probe));

  // Tiled, the map repeats on every side: (-14, 4) local is cell (-1, 0) -> (3, 0). Only what is on
  // the surface counts, since a tiled map's bounds are the surface.
  bg.tiled = true;
  bg.x = 30;
  bg.collisionMap.assign(12, 0);
  bg.collisionMap[3 + 0 * 4] = 1;
  probe.x = 30 - 14;
  probe.y = 20 + 4;
  EXPECT_TRUE(bg.testCollision(probe));
  probe.x = 30 + 16;  // cell (1, 0)
  EXPECT_FALSE(bg.testCollision(probe));
  probe.x = 30 + 7 * 16 + 1;  // cell (7, 0) -> (3, 0)
  EXPECT_TRUE(bg.testCollision(probe));
}

TEST(SpriteBackground, DrawsOnlyChipsAndTiledCoversTheSurface) {
  TDXDraw display;
  display.Display.Width = 64;
  display.Display.Height = 40;
  TDXImageList list(&display);
  auto& tiles = list.Items.add();
  tiles.setPicture(tileSheet());
  tiles.PatternWidth = tiles.PatternHeight = 16;
  tiles.Transparent = false;
  display.initialize();
  ASSERT_TRUE(display.initialized());
  ASSERT_EQ(tiles.patternCount(), 2);

  TSpriteEngine root;
  root.setSurface(&display.surface());
  TSurface& surface = display.surface();
  const uint16_t red = rgb565(255, 0, 0), blue = rgb565(0, 0, 255);

  TBackgroundSprite bg(&root);
  bg.image = &tiles;
  bg.setMapSize(2, 1);
  bg.chips = {1, -1};  // the second cell is empty
  bg.x = 3;
  bg.y = 2;
  surface.fill(0);
  root.drawAll();
  EXPECT_EQ(root.drawCount(), 1);
  EXPECT_EQ(surface.row(2)[2], 0);
  EXPECT_EQ(surface.row(2)[3], blue);
  EXPECT_EQ(surface.row(17)[18], blue);
  EXPECT_EQ(surface.row(2)[19], 0);
  EXPECT_EQ(surface.row(18)[3], 0);

  // Tiled with a negative offset: every pixel is covered, the chips alternating by column.
  bg.tiled = true;
  bg.chips = {0, 1};
  bg.x = -21;  // column boundaries at -5, 11, 27, ...
  bg.y = -100;
  surface.fill(0x1234);
  root.drawAll();
  for (int y = 0; y < surface.height(); ++y)
    for (int x = 0; x < surface.width(); ++x) {
      const int col = (x + 21) / 16;
      ASSERT_EQ(surface.row(y)[x], col % 2 ? blue : red) << x << "," << y;
    }
}

}  // namespace
}  // namespace mv
