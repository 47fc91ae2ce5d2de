#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WorldImages.h"
#include "engine/archive/Picture.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "platform/Error.h"

namespace fs = std::filesystem;

namespace mv {
namespace {

// Levels whose pick-ups go through the real seam into the sprite tree.
class PickupLoadTest : public testing::Test {
 protected:
  PickupLoadTest() : previous_(fs::current_path()) {
    dir_ = fs::temp_directory_path() / ("mv-pickups-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Maps");
    fs::create_directories(dir_ / "Textures");
    fs::create_directories(dir_ / "Backgrounds");
    fs::current_path(dir_);
    saveBitmapFile(TPicture(32, 16, std::vector<uint32_t>(32 * 16, 0x336699)), "Textures/Tiles.bmp");
    saveJpegFile(TPicture(40, 30, std::vector<uint32_t>(40 * 30, 0x808080)), "Backgrounds/Sky.jpg");
    addTestImage(images, "LevelTexture", 16, 16);
    addTestImage(images, "LevelBackground", 8, 8);
    for (const char* kind : {"Armor", "Health25", "Ammo3", "Weapon7Item", "Ammo9", "Weapon8Item", "WeaponX"})
      addTestImage(images, kind, 16, 16, 2);
    Globals& g = scope.get();
    g.imageList = &images;
    g.spriteEngine = &root;
    g.match = &match;
    g.placePickup = placeLevelPickup;
  }
  ~PickupLoadTest() override {
    root.clear();
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  // A 2 x 1 level of one solid cell and one empty one, with the given objects (kind, x, y each).
  std::string write(const std::string& name, const std::vector<std::string>& objects) {
    std::ofstream out("Maps/" + name + ".lvx", std::ios::binary);
    std::vector<std::string> lines = {"", "", "Tiles", "Sky", "2", "1", "\x14\x14", "\x15\x14", "\x14\x14"};
    lines.insert(lines.end(), objects.begin(), objects.end());
    lines.push_back("");
    for (const std::string& line : lines) out << line << "\r\n";
    return "Maps/" + name + ".lvx";
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
  TSpriteEngine root;

 private:
  fs::path previous_, dir_;
};

TEST_F(PickupLoadTest, PickupsJoinTheTreeAndKindsBeyondTheWeaponTablesRefuseTheLevel) {
  loadLevel(write("good", {"Health25", "32", "-8", "Respawn", "16", "0"}));
  ASSERT_EQ(root.count(), 1);
  auto* pack = dynamic_cast<TItem*>(root.item(0));
  ASSERT_TRUE(pack);
  EXPECT_EQ(pack->kind, "Health25");
  EXPECT_EQ(pack->x, 32);
  EXPECT_EQ(pack->baseY, -8);
  EXPECT_FALSE(pack->dropped);
  const TBackSprite* back = scope.get().backLayer.get();

  struct Case {
    const char* kind;
    const char* message;
  } cases[] = {
      {"Ammo9", "'9' is not a valid integer value"},
      {"Weapon8Item", "'8' is not a valid integer value"},
      {"WeaponX", "'X' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    // The bad kind comes last, after a good pick-up and a respawn point: still nothing changes.
    const std::string path =
        write("bad", {"Armor", "0", "0", "Respawn", "1", "1", "Respawn", "2", "2", c.kind, "0", "0"});
    EXPECT_EQ(errorLoading(path), c.message + (" in " + path));
    EXPECT_EQ(root.count(), 1);
    EXPECT_EQ(scope.get().backLayer.get(), back);
    EXPECT_EQ(scope.get().grid.at(0, 0), CellSolid);
    EXPECT_EQ(match.respawnCount(), 1);
  }
}

}  // namespace
}  // namespace mv
