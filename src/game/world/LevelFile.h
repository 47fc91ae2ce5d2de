#pragma once
// The level file: plain text lines. Lines 0 and 1 are free text, then the tile sheet name, the
// background name, the width and height in cells, three layers of W x H characters (back tiles,
// collision cells, front tiles) and triples of lines (kind, x, y) for respawn points and pick-ups.
// A layer character stands for (code - 20) mod 256.
//
// Reading a level is split from building it: parseLevel checks the whole file and produces this plain
// structure, so a bad file is refused before anything of the current level has changed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

struct LevelObject {
  std::string kind;  // "Respawn", or the pick-up kind (also the name of its image)
  int32_t x = 0;
  int32_t y = 0;
};

struct LevelData {
  std::string texture;     // tile sheet "Textures\<texture>.bmp"
  std::string background;  // picture "Backgrounds\<background>.jpg"
  int32_t width = 0;
  int32_t height = 0;
  // width x height bytes each, row by row: cell (col, row) is element col + row * width.
  std::vector<uint8_t> backTiles;
  std::vector<uint8_t> collision;
  std::vector<uint8_t> frontTiles;
  std::vector<LevelObject> objects;

  uint8_t cell(const std::vector<uint8_t>& layer, int32_t col, int32_t row) const {
    return layer[static_cast<size_t>(col) + static_cast<size_t>(row) * static_cast<size_t>(width)];
  }
};

// The value of one layer character.
inline uint8_t layerValue(char c) {
  return static_cast<uint8_t>(static_cast<uint8_t>(c) - 20);
}

// Splits text at LF or CR LF; a line break at the very end does not start another line.
std::vector<std::string> splitLines(std::string_view text);

// The whole file as lines; a missing or unreadable file is "Cannot open file <path>".
std::vector<std::string> readLines(const std::string& path);

// A decimal integer, as the level format writes it; anything else is "'<text>' is not a valid
// integer value".
int32_t parseInteger(const std::string& text);

// The most objects (respawn points and pick-ups) a level may hold.
constexpr size_t kMaxLevelObjects = 10000;

// Checks and decodes a whole level. Errors: a missing line is "List index out of bounds (<index>)",
// a bad number as parseInteger, a map outside 1 .. 116 cells a side is refused. A layer line shorter
// than the width leaves the missing cells empty; characters beyond the width are ignored. A texture or
// background name with a folder in it is refused ("'%s' is not a plain file name"), and so is an object
// beyond kMaxLevelObjects ("Too many objects").
LevelData parseLevel(const std::vector<std::string>& lines);

}  // namespace mv
