#pragma once
// The ".lvx" level file: two free lines, the tile sheet and background names, the size, three layers
// of one character per cell (value = character code - 20) and the object triples, closed by one
// trailing line that the loader never reads.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mv::tools {

constexpr int kMaxLevelSide = 116;  // the collision grid's indices end at 115

struct LevelObject {
  std::string kind;  // "Respawn" or a pick-up kind
  int32_t x = 0, y = 0;
};

struct Level {
  std::string title, note;  // lines 0 and 1, never read by the game
  std::string texture;      // "Textures\" + texture + ".bmp"
  std::string background;   // "Backgrounds\" + background + ".jpg"
  int width = 0, height = 0;
  std::vector<uint8_t> back, cells, front;  // row by row, width * height each
  std::vector<LevelObject> objects;

  uint8_t cell(int col, int row) const { return cells[static_cast<size_t>(row) * width + col]; }
  bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < width && row < height; }
};

// CR LF line breaks. Throws mv::Error for a size over the limit, layers of the wrong size, no objects,
// or a value whose character would break its line.
std::string encodeLevel(const Level& level);

// Reads a level with the game's own reader, and also refuses layer lines shorter than W, which the
// game would read as empty cells.
Level decodeLevel(std::string_view text);

}  // namespace mv::tools
