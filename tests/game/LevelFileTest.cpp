#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "game/world/LevelFile.h"
#include "platform/Error.h"

namespace mv {
namespace {

// A layer character for a value.
char v(int value) {
  return static_cast<char>(value + 20);
}

// A level of w x h with every layer filled by `fill` and the given object lines after the layers.
std::vector<std::string> level(int w, int h, const std::vector<std::string>& objects, char fill = v(0)) {
  std::vector<std::string> lines = {"title", "author", "Tex", "Back", std::to_string(w), std::to_string(h)};
  for (int i = 0; i < 3 * h; ++i) lines.push_back(std::string(static_cast<size_t>(w), fill));
  lines.insert(lines.end(), objects.begin(), objects.end());
  return lines;
}

std::string errorOf(const std::vector<std::string>& lines) {
  try {
    parseLevel(lines);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(LevelFile, LinesSplitOnLfAndCrLfWithoutTrailingEmptyLine) {
  EXPECT_EQ(splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(splitLines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(splitLines("a\n\nb\r\n\r\n"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_TRUE(splitLines("").empty());
  // A lone CR inside a line is a layer character like any other.
  EXPECT_EQ(splitLines("a\rb\n"), (std::vector<std::string>{"a\rb"}));
}

TEST(LevelFile, IntegersAreDecimalWithTheFormatsMessage) {
  EXPECT_EQ(parseInteger("42"), 42);
  EXPECT_EQ(parseInteger("-17"), -17);
  EXPECT_EQ(parseInteger("+5"), 5);
  EXPECT_EQ(parseInteger("  8"), 8);
  EXPECT_EQ(parseInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "x", "12a", "1 ", "-", "2147483648", "99999999999999999999"}) {
    try {
      parseInteger(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(LevelFile, LayersDecodeCharactersAndIgnoreExtraColumns) {
  std::vector<std::string> lines = level(3, 2, {"Respawn", "1", "2"});
  lines[6] = std::string{v(5), v(0), v(127)} + "garbage beyond the width";
  lines[7] = std::string{v(0), v(200), static_cast<char>(19)};  // code 19 wraps to 255
  lines[8] = std::string{v(1), v(2), v(3)};
  lines[9] = std::string{v(0), v(1), v(4)};
  lines[10] = std::string{v(9), v(0), v(0)};
  lines[11] = std::string{v(0), v(0), v(128)};
  LevelData d = parseLevel(lines);
  EXPECT_EQ(d.texture, "Tex");
  EXPECT_EQ(d.background, "Back");
  EXPECT_EQ(d.width, 3);
  EXPECT_EQ(d.height, 2);
  EXPECT_EQ(d.backTiles, (std::vector<uint8_t>{5, 0, 127, 0, 200, 255}));
  EXPECT_EQ(d.collision, (std::vector<uint8_t>{1, 2, 3, 0, 1, 4}));
  EXPECT_EQ(d.frontTiles, (std::vector<uint8_t>{9, 0, 0, 0, 0, 128}));
  EXPECT_EQ(d.cell(d.collision, 2, 1), 4);
}

TEST(LevelFile, ShortLayerLinesLeaveTheMissingCellsEmpty) {
  std::vector<std::string> lines = level(4, 1, {"Respawn", "0", "0"}, v(1));
  lines[7] = std::string{v(1)};  // collision row: one cell given of four
  lines[8] = "";
  LevelData d = parseLevel(lines);
  EXPECT_EQ(d.backTiles, (std::vector<uint8_t>{1, 1, 1, 1}));
  EXPECT_EQ(d.collision, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(d.frontTiles, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(LevelFile, ObjectTriplesAndTheTrailingLineRule) {
  // Exactly one triple and nothing after it: it is read.
  EXPECT_EQ(parseLevel(level(1, 1, {"Respawn", "5", "6"})).objects.size(), 1u);
  // Two triples and no line after them: only the first.
  LevelData two = parseLevel(level(1, 1, {"Respawn", "5", "6", "Armor", "7", "8"}));
  ASSERT_EQ(two.objects.size(), 1u);
  EXPECT_EQ(two.objects[0].kind, "Respawn");
  // One spare line after them: both, and the spare line is ignored even when it is not a number.
  LevelData both = parseLevel(level(1, 1, {"Respawn", "5", "6", "Armor", "-7", "8", "end"}));
  ASSERT_EQ(both.objects.size(), 2u);
  EXPECT_EQ(both.objects[1].kind, "Armor");
  EXPECT_EQ(both.objects[1].x, -7);
  EXPECT_EQ(both.objects[1].y, 8);
  // A part triple after the spare-line rule stops is not read.
  EXPECT_EQ(parseLevel(level(1, 1, {"Respawn", "5", "6", "Health25", "1"})).objects.size(), 1u);
  // Kinds are kept verbatim; telling "respawn" from "Respawn" is the loader's business.
  EXPECT_EQ(parseLevel(level(1, 1, {"respawn", "1", "1"})).objects[0].kind, "respawn");
}

TEST(LevelFile, MalformedFilesAreRefusedWithTheirMessages) {
  // Too few lines for what the header promises: the first missing index is named.
  EXPECT_EQ(errorOf({"a", "b"}), "List index out of bounds (2)");
  EXPECT_EQ(errorOf({"a", "b", "T", "B", "2"}), "List index out of bounds (5)");
  std::vector<std::string> cut = level(2, 2, {});
  cut.resize(9);
  EXPECT_EQ(errorOf(cut), "List index out of bounds (9)");
  // The first triple is always read, so a level without objects is missing line 6 + 3H.
  EXPECT_EQ(errorOf(level(2, 2, {})), "List index out of bounds (12)");
  EXPECT_EQ(errorOf(level(2, 2, {"Respawn", "1"})), "List index out of bounds (14)");

  // Bad numbers.
  std::vector<std::string> badW = level(2, 1, {"Respawn", "0", "0"});
  badW[4] = "wide";
  EXPECT_EQ(errorOf(badW), "'wide' is not a valid integer value");
  EXPECT_EQ(errorOf(level(2, 1, {"Respawn", "1.5", "0"})), "'1.5' is not a valid integer value");
  EXPECT_EQ(errorOf(level(2, 1, {"Respawn", "0", ""})), "'' is not a valid integer value");

  // Sizes the grid cannot hold, or no map at all.
  for (auto [w, h] : {std::pair{117, 1}, {1, 117}, {0, 5}, {5, 0}, {-1, 3}}) {
    std::vector<std::string> lines = {"", "", "T", "B", std::to_string(w), std::to_string(h)};
    EXPECT_EQ(errorOf(lines),
              "Map size " + std::to_string(w) + " x " + std::to_string(h) + " is outside 1 .. 116 cells");
  }
  // The largest map fits.
  EXPECT_EQ(parseLevel(level(116, 116, {"Respawn", "0", "0"})).collision.size(), 116u * 116u);

  // The tile sheet and the background are files of Textures and Backgrounds, nowhere else.
  for (auto [line, name] : {std::pair{2, "../SYSTEM/x"}, {3, "..\\x"}, {2, "/etc/passwd"}, {3, ".."}}) {
    std::vector<std::string> lines = level(1, 1, {"Respawn", "0", "0"});
    lines[static_cast<size_t>(line)] = name;
    EXPECT_EQ(errorOf(lines), "'" + std::string(name) + "' is not a plain file name");
  }

  // At most kMaxLevelObjects objects, counted before they are read.
  std::vector<std::string> objects;
  for (size_t i = 0; i < kMaxLevelObjects; ++i) objects.insert(objects.end(), {"Respawn", "0", "0"});
  objects.push_back("");
  EXPECT_EQ(parseLevel(level(1, 1, objects)).objects.size(), kMaxLevelObjects);
  objects.insert(objects.end(), {"Armor", "0", "0", ""});
  EXPECT_EQ(errorOf(level(1, 1, objects)), "Too many objects");
}

TEST(LevelFile, DamagedFilesNeverCrashTheParser) {
  // Cut, shuffled and overwritten versions of a valid level: each parses or is refused with an Error.
  const std::vector<std::string> good = level(5, 4, {"Respawn", "16", "16", "Armor", "32", "0", ""}, v(1));
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> lines = good;
    lines.resize(rng() % (lines.size() + 1));
    for (int k = 0; k < 3 && !lines.empty(); ++k) {
      std::string& line = lines[rng() % lines.size()];
      const std::string choices[] = {"",    "0",          "-1",  "116",
                                     "117", "2147483647", "abc", std::string(300, v(1))};
      line = choices[rng() % 8];
    }
    try {
      LevelData d = parseLevel(lines);
      ASSERT_EQ(d.collision.size(), static_cast<size_t>(d.width) * static_cast<size_t>(d.height));
    } catch (const Error&) {
    }
  }
}

}  // namespace
}  // namespace mv
