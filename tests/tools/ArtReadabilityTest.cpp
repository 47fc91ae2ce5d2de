// Whether the generated pictures read at a glance: pick-ups stand out on dark and light walls and
// shine, the fighter's body moves as he walks, each tile sheet has pieces of its own rather than the
// colours of another, the liquids look like what they are, and the back walls with fixtures have no
// holes.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/archive/Picture.h"
#include "engine/archive/PictureCollection.h"

namespace mv {
namespace {

constexpr uint32_t kKey = 0xFF00FF;

int luma(uint32_t rgb) {
  return static_cast<int>((((rgb >> 16) & 0xFF) * 30 + ((rgb >> 8) & 0xFF) * 59 + (rgb & 0xFF) * 11) / 100);
}

struct Cut {
  const TPicture* picture;
  int left, top, width, height;
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t at(int x, int y) const { return inside(x, y) ? picture->pixel(left + x, top + y) : kKey; }
  bool opaque(int x, int y) const { return at(x, y) != kKey; }
  std::vector<uint32_t> pixels() const {
    std::vector<uint32_t> out;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) out.push_back(at(x, y));
    return out;
  }
};

Cut cutOf(const TPictureCollectionItem& item, int index) {
  const int cols = item.picture().width() / item.width();
  return {&item.picture(), index % cols * item.width(), index / cols * item.height(), item.width(),
          item.height()};
}

Cut tileOf(const TPicture& sheet, int index) {
  return {&sheet, index % 16 * 16, index / 16 * 16, 16, 16};
}

class Readability : public ::testing::Test {
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
TPictureCollection* Readability::graphics_ = nullptr;
TPictureCollection* Readability::models_ = nullptr;

std::vector<std::string> pickupNames() {
  std::vector<std::string> names{"Health25", "Health200", "Armor"};
  for (int w = 0; w < 8; ++w) {
    names.push_back("Weapon" + std::to_string(w) + "Item");
    names.push_back("Ammo" + std::to_string(w));
  }
  return names;
}

TEST_F(Readability, PickupsHaveALightRimOverADarkOutlineAndShine) {
  for (const std::string& name : pickupNames()) {
    SCOPED_TRACE(name);
    const auto& item = graphics_->find(name);
    for (int k = 0; k < item.patternCount(); ++k) {
      const Cut p = cutOf(item, k);
      // The pixels at the edge of the picture (next to the see-through) are light, so the item reads on
      // the dark walls, and most have a dark pixel right inside them, so it reads on light ones.
      int edge = 0, light = 0, backedByDark = 0;
      for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
          if (!p.opaque(x, y)) continue;
          bool onEdge = false, darkInside = false;
          for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            if (!p.opaque(x + dx, y + dy)) onEdge = true;
            if (p.opaque(x - dx, y - dy) && luma(p.at(x - dx, y - dy)) < 50) darkInside = true;
          }
          if (!onEdge) continue;
          ++edge;
          light += luma(p.at(x, y)) >= 140;
          backedByDark += darkInside;
        }
      ASSERT_GT(edge, 0);
      EXPECT_GE(light * 10, edge * 9)
          << "frame " << k << ": " << light << " of " << edge << " edge pixels light";
      EXPECT_GE(backedByDark * 10, edge * 6) << "frame " << k;
    }
    // The shine: some frames differ from the resting first one.
    std::set<std::vector<uint32_t>> distinct;
    for (int k = 0; k < item.patternCount(); ++k) distinct.insert(cutOf(item, k).pixels());
    EXPECT_GE(distinct.size(), 3u);
  }
}

TEST_F(Readability, TheWalkMovesTheBodyNotOnlyTheLegs) {
  const auto& walk = models_->find("Doom_R");
  // The rows of the belly, well above the legs: they rise and sink through the stride.
  std::set<std::vector<uint32_t>> bellies;
  std::set<int> tops;
  for (int k = 0; k < walk.patternCount(); ++k) {
    Cut p = cutOf(walk, k);
    Cut belly{p.picture, p.left, p.top + 14, p.width, 10};
    bellies.insert(belly.pixels());
    int top = 0;
    while (top < p.height && [&] {
      for (int x = 0; x < p.width; ++x)
        if (p.opaque(x, top)) return false;
      return true;
    }())
      ++top;
    tops.insert(top);
  }
  EXPECT_GE(bellies.size(), 3u);
  EXPECT_GE(tops.size(), 2u) << "the head bobs";
}

