#include <gtest/gtest.h>

#include "engine/sprite/BackgroundSprite.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"

namespace mv {
namespace {

// A 32x16 tile sheet of two 16x16 chips: 0 red, 1 blue (pictures hold 0x00RRGGBB), on a display.
struct Scene {
  Scene() {
    display.Display.Width = 64;
    display.Display.Height = 40;
    std::vector<uint32_t> rgb(32 * 16);
    for (int i = 0; i < 32 * 16; ++i) rgb[i] = i % 32 < 16 ? 0xFF0000u : 0x0000FFu;
    tiles.setPicture(TPicture(32, 16, std::move(rgb)));
    tiles.PatternWidth = tiles.PatternHeight = 16;
    tiles.Transparent = false;
    display.initialize();
    root.setSurface(&display.surface());
  }
  TDXDraw display;
  TDXImageList list{&display};
  TPictureCollectionItem& tiles = list.Items.add();
  TSpriteEngine root;
  TBackgroundSprite bg{&root};
};

TEST(SpriteBackground, MapCellsAndBounds) {
  Scene s;
  TBackgroundSprite& bg = s.bg;
  bg.setMapSize(3, 2);
  EXPECT_EQ(bg.chips, std::vector<int32_t>(6, 0));
  EXPECT_EQ(bg.collisionMap, std::vector<uint8_t>(6, 1));  // a new map is solid throughout
  bg.chips[2 + 1 * 3] = 7;
  EXPECT_EQ(bg.chip(2, 1), 7);
  EXPECT_EQ(bg.chip(3, 0), -1);
  EXPECT_FALSE(bg.cellSolid(0, 2));
  bg.setMapSize(3, 2);  // same size keeps the contents
  EXPECT_EQ(bg.chip(2, 1), 7);
  bg.chips.resize(2);  // shrunk behind the map's back by game code: outside, not out of bounds
  EXPECT_EQ(bg.chip(2, 1), -1);

  bg.x = -7.9;
  bg.y = 4;
  EXPECT_TRUE(bg.getBoundsRect().empty());  // without a picture it is never drawn
  bg.image = &s.tiles;
  EXPECT_EQ(bg.getBoundsRect(), (TRect{-7, 4, -7 + 48, 4 + 32}));
  bg.tiled = true;
  EXPECT_EQ(bg.getBoundsRect(), s.root.surfaceRect());
  bg.setMapSize(5, 0);
  EXPECT_EQ(bg.mapWidth, 0);
  TSprite other(&s.root);
  EXPECT_TRUE(bg.testCollision(other));  // an empty map collides with everything
}

TEST(SpriteBackground, CollisionVisitsTouchedCellsAndWrapsWhenTiled) {
  Scene s;
  TBackgroundSprite& bg = s.bg;
  bg.image = &s.tiles;
  bg.x = 10;
  bg.y = 10;
  bg.setMapSize(4, 2);
  bg.collisionMap.assign(8, 0);
  bg.collisionMap[2 + 1 * 4] = 1;  // cell (2, 1) covers x 42..58, y 26..42 of the world
  TSprite probe(&s.root);
  probe.width = probe.height = 4;
  probe.y = 30;
  for (auto [x, hit] : {std::pair{40, true}, {38, false}, {58, false}, {57, true}, {500, false}}) {
    probe.x = x;
    EXPECT_EQ(bg.testCollision(probe), hit) << x;
  }
  // Tiled, the map repeats on every side; only what lies on the surface counts.
  bg.tiled = true;
  bg.collisionMap.assign(8, 0);
  bg.collisionMap[3] = 1;  // cell (3, 0), and so (-1, 0), (7, 0), ...
  probe.y = 12;
  for (auto [x, hit] : {std::pair{10 - 14, false}, {10 - 12, true}, {10 + 16, false}, {10 + 48, true}}) {
    probe.x = x;
    EXPECT_EQ(bg.testCollision(probe), hit) << x;
  }
}

TEST(SpriteBackground, DrawsChipsAndTiledCoversTheSurface) {
  Scene s;
  TBackgroundSprite& bg = s.bg;
  TSurface& out = s.display.surface();
  const uint16_t red = rgb565(255, 0, 0), blue = rgb565(0, 0, 255);
  bg.image = &s.tiles;
  bg.setMapSize(2, 1);
  bg.chips = {1, -1};  // the second cell is empty
  bg.x = 3;
  bg.y = 2;
  s.root.drawAll();
  EXPECT_EQ(out.row(2)[2], 0);
  EXPECT_EQ(out.row(2)[3], blue);
  EXPECT_EQ(out.row(17)[18], blue);
  EXPECT_EQ(out.row(2)[19], 0);

  // Tiled with an offset far to the upper left: every pixel is covered, chips alternating by column.
  bg.tiled = true;
  bg.chips = {0, 1};
  bg.x = -21;
  bg.y = -1000;
  s.root.drawAll();
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) ASSERT_EQ(out.row(y)[x], (x + 21) / 16 % 2 ? blue : red) << x;
}

}  // namespace
}  // namespace mv
