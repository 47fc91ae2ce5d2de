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

// Reads a level by the loader's rules: W and H must be integers ("'%s' is not a valid integer value"),
// missing lines are "List index out of bounds (%d)". Unlike the loader it also refuses what the format
// cannot hold: sides outside 1..116 and layer lines shorter than W.
Level decodeLevel(std::string_view text);

// The text split into lines at CR LF, LF or CR; a final line break does not start another line.
std::vector<std::string> splitLines(std::string_view text);

// A whole decimal integer with an optional sign, else "'%s' is not a valid integer value".
int32_t parseLevelInteger(const std::string& text);

}  // namespace mv::tools
