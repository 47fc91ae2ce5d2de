#include <gtest/gtest.h>

#include <vector>

#include "WorldImages.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/FighterModels.h"
#include "game/world/BackSprite.h"
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

TEST_F(WorldLayersTest, MirrorModelsReversesWholeSheets) {
  TDXImageList models;
  scope.get().modelList = &models;
  // Two 4-pixel patterns per sheet: the left-facing sheet reverses the pixels and the pattern order. The
  // other fighter colours are mirrored as well, those the archive has ("Rose" is left out).
  for (std::string_view model : fighterModels())
    for (const char* pose : {"", "_Crouch", "_Dead", "_Headshot"}) {
      if (model == "Rose") continue;
      std::vector<uint32_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18};
      TPictureCollectionItem& right = models.Items.add();
      right.setName(std::string(model) + pose + "_R");
      right.PatternWidth = 4;
      right.setPicture(TPicture(8, 2, rgb));
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
