#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "WorldImages.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/FighterModels.h"
#include "game/world/BackSprite.h"
#include "game/world/Backdrop.h"
#include "game/world/Level.h"
#include "game/world/ScrollBackGround.h"
#include "platform/Error.h"

namespace mv {
namespace {

uint16_t packed(uint32_t rgb) {
  return rgb565(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// An 800 x 600 display in memory with the level's two image slots and a sprite root drawing on it.
class WorldLayersTest : public testing::Test {
 protected:
  WorldLayersTest() {
    display.initialize();
    images.setDXDraw(&display);
    root.setSurface(&display.surface());
    scope.get().imageList = &images;
    scope.get().spriteEngine = &root;
  }
  uint16_t at(int x, int y) { return display.surface().row(y)[x]; }

  GlobalsScope scope;
  TDXDraw display;
  TDXImageList images;
  TSpriteEngine root;
};

TEST_F(WorldLayersTest, TilesFollowTheCameraAndSignedPatternIndices) {
  // Pattern p is filled with 0x102030 * (p + 1); 201 patterns, so that a tile of 200 read unsigned would
  // find a pattern to draw.
  TPictureCollectionItem& sheet = addTestImage(images, "Tiles", 16, 16, 201);
  sheet.restore();
  addTestImage(images, "Back", 8, 8).restore();

  TBackSprite layer;
  layer.addTile(3, 3, 0);  // empty cells are never stored
  EXPECT_EQ(layer.tileCount(), 0);
  layer.drawTiles();  // an empty layer draws nothing
  EXPECT_EQ(at(0, 0), 0);

  layer.addTile(10, 0, 1);
  layer.addTile(11, 0, 200);  // stored, but a negative pattern as a signed byte: never drawn
  layer.addTile(12, 1, 3);
  layer.addTile(13, 0, 127);  // the last drawable value
  EXPECT_EQ(layer.tileCount(), 4);
  root.x = -160;
  layer.drawTiles();
  EXPECT_EQ(at(0, 0), packed(0x204060));  // cell (10, 0) at screen x 0
  EXPECT_EQ(at(15, 15), packed(0x204060));
  EXPECT_EQ(at(16, 0), 0);                  // tile 200
  EXPECT_EQ(at(32, 16), packed(0x4080C0));  // cell (12, 1)
  EXPECT_EQ(at(48, 0), packed(0x102030u * 128 & 0xFFFFFF));
  // Fractional camera positions truncate.
  display.surface().fill(0);
  root.x = -160.9;
  root.y = 0.9;
  layer.drawTiles();
  EXPECT_EQ(at(0, 0), packed(0x204060));
  EXPECT_EQ(at(0, 16), 0);
}

TEST_F(WorldLayersTest, BackgroundCoversTheScreenFromTheTopLeftWhateverTheCamera) {
  addTestImage(images, "Tiles", 16, 16).restore();
  // A 150 x 130 picture whose every pixel tells where it came from.
  std::vector<uint32_t> rgb(150 * 130);
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 150; ++x) rgb[static_cast<size_t>(y * 150 + x)] = (x << 16) | (y << 8) | 0x80;
  TPictureCollectionItem& picture = images.Items.add();
  picture.setName("Background");
  picture.Transparent = false;
  picture.setPicture(TPicture(150, 130, rgb));
  picture.restore();

  auto* background = new TScrollBackGround(&root);
  root.x = -1234;
  root.y = 567;
  EXPECT_TRUE(background->getBoundsRect().empty());  // the engine's pass never draws it
  root.drawAll();
  EXPECT_EQ(at(400, 300), 0);
  background->drawSelf();
  for (int y = 0; y < 600; y += 7)
    for (int x = 0; x < 800; x += 3)
      ASSERT_EQ(at(x, y), packed(rgb[static_cast<size_t>(y % 130 * 150 + x % 150)]));
  EXPECT_EQ(at(799, 599), packed(rgb[static_cast<size_t>(599 % 130 * 150 + 799 % 150)]));
}

TEST_F(WorldLayersTest, BackdropDrawsWhatTheBackgroundAndEveryTileDrawInTurn) {
  // Sheets of cell size (drawn in bands, the background left out under whole tiles), taller and wider
  // ones (tiles overlap their neighbours, so the order counts) and smaller ones. Patterns 0 .. 3 fill
  // their cell, 4 .. 6 have holes of the colour key (black); tiles 7 and 8 have no pattern.
  for (auto [w, h] : {std::pair{16, 16}, {24, 20}, {8, 12}}) {
    images.Items.clear();
    std::vector<uint32_t> rgb(static_cast<size_t>(w * 7 * h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w * 7; ++x)
        rgb[static_cast<size_t>(y * w * 7 + x)] = x / w >= 4 && (x + y) % 3 == 0 ? 0 : 0x102030u * (x / w + 1) + x % w;
    TPictureCollectionItem& sheet = images.Items.add();
    sheet.PatternWidth = w;
    sheet.PatternHeight = h;
    sheet.setPicture(TPicture(w * 7, h, std::move(rgb)));
    sheet.restore();
    TPictureCollectionItem& picture = images.Items.add();
    picture.Transparent = false;
    picture.setPicture(TPicture(150, 130, std::vector<uint32_t>(150 * 130, 0x405060)));
    picture.restore();
    auto* background = new TScrollBackGround(&root);
    TBackSprite layer;
    std::mt19937 random(static_cast<uint32_t>(w));
    for (int row = -3; row < 70; ++row)
      for (int col = -3; col < 90; ++col)
        if (random() % 4) layer.addTile(col, row, static_cast<uint8_t>(random() % 9));
    for (auto [cx, cy] : {std::pair{0.0, 0.0}, {-160.9, 0.9}, {-300.0, -200.0}, {37.0, 23.0}, {-7.5, -8.25},
                          {-1291.0, -965.0}, {5000.0, -5000.0}}) {
      root.x = cx;
      root.y = cy;
      TSurface& screen = display.surface();
      screen.fill(0x1234);
      background->drawSelf();
      for (const PlacedTile& t : layer.tiles())
        sheet.draw(screen, static_cast<int>(cx) + 16 * t.col, static_cast<int>(cy) + 16 * t.row,
                   static_cast<int8_t>(t.tile));
      const std::vector<uint16_t> expected(screen.pixels(), screen.pixels() + 800 * 600);
      screen.fill(0x4321);
      drawBackdrop(background, &layer);
      ASSERT_TRUE(std::equal(expected.begin(), expected.end(), screen.pixels())) << w << "x" << h << " at " << cx << "," << cy;
    }
    delete background;
  }
}

TEST_F(WorldLayersTest, MirrorModelsReversesWholeSheets) {
  TDXImageList models;
  scope.get().modelList = &models;
  // Two 4-pixel patterns per sheet: the left-facing sheet reverses the pixels and the pattern order. The
  // other fighter colours are mirrored as well, those the archive has ("Rose" is left out).
  for (std::string_view model : fighterModels())
    for (const char* pose : {"", "_Crouch", "_Dead", "_Headshot"}) {
      if (model == "Rose") continue;
      TPictureCollectionItem& right = models.Items.add();
      right.setName(std::string(model) + pose + "_R");
      right.PatternWidth = 4;
      right.setPicture(TPicture(8, 2, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}));
      models.Items.add().setName(std::string(model) + pose + "_L");
    }
  mirrorModels();
  for (const char* name : {"Doom_Dead_L", "Frost_L", "Crimson_Headshot_L"}) {
    const TPicture& left = models.Items.find(name).picture();
    ASSERT_EQ(left.width(), 8) << name;
    EXPECT_EQ(left.pixels(), (std::vector<uint32_t>{8, 7, 6, 5, 4, 3, 2, 1, 18, 17, 16, 15, 14, 13, 12, 11}));
  }
  EXPECT_EQ(models.Items.find("Doom_R").picture().pixel(0, 0), 1u);  // the right-facing one is untouched

  // A missing left-facing entry is the image-not-found error.
  TDXImageList incomplete;
  scope.get().modelList = &incomplete;
  addTestImage(incomplete, "Doom_R", 4, 4);
  try {
    mirrorModels();
    FAIL() << "no error without Doom_L";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Image 'Doom_L' not found");
  }
}

}  // namespace
}  // namespace mv
