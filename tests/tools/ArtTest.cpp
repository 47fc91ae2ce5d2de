// The generated pictures: every image the game looks up is in its archive with the pattern count the
// game relies on, the fighter's pictures fit its hit box and weapon grip, nothing drawn turns into a
// hole under the colour key, and the generator gives the same bytes on every run.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "engine/archive/Picture.h"
#include "engine/archive/PictureCollection.h"
#include "engine/draw/Surface.h"
#include "game/combatants/FighterModels.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kKey = 0xFF00FF;  // fuchsia, 0x00RRGGBB

uint16_t to565(uint32_t rgb) {
  return rgb565((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

struct Pattern {
  const TPicture* picture;
  int left, top, width, height;
  uint32_t at(int x, int y) const { return picture->pixel(left + x, top + y); }
  bool opaque(int x, int y) const { return at(x, y) != kKey; }
  bool anyOpaque() const {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (opaque(x, y)) return true;
    return false;
  }
  bool rowHasOpaque(int y) const {
    for (int x = 0; x < width; ++x)
      if (opaque(x, y)) return true;
    return false;
  }
};

Pattern patternOf(const TPictureCollectionItem& item, int index) {
  int cols = item.picture().width() / item.width();
  return {&item.picture(), index % cols * item.width(), index / cols * item.height(), item.width(),
          item.height()};
}

class ArtArchives : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    graphics_ = new TPictureCollection;
    models_ = new TPictureCollection;
    graphics_->loadFromFile("SYSTEM/graphics.dat");
    models_->loadFromFile("SYSTEM/models.dat");
  }
  static void TearDownTestSuite() {
    delete graphics_;
    delete models_;
  }
  static TPictureCollection* graphics_;
  static TPictureCollection* models_;
};
TPictureCollection* ArtArchives::graphics_ = nullptr;
TPictureCollection* ArtArchives::models_ = nullptr;

TEST_F(ArtArchives, EveryImageTheGameLooksUpHasItsPatterns) {
  // Pattern counts the game depends on; 0 means "at least one".
  std::map<std::string, int> wanted{{"BackMenu", 1},     {"Cursor", 5},       {"Edit", 2},
                                    {"CheckBox", 2},     {"ListBox", 1},      {"ListBoxSelected", 1},
                                    {"ScrollBar", 5},    {"WeapNoneList", 1}, {"WeapGotList", 8},
                                    {"WeapSelected", 1}, {"Health25", 0},     {"Health200", 0},
                                    {"Armor", 0},        {"Scull", 1},        {"Laser", 1},
                                    {"AdvLaser", 1},     {"Plasma", 1},       {"Shot", 1},
                                    {"Rocket", 4},       {"Redeemer", 3},     {"Flak", 1},
                                    {"Disk", 1},         {"SmallRico", 0},    {"RickoEnergo", 0},
                                    {"Rickoshet", 0},    {"Explosion", 0},    {"RedeemerExplo", 0},
                                    {"RocketFlame", 0},  {"RespawnAnim", 0},  {"MeatBlood", 6},
                                    {"EarthBlood", 1},   {"DoubleKill", 0},   {"TripleKill", 0},
                                    {"Impressive", 0},   {"LaserPoint", 1}};
  for (int w = 0; w < 8; ++w) {
    wanted["Weapon" + std::to_string(w)] = 2;
    wanted["Weapon" + std::to_string(w) + "Item"] = 0;
    wanted["Ammo" + std::to_string(w)] = 0;
  }
  for (const auto& [name, count] : wanted) {
    SCOPED_TRACE(name);
    TPictureCollectionItem* item = graphics_->findOrNull(name);
    ASSERT_NE(item, nullptr);
    if (count > 0) {
      EXPECT_EQ(item->patternCount(), count);
    }
    EXPECT_GE(item->patternCount(), 1);
  }
  // One-shot animations end on their last frame, so a single frame would never be seen.
  for (const char* name :
       {"SmallRico", "RickoEnergo", "Rickoshet", "Explosion", "RedeemerExplo", "RocketFlame", "RespawnAnim"})
    EXPECT_GE(graphics_->find(name).patternCount(), 2) << name;

  // The level's two slots come first: 16 x 16 keyed tiles, then an opaque background.
  EXPECT_EQ(graphics_->item(0).PatternWidth, 16);
  EXPECT_EQ(graphics_->item(0).PatternHeight, 16);
  EXPECT_TRUE(graphics_->item(0).Transparent);
  EXPECT_EQ(graphics_->item(0).transparentColor(), kKey);
  EXPECT_FALSE(graphics_->item(1).Transparent);
  EXPECT_FALSE(graphics_->find("BackMenu").Transparent);
}

TEST_F(ArtArchives, HudPicturesFitTheirSlots) {
  // Eight slots 38 pixels apart on 20-pixel rows; the symbols sit left of their numbers (25 pixels on).
  EXPECT_EQ(graphics_->find("WeapNoneList").width(), 8 * 38);
  EXPECT_EQ(graphics_->find("WeapGotList").width(), 38);
  EXPECT_EQ(graphics_->find("WeapSelected").width(), 38);
  for (const char* name : {"Health25", "Armor", "Scull", "Ammo0", "Ammo7"}) {
    EXPECT_LE(graphics_->find(name).width(), 20) << name;
    EXPECT_LE(graphics_->find(name).height(), 20) << name;
  }
  // The check box's click square is 17 pixels; the scroll bar's arrows are 16-pixel squares.
  EXPECT_EQ(graphics_->find("CheckBox").width(), 17);
  EXPECT_EQ(graphics_->find("ScrollBar").width(), 16);
  EXPECT_EQ(graphics_->find("ScrollBar").height(), 16);
  // The level list shows ten rows 20 pixels apart from 5 pixels down.
  EXPECT_GE(graphics_->find("ListBox").height(), 5 + 10 * 20);
}

TEST_F(ArtArchives, FighterPicturesFitItsGeometry) {
  const auto& walk = models_->find("Doom_R");
  const auto& crouch = models_->find("Doom_Crouch_R");
  EXPECT_EQ(walk.width(), 32);
  EXPECT_EQ(walk.height(), 46);
  EXPECT_EQ(crouch.width(), 32);
  EXPECT_EQ(crouch.height(), 46 - 13);
  EXPECT_GE(walk.patternCount(), 2);
  EXPECT_GE(crouch.patternCount(), 2);
  for (const TPictureCollectionItem* item : {&walk, &crouch})
    for (int i = 0; i < item->patternCount(); ++i) {
      SCOPED_TRACE(item->Name + " frame " + std::to_string(i));
      Pattern p = patternOf(*item, i);
      // Feet on the bottom row, the helmet at the top (the head zone is the top 10 pixels), the body
      // inside the 22-pixel hit box, and a hand at the weapon's grip 16 pixels down the middle.
      EXPECT_TRUE(p.rowHasOpaque(p.height - 1));
      EXPECT_TRUE(p.rowHasOpaque(1));
      for (int y = 0; y < p.height; ++y) {
        EXPECT_FALSE(p.opaque(4, y));
        EXPECT_FALSE(p.opaque(27, y));
      }
      EXPECT_TRUE(p.opaque(16, 16) || p.opaque(17, 16));
    }
  // Corpses: the same height, their last frame lying on the floor line.
  for (const char* name : {"Doom_Dead_R", "Doom_Headshot_R"}) {
    const auto& dead = models_->find(name);
    EXPECT_EQ(dead.height(), 46) << name;
    Pattern last = patternOf(dead, dead.patternCount() - 1);
    EXPECT_TRUE(last.rowHasOpaque(last.height - 1)) << name;
    EXPECT_FALSE(last.rowHasOpaque(10)) << name << " should lie down by its last frame";
  }
  const auto& gibs = models_->find("Doom_Gibs");
  EXPECT_EQ(gibs.patternCount(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(patternOf(gibs, i).anyOpaque()) << "gib " << i;
}

TEST_F(ArtArchives, LeftFacingPicturesMirrorTheRightOnes) {
  for (std::string_view model : fighterModels())
    for (const std::string pose : {"", "_Crouch", "_Dead", "_Headshot"}) {
      SCOPED_TRACE(std::string(model) + pose);
      const auto& right = models_->find(std::string(model) + pose + "_R");
      const auto& left = models_->find(std::string(model) + pose + "_L");
      ASSERT_EQ(left.width(), right.width());
      ASSERT_EQ(left.height(), right.height());
      EXPECT_EQ(left.picture().pixels(), right.picture().mirrored().pixels());
    }
  // Held weapons: pattern 0 faces left, pattern 1 right, and the grip at one fifth of the width from the
  // back end is on the gun.
  for (int w = 0; w < 8; ++w) {
    SCOPED_TRACE(w);
    const auto& gun = graphics_->find("Weapon" + std::to_string(w));
    Pattern left = patternOf(gun, 0), right = patternOf(gun, 1);
    for (int y = 0; y < gun.height(); ++y)
      for (int x = 0; x < gun.width(); ++x) ASSERT_EQ(left.at(x, y), right.at(gun.width() - 1 - x, y));
    int gx = gun.width() / 5, gy = gun.height() / 2;
    EXPECT_TRUE(right.opaque(gx, gy) || right.opaque(gx + 1, gy) || right.opaque(gx, gy + 1));
    // The muzzle end reaches past the fighter's side: more of the gun lies ahead of the grip.
    EXPECT_TRUE(right.rowHasOpaque(gy));
  }
}

// Every colour of the fighter is the same fighter: each pose and side, the gibs too, with the classic
// model's pattern sizes and counts and its very silhouette, so hit boxes, pixel collisions and the
// corpse's fall do not depend on the colours worn. And the colours do differ, armour most of all.
TEST_F(ArtArchives, EveryFighterColourHasThePicturesAndShapeOfTheClassicOne) {
  std::set<uint32_t> armourColours;
  for (std::string_view model : fighterModels()) {
    for (const std::string suffix : {"_R", "_L", "_Crouch_R", "_Crouch_L", "_Dead_R", "_Dead_L",
                                     "_Headshot_R", "_Headshot_L", "_Gibs"}) {
      SCOPED_TRACE(std::string(model) + suffix);
      const auto* item = models_->findOrNull(std::string(model) + suffix);
      ASSERT_NE(item, nullptr);
      const auto& classic = models_->find(std::string(kClassicModel) + suffix);
      ASSERT_EQ(item->width(), classic.width());
      ASSERT_EQ(item->height(), classic.height());
      ASSERT_EQ(item->patternCount(), classic.patternCount());
      ASSERT_EQ(item->picture().width(), classic.picture().width());
      const auto& mine = item->picture().pixels();
      const auto& theirs = classic.picture().pixels();
      ASSERT_EQ(mine.size(), theirs.size());
      int differ = 0;
      for (size_t i = 0; i < mine.size(); ++i) {
        ASSERT_EQ(mine[i] == kKey, theirs[i] == kKey) << "pixel " << i;
        differ += mine[i] != theirs[i];
      }
      if (model != kClassicModel) {
        EXPECT_GT(differ, 0);
      }
    }
    // The chest plate of the standing frame, a few pixels right of the middle line.
    armourColours.insert(patternOf(models_->find(std::string(model) + "_R"), 0).at(19, 19) >> 4 & 0x0F0F0F);
  }
  EXPECT_EQ(armourColours.size(), fighterModels().size());
}

TEST_F(ArtArchives, NothingDrawnFallsOnTheColourKey) {
  for (TPictureCollection* archive : {graphics_, models_})
    for (int i = 0; i < archive->count(); ++i) {
      const auto& item = archive->item(i);
      if (!item.Transparent) continue;
      SCOPED_TRACE(item.Name);
      EXPECT_EQ(item.transparentColor(), kKey);
      int clashes = 0;
      for (uint32_t p : item.picture().pixels()) clashes += p != kKey && to565(p) == to565(kKey);
      EXPECT_EQ(clashes, 0);
      // No frame is left empty (a blank frame shows as a flicker).
      for (int k = 0; k < item.patternCount(); ++k)
        EXPECT_TRUE(patternOf(item, k).anyOpaque()) << "pattern " << k;
    }
}

TEST(ArtFiles, TileSheetsAndBackgroundsLoad) {
  for (const char* name : {"metal", "rock", "tech", "hazard"}) {
    SCOPED_TRACE(name);
    TPicture sheet = loadPictureFile(std::string("Textures/") + name + ".bmp");
    ASSERT_EQ(sheet.width(), 256);
    ASSERT_EQ(sheet.height(), 128);
    TPictureCollection holder;
    auto& item = holder.add();
    item.PatternWidth = item.PatternHeight = 16;
    item.setPicture(sheet);
    ASSERT_EQ(item.patternCount(), 128);
    for (int k = 1; k < 128; ++k) EXPECT_TRUE(patternOf(item, k).anyOpaque()) << "tile " << k;
    // Solid blocks have no holes; a platform's walking surface is on its top row with air below it.
    for (int k = 1; k <= 15; ++k) {
      Pattern p = patternOf(item, k);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_TRUE(p.opaque(x, y)) << "tile " << k;
    }
    for (int k = 16; k <= 23; ++k) {
      Pattern p = patternOf(item, k);
      EXPECT_TRUE(p.opaque(8, 0)) << "tile " << k;
      EXPECT_FALSE(p.rowHasOpaque(15)) << "tile " << k;
    }
  }
  // A backdrop for every sheet, and the two levels with one of their own.
  for (const char* name : {"metal", "rock", "tech", "hazard", "foundry", "arena"}) {
    TPicture back = loadPictureFile(std::string("Backgrounds/") + name + ".jpg");
    EXPECT_GE(back.width(), 800) << name;
    EXPECT_GE(back.height(), 600) << name;
  }
}

std::map<std::string, std::string> filesUnder(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[fs::relative(entry.path(), root).string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  return files;
}

TEST(ArtFiles, GenerationIsRepeatableAndLeavesUnchangedFilesAlone) {
  fs::path mkdata = fs::path(MASHVOLT_GAME_DIR).parent_path() / "tools" / "mkdata";
  ASSERT_TRUE(fs::exists(mkdata)) << mkdata;
  fs::path a = fs::temp_directory_path() / "mv_art_test_a", b = fs::temp_directory_path() / "mv_art_test_b";
  fs::remove_all(a);
  fs::remove_all(b);
  ASSERT_EQ(std::system((mkdata.string() + " " + a.string()).c_str()), 0);
  ASSERT_EQ(std::system((mkdata.string() + " " + b.string()).c_str()), 0);
  auto first = filesUnder(a), second = filesUnder(b);
  EXPECT_GE(first.size(), 14u);
  EXPECT_EQ(first.size(), second.size());
  for (const auto& [name, bytes] : first)
    EXPECT_TRUE(second[name] == bytes) << name << " differs between runs";

  auto stamp = fs::last_write_time(a / "SYSTEM" / "graphics.dat");
  fs::last_write_time(a / "SYSTEM" / "graphics.dat", stamp - std::chrono::hours(1));
  ASSERT_EQ(std::system((mkdata.string() + " " + a.string()).c_str()), 0);
  EXPECT_EQ(fs::last_write_time(a / "SYSTEM" / "graphics.dat"), stamp - std::chrono::hours(1));
  fs::remove_all(a);
  fs::remove_all(b);
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

TEST(ArtFiles, UnknownOptionsAreRefusedAndWriteNothing) {
  fs::path mkdata = fs::path(MASHVOLT_GAME_DIR).parent_path() / "tools" / "mkdata";
  fs::path scratch = fs::temp_directory_path() / "mv_mkdata_options";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  const std::string cd = "cd " + scratch.string() + " && " + mkdata.string();
  EXPECT_EQ(std::system((cd + " --help >/dev/null").c_str()), 0);
  EXPECT_NE(std::system((cd + " --bogus 2>/dev/null").c_str()), 0);
  EXPECT_NE(std::system((cd + " a b 2>/dev/null").c_str()), 0);
  EXPECT_NE(std::system((cd + " 2>/dev/null").c_str()), 0);
  EXPECT_TRUE(fs::is_empty(scratch));
  fs::remove_all(scratch);
}

}  // namespace
}  // namespace mv
