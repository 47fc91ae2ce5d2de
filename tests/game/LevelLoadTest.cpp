#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WorldImages.h"
#include "engine/draw/DXImageList.h"
#include "engine/archive/Picture.h"
#include "game/Globals.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "platform/Error.h"

namespace fs = std::filesystem;

namespace mv {
namespace {

char v(int value) {
  return static_cast<char>(value + 20);
}

// Runs in a fresh folder holding Maps/, Textures/ and Backgrounds/, with an image list whose first two
// entries are the level slots and a match to receive the respawn points.
class LevelLoadTest : public testing::Test {
 protected:
  LevelLoadTest() : previous_(fs::current_path()) {
    dir_ = fs::temp_directory_path() / ("mv-level-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Maps");
    fs::create_directories(dir_ / "Textures");
    fs::create_directories(dir_ / "Backgrounds");
    fs::current_path(dir_);
    saveBitmapFile(TPicture(64, 16, std::vector<uint32_t>(64 * 16, 0x336699)), "Textures/Tiles.bmp");
    saveJpegFile(TPicture(40, 30, std::vector<uint32_t>(40 * 30, 0x808080)), "Backgrounds/Sky.jpg");

    addTestImage(images, "LevelTexture", 16, 16);
    addTestImage(images, "LevelBackground", 8, 8);
    addTestImage(images, "Armor", 16, 16);
    scope.get().imageList = &images;
    scope.get().match = &match;
    scope.get().placePickup = [this](const std::string& kind, int32_t x, int32_t y) {
      pickups.push_back(kind + "@" + std::to_string(x) + "," + std::to_string(y));
    };
  }
  ~LevelLoadTest() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  std::string write(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream out("Maps/" + name + ".lvx", std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
    return "Maps/" + name + ".lvx";
  }
  // A 3 x 2 level with one tile in each layer, a solid row, a respawn point and a pick-up.
  std::vector<std::string> basic(const std::string& texture = "Tiles", const std::string& kind = "Armor") {
    return {"Test level",
            "",
            texture,
            "Sky",
            "3",
            "2",
            std::string{v(0), v(2), v(0)},
            std::string{v(0), v(0), v(0)},  // back
            std::string{v(0), v(0), v(3)},
            std::string{v(1), v(1), v(1)},  // collision
            std::string{v(0), v(0), v(0)},
            std::string{v(200), v(0), v(0)},  // front
            "Respawn",
            "16",
            "0",
            kind,
            "32",
            "-8",
            "Respawn",
            "0",
            "0",
            ""};
  }
  std::string errorLoading(const std::string& path) {
    try {
      loadLevel(path);
    } catch (const Error& e) {
      return e.what();
    }
    return "no error";
  }

  GlobalsScope scope;
  TDXImageList images;
  TMatch match;
  std::vector<std::string> pickups;

 private:
  fs::path previous_, dir_;
};

TEST_F(LevelLoadTest, BuildsGridLayersPointsPickupsAndPictures) {
  Grid& grid = scope.get().grid;
  // Leftovers of a previous, larger level, inside and outside the new map.
  grid.set(50, 50, CellSolid);
  grid.set(-3, 0, CellSolid);
  grid.set(1, 0, CellSolid);
  match.addRespawnPoint({999, 999});

  loadLevel(write("basic", basic()));

  EXPECT_EQ(grid.at(2, 0), CellLethal);
  EXPECT_EQ(grid.at(0, 1), CellSolid);
  EXPECT_EQ(grid.at(2, 1), CellSolid);
  EXPECT_EQ(grid.at(1, 0), CellEmpty);  // code 20 is an empty cell
  EXPECT_EQ(grid.at(50, 50), CellEmpty);
  EXPECT_EQ(grid.at(-3, 0), CellEmpty);

  ASSERT_TRUE(scope.get().backLayer);
  ASSERT_EQ(scope.get().backLayer->tileCount(), 1);
  EXPECT_EQ(scope.get().backLayer->tiles()[0].col, 1);
  EXPECT_EQ(scope.get().backLayer->tiles()[0].row, 0);
  EXPECT_EQ(scope.get().backLayer->tiles()[0].tile, 2);
  ASSERT_EQ(scope.get().frontLayer->tileCount(), 1);  // 200 is stored even though it never shows
  EXPECT_EQ(scope.get().frontLayer->tiles()[0].tile, 200);

  // The points replace the old ones; "Respawn" triples after a pick-up still count.
  ASSERT_EQ(match.respawnCount(), 2);
  EXPECT_EQ(match.respawnPoint(0), (TPoint{16, 0}));
  EXPECT_EQ(match.respawnPoint(1), (TPoint{0, 0}));
  EXPECT_EQ(pickups, (std::vector<std::string>{"Armor@32,-8"}));

  EXPECT_EQ(images.Items.item(0).picture().width(), 64);
  EXPECT_EQ(images.Items.item(1).picture().width(), 40);
  EXPECT_EQ(images.Items.item(1).picture().className(), "TJPEGImage");

  // A second level releases the first one's layers and replaces everything.
  const TBackSprite* oldBack = scope.get().backLayer.get();
  std::vector<std::string> next = basic();
  next[6] = std::string{v(5), v(6), v(7)};
  loadLevel(write("next", next));
  EXPECT_NE(scope.get().backLayer.get(), oldBack);
  EXPECT_EQ(scope.get().backLayer->tileCount(), 3);
  EXPECT_EQ(match.respawnCount(), 2);
}

TEST_F(LevelLoadTest, RefusedLevelsLeaveTheCurrentOneIntact) {
  loadLevel(write("good", basic()));
  const TBackSprite* back = scope.get().backLayer.get();
  const TPicture* before = &images.Items.item(0).picture();
  const int textureWidth = before->width();
  pickups.clear();

  auto unchanged = [&](const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(scope.get().backLayer.get(), back);
    EXPECT_EQ(scope.get().grid.at(2, 0), CellLethal);
    EXPECT_EQ(match.respawnCount(), 2);
    EXPECT_EQ(images.Items.item(0).picture().width(), textureWidth);
    EXPECT_TRUE(pickups.empty());
  };

  EXPECT_EQ(errorLoading("Maps/none.lvx"), "Cannot open file Maps/none.lvx");
  unchanged("missing file");
  EXPECT_EQ(errorLoading(write("tex", basic("NoSuchSheet"))), "Cannot open file Textures\\NoSuchSheet.bmp");
  unchanged("missing texture");
  // "respawn" is not "Respawn": it is a pick-up kind, and no image has that name.
  EXPECT_EQ(errorLoading(write("case", basic("Tiles", "respawn"))), "Image 'respawn' not found in Maps/case.lvx");
  unchanged("unknown pick-up");
  std::vector<std::string> badY = basic();
  badY[14] = "0x10";
  EXPECT_EQ(errorLoading(write("num", badY)), "'0x10' is not a valid integer value in Maps/num.lvx");
  unchanged("bad number");
  std::vector<std::string> big = basic();
  big[4] = "200";
  EXPECT_EQ(errorLoading(write("big", big)), "Map size 200 x 2 is outside 1 .. 116 cells in Maps/big.lvx");
  unchanged("oversized map");
}

TEST_F(LevelLoadTest, LargestMapHoldsEveryTileAndFillsTheGridEdgeToEdge) {
  std::vector<std::string> lines = {"", "", "Tiles", "Sky", "116", "116"};
  for (int i = 0; i < 3 * 116; ++i) lines.push_back(std::string(116, v(1)));
  lines.insert(lines.end(), {"Respawn", "0", "0"});
  loadLevel(write("huge", lines));
  EXPECT_EQ(scope.get().backLayer->tileCount(), 116 * 116);  // more than the old fixed store of 10001
  EXPECT_EQ(scope.get().frontLayer->tileCount(), 116 * 116);
  EXPECT_EQ(scope.get().grid.at(115, 115), CellSolid);
  EXPECT_EQ(scope.get().grid.at(0, 0), CellSolid);
  EXPECT_EQ(scope.get().grid.at(-1, 0), CellEmpty);
}

}  // namespace
}  // namespace mv