TEST(ReadableTiles, EachSheetHasPiecesOfItsOwn) {
  const char* names[] = {"metal", "rock", "tech", "hazard"};
  std::vector<TPicture> sheets;
  for (const char* name : names) sheets.push_back(loadPictureFile(std::string("Textures/") + name + ".bmp"));
  // Same shapes in other colours would give the same see-through outline and the same light and dark
  // order of pixels; the themed pieces must differ in shape from sheet to sheet.
  auto shapeOf = [](const Cut& c) {
    std::vector<int> shape;
    for (uint32_t p : c.pixels()) shape.push_back(p == kKey ? -1 : luma(p) / 48);
    return shape;
  };
  for (int index : {12, 13, 15, 16, 20, 32, 56, 64, 72, 73, 74, 76, 77, 78, 79}) {
    std::set<std::vector<int>> shapes;
    for (const TPicture& sheet : sheets) shapes.insert(shapeOf(tileOf(sheet, index)));
    EXPECT_GE(shapes.size(), 3u) << "tile " << index << " looks alike in most sheets";
    // The rock sheet shares none of these pieces with the metal one: no crates, no arrow signs.
    EXPECT_NE(shapeOf(tileOf(sheets[0], index)), shapeOf(tileOf(sheets[1], index))) << "tile " << index;
  }
}

TEST(ReadableTiles, LiquidsLookLikeWhatTheyAre) {
  auto average = [](const Cut& c, int channel) {
    long sum = 0, n = 0;
    for (uint32_t p : c.pixels())
      if (p != kKey) {
        sum += (p >> (16 - 8 * channel)) & 0xFF;
        ++n;
      }
    return n ? static_cast<double>(sum) / n : 0.0;
  };
  for (const char* name : {"metal", "rock", "tech", "hazard"}) {
    SCOPED_TRACE(name);
    const TPicture sheet = loadPictureFile(std::string("Textures/") + name + ".bmp");
    for (int acid : {41, 42}) {  // green in every sheet
      const Cut c = tileOf(sheet, acid);
      EXPECT_GT(average(c, 1), average(c, 0) + 30) << acid;
      EXPECT_GT(average(c, 1), average(c, 2) + 30) << acid;
    }
    for (int lava : {43, 44}) {  // red-orange in every sheet
      const Cut c = tileOf(sheet, lava);
      EXPECT_GT(average(c, 0), average(c, 1) + 30) << lava;
      EXPECT_GT(average(c, 0), average(c, 2) + 60) << lava;
    }
  }
  // The hazard sheet's own liquid is acid green, the tech sheet's plasma violet (apart from the cyan of
  // its lights).
  const TPicture hazard = loadPictureFile("Textures/hazard.bmp");
  const TPicture tech = loadPictureFile("Textures/tech.bmp");
  for (int own : {36, 37, 38, 39}) {
    const Cut acid = tileOf(hazard, own), plasma = tileOf(tech, own);
    EXPECT_GT(average(acid, 1), average(acid, 0) + 30) << own;
    EXPECT_GT(average(plasma, 0), average(plasma, 1) + 30) << own;
    EXPECT_GT(average(plasma, 2), average(plasma, 1) + 60) << own;
  }
}

TEST(ReadableTiles, BackWallsWithFixturesHaveNoHoles) {
  for (const char* name : {"metal", "rock", "tech", "hazard"}) {
    const TPicture sheet = loadPictureFile(std::string("Textures/") + name + ".bmp");
    for (int index = 120; index <= 127; ++index)
      for (uint32_t p : tileOf(sheet, index).pixels()) ASSERT_NE(p, kKey) << name << " tile " << index;
  }
}

}  // namespace
}  // namespace mv
