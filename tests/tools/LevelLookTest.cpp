// How the shipped levels look: each dressed in its theme's decoration with grime over its floors, its
// lethal cells sunk into pits with a bright surface in colours nothing else in the level has, and
// every respawn point placed so that the fighter entering there sees level all round, never the void.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "common/LevelCheck.h"
#include "common/LevelFile.h"
#include "engine/archive/Picture.h"

namespace mv {
namespace {

using namespace mv::tools;
namespace fs = std::filesystem;

constexpr uint32_t kKey = 0xFF00FF;

std::vector<Level> shippedLevels() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator("Maps"))
    if (entry.path().extension() == ".lvx") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<Level> levels;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    levels.push_back(decodeLevel(text.str()));
  }
  return levels;
}

int luma(uint32_t rgb) {
  return static_cast<int>((((rgb >> 16) & 0xFF) * 30 + ((rgb >> 8) & 0xFF) * 59 + (rgb & 0xFF) * 11) / 100);
}

// The pixels of pattern `tile` of a 16 x 16 tile sheet, row by row.
std::vector<uint32_t> tilePixels(const TPicture& sheet, int tile) {
  std::vector<uint32_t> out;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) out.push_back(sheet.pixel(tile % 16 * 16 + x, tile / 16 * 16 + y));
  return out;
}

TEST(LevelLook, EveryLevelWearsItsThemesDecorationAndGrimeOverItsFloors) {
  for (const Level& level : shippedLevels()) {
    SCOPED_TRACE(level.title);
    // Pipes, girders, fixtures and the back walls with fixtures on them (not the plain panels).
    std::map<int, int> decoration;
    int overlays = 0, overlaysOnOddRows = 0;
    for (int row = 0; row < level.height; ++row)
      for (int col = 0; col < level.width; ++col) {
        const size_t i = static_cast<size_t>(row) * level.width + col;
        for (uint8_t tile : {level.back[i], level.front[i]})
          if ((tile >= 56 && tile <= 79) || tile >= 120) ++decoration[tile];
        if (level.front[i] >= 80 && level.front[i] <= 95) {
          ++overlays;
          overlaysOnOddRows += row % 2;
          // Grime lies over the top edge of a block with open space above it.
          EXPECT_EQ(level.cell(col, row), kCellSolid) << col << "," << row;
          EXPECT_NE(level.cell(col, row - 1), kCellSolid) << col << "," << row;
        }
      }
    int pieces = 0;
    for (const auto& [tile, count] : decoration) pieces += count;
    EXPECT_GE(pieces, 40);
    EXPECT_GE(decoration.size(), 8u) << "a few kinds of piece, not one repeated";
    EXPECT_GE(overlays, 12);
    EXPECT_GT(overlaysOnOddRows, 0);
  }
}

// A pit holds its hazard: every lethal cell has lethal cells or solid rock below and beside it, each
// column of it is at least two cells deep, and its top cell, open to the air, shows the hazard's
// surface: a bright line across the tile (a liquid's glowing skin, the tips of spikes). A liquid's
// bright colours are its own: no other tile the level shows has them.
TEST(LevelLook, HazardsLieInPitsTwoDeepUnderABrightSurfaceOfTheirOwnColours) {
  for (const Level& level : shippedLevels()) {
    SCOPED_TRACE(level.title);
    const TPicture sheet = loadPictureFile("Textures/" + level.texture + ".bmp");
    auto lethal = [&](int c, int r) { return level.inside(c, r) && level.cell(c, r) == kCellLethal; };
    auto held = [&](int c, int r) {
      return lethal(c, r) || (level.inside(c, r) && level.cell(c, r) == kCellSolid);
    };
    std::set<int> surfaces, others;
    bool liquid = false;
    int pits = 0;
    for (int row = 0; row < level.height; ++row)
      for (int col = 0; col < level.width; ++col) {
        const uint8_t tile = level.back[static_cast<size_t>(row) * level.width + col];
        if (!lethal(col, row)) {
          others.insert(tile);
          others.insert(level.front[static_cast<size_t>(row) * level.width + col]);
          continue;
        }
        EXPECT_TRUE(held(col, row + 1) && held(col - 1, row) && held(col + 1, row)) << col << "," << row;
        if (lethal(col, row - 1)) continue;
        ++pits;
        EXPECT_TRUE(lethal(col, row + 1)) << "a pit one cell deep at " << col << "," << row;
        surfaces.insert(tile);
        liquid |= tile != 32;  // anything but spikes pointing up
      }
    if (pits == 0) continue;
    std::set<uint32_t> own;
    for (int tile : surfaces) {
      const std::vector<uint32_t> px = tilePixels(sheet, tile);
      int brightRows = 0;
      for (int y = 0; y < 10; ++y) {
        int bright = 0;
        for (int x = 0; x < 16; ++x) {
          const uint32_t p = px[static_cast<size_t>(y * 16 + x)];
          if (p == kKey || luma(p) < 150) continue;
          ++bright;
          own.insert(p);
        }
        brightRows += bright >= 12;
      }
      // Spikes shine only at their tips; a liquid's skin runs right across.
      if (tile == 32)
        EXPECT_GE(own.size(), 2u) << "spikes without bright tips";
      else
        EXPECT_GE(brightRows, 1) << "tile " << tile << " has no bright surface line";
    }
    if (!liquid) continue;
    for (int tile : others) {
      if (tile == 0 || (tile >= 32 && tile <= 47)) continue;
      // Within a dozen steps on every channel is the same colour to the eye.
      auto near = [&own](uint32_t p) {
        return std::any_of(own.begin(), own.end(), [p](uint32_t o) {
          for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>(p >> shift & 0xFF) - static_cast<int>(o >> shift & 0xFF)) > 12)
              return false;
          return true;
        });
      };
      int shared = 0;
      for (uint32_t p : tilePixels(sheet, tile)) shared += p != kKey && near(p);
      EXPECT_EQ(shared, 0) << "tile " << tile << " shows the colours of the liquid";
    }
  }
}

// The view is 800 x 600 pixels with the fighter's middle at its middle (the fighter's picture is
// 32 x 46); a fighter entering at any respawn point sees only level, and no level is smaller than the
// view.
TEST(LevelLook, NoRespawnPointLooksOutIntoTheVoid) {
  for (const Level& level : shippedLevels()) {
    SCOPED_TRACE(level.title);
    EXPECT_GE(level.width * 16, 800);
    EXPECT_GE(level.height * 16, 600);
    for (const LevelObject& o : level.objects) {
      if (o.kind != "Respawn") continue;
      // Respawn points are placed with the feet 2 pixels above the floor; the fighter settles onto it.
      const int midX = o.x + 16, midY = o.y + 23;
      EXPECT_GE(midX - 400, 0) << o.x << "," << o.y;
      EXPECT_LE(midX + 400, level.width * 16) << o.x << "," << o.y;
      EXPECT_GE(midY - 300, 0) << o.x << "," << o.y;
      EXPECT_LE(midY + 2 + 300, level.height * 16) << o.x << "," << o.y;
    }
  }
}

}  // namespace
}  // namespace mv
