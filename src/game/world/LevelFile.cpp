#include "game/world/LevelFile.h"

#include <algorithm>

#include "engine/archive/Files.h"
#include "game/world/Grid.h"
#include "platform/Error.h"

namespace mv {
namespace {

const std::string& lineAt(const std::vector<std::string>& lines, size_t index) {
  if (index >= lines.size()) throw Error(format("List index out of bounds (%d)", static_cast<int>(index)));
  return lines[index];
}

// One layer of W x H characters starting at line `first`.
std::vector<uint8_t> readLayer(const std::vector<std::string>& lines, size_t first, int32_t w, int32_t h) {
  std::vector<uint8_t> layer(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  for (int32_t row = 0; row < h; ++row) {
    const std::string& line = lineAt(lines, first + static_cast<size_t>(row));
    size_t used = std::min(line.size(), static_cast<size_t>(w));
    for (size_t col = 0; col < used; ++col)
      layer[col + static_cast<size_t>(row) * static_cast<size_t>(w)] = layerValue(line[col]);
  }
  return layer;
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    start = next;
  }
  return lines;
}

std::vector<std::string> readLines(const std::string& path) {
  const std::vector<uint8_t> bytes = readWholeFile(path, kLevelFileLimit);
  return splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int32_t parseInteger(const std::string& text) {
  auto refuse = [&] { return Error(format("'%s' is not a valid integer value", text.c_str())); };
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw refuse();
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw refuse();
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) throw refuse();
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) throw refuse();
  return static_cast<int32_t>(value);
}

LevelData parseLevel(const std::vector<std::string>& lines) {
  LevelData level;
  level.texture = lineAt(lines, 2);
  level.background = lineAt(lines, 3);
  // A level passed from player to player must not read pictures from anywhere but its own folders.
  for (const std::string* name : {&level.texture, &level.background})
    if (!isPlainFileName(*name)) throw Error(format("'%s' is not a plain file name", name->c_str()));
  level.width = parseInteger(lineAt(lines, 4));
  level.height = parseInteger(lineAt(lines, 5));
  const int32_t w = level.width, h = level.height;
  // The grid has room for 116 cells from index 0; a larger map would be written outside it.
  if (w < 1 || h < 1 || w > Grid::MaxMapSide || h > Grid::MaxMapSide)
    throw Error(format("Map size %d x %d is outside 1 .. %d cells", w, h, Grid::MaxMapSide));

  const size_t rows = static_cast<size_t>(h);
  level.backTiles = readLayer(lines, 6, w, h);
  level.collision = readLayer(lines, 6 + rows, w, h);
  level.frontTiles = readLayer(lines, 6 + 2 * rows, w, h);

  // The first triple is always read; a further one only when at least one line follows it, so a level
  // file ends with one spare line after its last object.
  size_t k = 6 + 3 * rows;
  do {
    // Each object is a sprite with a place in the draw order; far more than any level needs would only
    // stall the match start.
    if (level.objects.size() == kMaxLevelObjects) throw Error("Too many objects");
    LevelObject object;
    object.kind = lineAt(lines, k);
    object.x = parseInteger(lineAt(lines, k + 1));
    object.y = parseInteger(lineAt(lines, k + 2));
    level.objects.push_back(std::move(object));
    k += 3;
  } while (lines.size() > k + 3);
  return level;
}

}  // namespace mv
