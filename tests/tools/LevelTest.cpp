// The generated levels load by the level file's rules and are playable; the file reader and the
// playability check themselves catch what they are there to catch.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "common/ArchiveModel.h"
#include "common/LevelCheck.h"
#include "common/LevelFile.h"
#include "engine/archive/Picture.h"
#include "game/world/LevelFile.h"
#include "platform/Error.h"

namespace mv {
namespace {

using namespace mv::tools;
using tools::LevelObject;  // the game has its own

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The part of a level that is played in: the rows and columns with a cell that is not solid. The rest
// is the rock framing it.
struct PlayArea {
  int left, top, width, height;
};
PlayArea playArea(const Level& level) {
  int left = level.width, top = level.height, right = -1, bottom = -1;
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col)
      if (level.cell(col, row) != kCellSolid) {
        left = std::min(left, col);
        right = std::max(right, col);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
      }
  return {left, top, right - left + 1, bottom - top + 1};
}

std::vector<Level> generatedLevels() {
  std::vector<Level> levels;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator("Maps"))
    if (entry.path().extension() == ".lvx") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) levels.push_back(decodeLevel(readText(file)));
  return levels;
}

// A level from rows drawn like the game's maps: '#' solid, '=' platform, '^' lethal, 'R' a respawn
// point (left column, feet row), 'h' a Health25.
Level drawn(const std::vector<std::string>& rows) {
  Level level;
  level.texture = level.background = "metal";
  level.height = static_cast<int>(rows.size());
  level.width = static_cast<int>(rows[0].size());
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const char c = rows[row][col];
      level.cells.push_back(c == '#'   ? kCellSolid
                            : c == '=' ? kCellPlatform
                            : c == '^' ? kCellLethal
                                       : kCellEmpty);
      level.back.push_back(0);
      level.front.push_back(0);
      if (c == 'R') level.objects.push_back(respawnAt({col, row}));
      if (c == 'h') level.objects.push_back(pickupAt("Health25", col, row));
    }
  return level;
}

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
  return std::any_of(problems.begin(), problems.end(),
                     [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

TEST(GeneratedLevels, SixPlayableLevelsWithTheirPicturesFromDuelSizeToNearTheLimit) {
  const std::vector<Level> levels = generatedLevels();
  ASSERT_GE(levels.size(), 6u);
  int smallest = kMaxLevelSide * kMaxLevelSide, largest = 0;
  for (const Level& level : levels) {
    SCOPED_TRACE(level.title);
    EXPECT_EQ(checkLevel(level), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists("Textures/" + level.texture + ".bmp"));
    EXPECT_TRUE(fs::exists("Backgrounds/" + level.background + ".jpg"));
    const int respawns =
        static_cast<int>(std::count_if(level.objects.begin(), level.objects.end(),
                                       [](const LevelObject& o) { return o.kind == "Respawn"; }));
    EXPECT_GE(respawns, 6);
    EXPECT_LE(respawns, 16);
    bool platforms = false;
    for (uint8_t v : level.cells) platforms |= v == kCellPlatform;
    EXPECT_TRUE(platforms);
    const PlayArea area = playArea(level);
    smallest = std::min(smallest, area.width * area.height);
    largest = std::max(largest, area.width * area.height);
  }
  EXPECT_LT(smallest, 50 * 30);  // a duel level
  EXPECT_GT(largest, 100 * 80);  // and a large one
}

// Two people share the screen in Hotseat, each with a view 300 pixels tall: their level is low enough
// to be seen nearly whole in such a view, and neither side starts better off.
TEST(GeneratedLevels, TheHotseatLevelIsLowAndItsHalvesMirrorEachOther) {
  Level hotseat;
  for (const Level& level : generatedLevels())
    if (level.title == "Face Off") hotseat = level;
  ASSERT_GT(hotseat.width, 0) << "no Face Off among the levels";
  const PlayArea area = playArea(hotseat);
  EXPECT_LE(area.height * 16, 2 * 300 - 200);
  EXPECT_LE(area.width * area.height, 50 * 30);
  for (int row = 0; row < hotseat.height; ++row)
    for (int col = 0; col < hotseat.width; ++col)
      ASSERT_EQ(hotseat.cell(col, row), hotseat.cell(hotseat.width - 1 - col, row)) << col << "," << row;
  // Every object has its twin across the middle; one in the middle is its own.
  std::multiset<std::tuple<std::string, int, int>> objects;
  int left = 0, right = 0;
  for (const LevelObject& o : hotseat.objects) {
    objects.insert({o.kind, o.x, o.y});
    if (o.kind == "Respawn") (o.x + 16 < hotseat.width * 8 ? left : right) += 1;
  }
  for (const LevelObject& o : hotseat.objects) {
    const int width = o.kind == "Respawn" ? kFighterImageWidth : kPickupSize;
    EXPECT_TRUE(objects.count({o.kind, hotseat.width * 16 - o.x - width, o.y}))
        << o.kind << " at " << o.x << "," << o.y;
  }
  EXPECT_EQ(left, right);
  EXPECT_GE(left, 3);
}

TEST(GeneratedLevels, TheGamesOwnReaderSeesTheSameLevels) {
  for (const auto& entry : fs::directory_iterator("Maps")) {
    if (entry.path().extension() != ".lvx") continue;
    SCOPED_TRACE(entry.path().string());
    const Level ours = decodeLevel(readText(entry.path()));
    const LevelData game = parseLevel(readLines(entry.path().string()));
    EXPECT_EQ(game.texture, ours.texture);
    EXPECT_EQ(game.background, ours.background);
    EXPECT_EQ(game.width, ours.width);
    EXPECT_EQ(game.height, ours.height);
    EXPECT_EQ(game.backTiles, ours.back);
    EXPECT_EQ(game.collision, ours.cells);
    EXPECT_EQ(game.frontTiles, ours.front);
    ASSERT_EQ(game.objects.size(), ours.objects.size());
    for (size_t i = 0; i < ours.objects.size(); ++i) {
      EXPECT_EQ(game.objects[i].kind, ours.objects[i].kind);
      EXPECT_EQ(game.objects[i].x, ours.objects[i].x);
      EXPECT_EQ(game.objects[i].y, ours.objects[i].y);
    }
  }
}

TEST(GeneratedLevels, EveryPickupKindAppearsSomewhereAndNamesAPicture) {
  std::set<std::string> images;
  for (const ArchiveItem& item : readArchive(readWholeFile("SYSTEM/graphics.dat")).items)
    if (const ArchiveValue* name = item.find("Name")) images.insert(name->text);
  std::set<std::string> kinds;  // as the game tells them apart: "Weapon" or "Ammo" and the digit
  bool lethal = false;
  for (const Level& level : generatedLevels()) {
    for (const LevelObject& o : level.objects) {
      if (o.kind == "Respawn") continue;
      EXPECT_TRUE(images.count(o.kind)) << "placing " << o.kind << " would fail: no such picture";
      kinds.insert(o.kind.rfind("Weapon", 0) == 0 ? o.kind.substr(0, 7)
                   : o.kind.rfind("Ammo", 0) == 0 ? o.kind.substr(0, 5)
                                                  : o.kind);
    }
    for (uint8_t v : level.cells) lethal |= v == kCellLethal;
  }
  std::vector<std::string> wanted{"Health25", "Health200", "Armor"};
  for (char d = '0'; d <= '7'; ++d) {
    wanted.push_back(std::string("Weapon") + d);
    wanted.push_back(std::string("Ammo") + d);
  }
  for (const std::string& kind : wanted) EXPECT_TRUE(kinds.count(kind)) << kind;
  EXPECT_TRUE(lethal);
}

// How the levels look: each dressed in its theme's decoration with grime over its floors, its lethal
// cells sunk into pits with a bright surface in colours nothing else in the level has, and every
// respawn point placed so that the fighter entering there sees level all round, never the void.
constexpr uint32_t kKey = 0xFF00FF;

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
  for (const Level& level : generatedLevels()) {
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
  for (const Level& level : generatedLevels()) {
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
        const size_t i = static_cast<size_t>(row) * level.width + col;
        const uint8_t tile = level.back[i];
        if (!lethal(col, row)) {
          others.insert({tile, level.front[i]});
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
  for (const Level& level : generatedLevels()) {
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

TEST(LevelFile, ObjectTriplesAreReadOnlyWhenALineFollows) {
  const std::string head = "t\r\nn\r\nmetal\r\nbg\r\n2\r\n1\r\n\x14\x15\r\n\x15\x17\r\n\x14\x14\r\n";
  // One triple, nothing after it: still read.
  Level one = decodeLevel(head + "Respawn\r\n16\r\n32\r\n");
  ASSERT_EQ(one.objects.size(), 1u);
  EXPECT_EQ(one.objects[0].x, 16);
  EXPECT_EQ(one.objects[0].y, 32);
  // Two triples and no line after: only the first; with one line after: both.
  EXPECT_EQ(decodeLevel(head + "Respawn\r\n1\r\n2\r\nArmor\r\n3\r\n4\r\n").objects.size(), 1u);
  EXPECT_EQ(decodeLevel(head + "Respawn\r\n1\r\n2\r\nArmor\r\n3\r\n4\r\nend\r\n").objects.size(), 2u);
  // LF line breaks read the same; character code 20 is value 0, 21 is 1, 23 is 3.
  Level lf = decodeLevel("t\nn\nmetal\nbg\n2\n1\n\x14\x15\n\x15\x17\n\x14\x14\nRespawn\n1\n2\n");
  EXPECT_EQ(lf.back, (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(lf.cells, (std::vector<uint8_t>{1, 3}));
  EXPECT_EQ(lf.texture, "metal");
  // Encoding and decoding give the level back, and the file ends with the line after the last triple.
  const std::string text = encodeLevel(one);
  EXPECT_EQ(decodeLevel(text).cells, one.cells);
  EXPECT_TRUE(text.ends_with("32\r\nend\r\n"));
}

TEST(LevelFile, MalformedFilesAreRefusedWithTheLoadersMessages) {
  auto message = [](const std::string& text) {
    try {
      decodeLevel(text);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(message("t\nn\nm\nb\nwide\n1\n"), "'wide' is not a valid integer value");
  EXPECT_EQ(message("t\nn\nm\nb\n2\n"), "List index out of bounds (5)");
  EXPECT_EQ(message("t\nn\nm\nb\n2\n1\n\x14\x14\n\x14\x14\n\x14\x14\n"), "List index out of bounds (9)");
  EXPECT_EQ(message("t\nn\nm\nb\n2\n1\n\x14\x14\n\x14\x14\n\x14\x14\nRespawn\nx\n0\n"),
            "'x' is not a valid integer value");
  EXPECT_NE(message("t\nn\nm\nb\n117\n1\n"), "accepted");  // past the grid
  EXPECT_NE(message("t\nn\nm\nb\n0\n1\n"), "accepted");    // no cells
  EXPECT_NE(message("t\nn\nm\nb\n3\n1\n\x14\x14\n\x14\x14\x14\n\x14\x14\x14\n"), "accepted");  // short row
  EXPECT_NE(message("t\nn\nm\nb\n-2\n1\n"), "accepted");
  // Values whose characters would be line breaks cannot be written.
  Level bad = decodeLevel("t\nn\nm\nb\n1\n1\n\x14\n\x14\n\x14\nRespawn\n0\n0\n");
  bad.back[0] = 246;
  EXPECT_THROW(encodeLevel(bad), Error);
}

TEST(LevelCheck, JumpsReachFourCellsAndNotFive) {
  // A ledge four cells above the floor is reached by a jump; the fighter comes back down.
  const std::vector<std::string> four{"################", "#..............#", "#..............#",
                                      "#.........h....#", "#.........######", "#..............#",
                                      "#..............#", "#.R.R.R.R.R.R..#", "################"};
  EXPECT_EQ(checkLevel(drawn(four)), std::vector<std::string>{});
  // Five cells: out of reach.
  const std::vector<std::string> five{
      "################", "#..............#", "#..............#", "#.........h....#", "#.........######",
      "#..............#", "#..............#", "#..............#", "#.R.R.R.R.R.R..#", "################"};
  const auto problems = checkLevel(drawn(five));
  EXPECT_TRUE(mentions(problems, "spots 9-13,3 cannot be reached"));
  EXPECT_TRUE(mentions(problems, "pick-up at cell 10,3 is out of reach"));
  // A platform cell can be jumped through from below and stood on.
  std::vector<std::string> platform = four;
  platform[4] = "#.........=====#";
  EXPECT_EQ(checkLevel(drawn(platform)), std::vector<std::string>{});
}

TEST(LevelCheck, FindsOpenBordersTrapsBadObjectsAndWrongRespawnCounts) {
  const std::vector<std::string> base{"################", "#..............#", "#..............#",
                                      "#..............#", "#.R.R.R.R.R.R..#", "################"};
  EXPECT_EQ(checkLevel(drawn(base)), std::vector<std::string>{});

  std::vector<std::string> open = base;
  open[2][0] = '.';
  EXPECT_TRUE(mentions(checkLevel(drawn(open)), "border cell 0,2 is open"));

  // A walled pit five cells deep: whoever falls in cannot climb out.
  const std::vector<std::string> pit{"##################", "#................#", "#................#",
                                     "#................#", "#.R.R.R.R.R.R....#", "#############...##",
                                     "#############...##", "#############...##", "#############...##",
                                     "#############...##", "##################"};
  EXPECT_TRUE(mentions(checkLevel(drawn(pit)), "spots 13-14,9 are traps: no way back"));

  Level inWall = drawn(base);
  inWall.objects.push_back(pickupAt("Armor", 0, 2));
  inWall.objects.push_back({"Weapon9", 32, 40});
  inWall.objects.push_back(pickupAt("Weapon2Item", 3, 4));
  inWall.objects.push_back({"respawn", 32, 40});
  const auto problems = checkLevel(inWall);
  EXPECT_TRUE(mentions(problems, "Armor at"));
  EXPECT_TRUE(mentions(problems, "unknown pick-up kind Weapon9"));
  EXPECT_FALSE(mentions(problems, "Weapon2Item"));
  EXPECT_TRUE(mentions(problems, "unknown pick-up kind respawn"));  // the kind is case-sensitive

  std::vector<std::string> few = base;
  few[4] = "#.R.R.R.R.R....#";
  EXPECT_TRUE(mentions(checkLevel(drawn(few)), "5 respawn points"));

  // A respawn point whose body would be in the ceiling is refused.
  Level floating = drawn(base);
  floating.objects.push_back(respawnAt({3, 2}));
  EXPECT_TRUE(mentions(checkLevel(floating), "not on firm ground"));
}

TEST(LevelCheck, PowerPickupsMayNotLieBesideARespawnPoint) {
  // The fighter entering at 2 stands in columns 2 and 3; two free cells to its side are still too close,
  // three are far enough.
  const std::vector<std::string> rows{"####################", "#..................#", "#..................#",
                                      "#..................#", "#.R.....R.R.R.R.R..#", "####################"};
  Level level = drawn(rows);
  level.objects.push_back(pickupAt("Weapon1Item", 6, 4));
  level.objects.push_back(pickupAt("Weapon3", 5, 3));  // a rocket launcher a row up: just as close
  level.objects.push_back(pickupAt("Armor", 5, 4));    // not a power pick-up
  auto problems = checkLevel(level);
  EXPECT_TRUE(mentions(problems, "Weapon1Item at cell 6,4 lies beside the respawn point at 8,4"));
  EXPECT_TRUE(mentions(problems, "Weapon3 at cell 5,3 lies beside the respawn point at 2,4"));
  EXPECT_FALSE(mentions(problems, "Armor"));
  EXPECT_EQ(problems.size(), 2u);  // the rifle is three cells from 2,4, the rocket launcher from 8,4

  // The other weapons may lie anywhere.
  Level apart = drawn(rows);
  apart.objects.push_back(pickupAt("Health200", 5, 2));
  apart.objects.push_back(pickupAt("Weapon2Item", 4, 4));
  EXPECT_TRUE(mentions(checkLevel(apart), "Health200 at cell 5,2 lies beside the respawn point at 2,4"));
  apart.objects.erase(apart.objects.end() - 2);
  EXPECT_EQ(checkLevel(apart), std::vector<std::string>{});
  EXPECT_TRUE(isPowerPickup("Weapon7Item"));
  EXPECT_TRUE(isPowerPickup("Weapon4"));
  EXPECT_FALSE(isPowerPickup("Ammo4"));
  EXPECT_FALSE(isPowerPickup("Weapon0Item"));
}

TEST(LevelCheck, NamesARunOfFaultySpotsOnce) {
  // A shelf five cells up, out of reach along its whole length.
  const std::vector<std::string> rows{"################", "#..............#", "#..............#",
                                      "#..............#", "#.....#######..#", "#..............#",
                                      "#..............#", "#..............#", "#..............#",
                                      "#.R.R.R.R.R.R..#", "################"};
  const auto problems = checkLevel(drawn(rows));
  EXPECT_TRUE(mentions(problems, "spots 5-12,3 cannot be reached"));
  EXPECT_EQ(problems.size(), 1u);
}

TEST(LevelCheck, PlacementAndItsInverseAgree) {
  for (int col = 1; col < 100; col += 7)
    for (int row = 3; row < 100; row += 5) {
      EXPECT_EQ(spotOfRespawn(respawnAt({col, row})), (StandSpot{col, row}));
      EXPECT_EQ(cellOfPickup(pickupAt("Armor", col, row)), (StandSpot{col, row}));
      // The fighter's feet (46 pixels below its top) start just above the floor of its row.
      const LevelObject r = respawnAt({col, row});
      EXPECT_LE(r.y + 46, (row + 1) * 16);
      EXPECT_GT(r.y + 46, (row + 1) * 16 - 4);
    }
}

}  // namespace
}  // namespace mv
