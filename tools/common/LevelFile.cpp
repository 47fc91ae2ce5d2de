#include "common/LevelFile.h"

#include "game/world/LevelFile.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

constexpr int kCodeOffset = 20;

char encodeValue(uint8_t value) {
  const char c = static_cast<char>((value + kCodeOffset) & 0xFF);
  if (c == '\r' || c == '\n') throw Error(format("Level value %d cannot be written", value));
  return c;
}

}  // namespace

std::string encodeLevel(const Level& level) {
  if (level.width < 1 || level.height < 1 || level.width > kMaxLevelSide || level.height > kMaxLevelSide)
    throw Error(format("Level size %dx%d is outside 1..%d", level.width, level.height, kMaxLevelSide));
  const size_t cellCount = static_cast<size_t>(level.width) * level.height;
  if (level.back.size() != cellCount || level.cells.size() != cellCount || level.front.size() != cellCount)
    throw Error("Level layers do not match its size");
  // The loader always reads the first object triple, so a level without objects cannot be loaded.
  if (level.objects.empty()) throw Error("Level has no objects");

  std::string out;
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  line(level.title);
  line(level.note);
  line(level.texture);
  line(level.background);
  line(std::to_string(level.width));
  line(std::to_string(level.height));
  for (const auto* layer : {&level.back, &level.cells, &level.front}) {
    for (int row = 0; row < level.height; ++row) {
      std::string text(static_cast<size_t>(level.width), ' ');
      for (int col = 0; col < level.width; ++col)
        text[col] = encodeValue((*layer)[static_cast<size_t>(row) * level.width + col]);
      line(text);
    }
  }
  for (const LevelObject& object : level.objects) {
    line(object.kind);
    line(std::to_string(object.x));
    line(std::to_string(object.y));
  }
  line("end");  // the loader reads a triple only when a line follows it
  return out;
}

Level decodeLevel(std::string_view text) {
  const std::vector<std::string> lines = splitLines(text);
  const LevelData data = parseLevel(lines);
  // Stricter than the game's loader, which reads missing cells as empty: a short layer line in a level
  // we ship is a mistake in its map.
  for (size_t index = 6; index < 6 + 3 * static_cast<size_t>(data.height); ++index)
    if (lines[index].size() < static_cast<size_t>(data.width))
      throw Error(format("Level line %d is shorter than %d cells", static_cast<int>(index), data.width));

  Level level;
  level.title = lines[0];
  level.note = lines[1];
  level.texture = data.texture;
  level.background = data.background;
  level.width = data.width;
  level.height = data.height;
  level.back = data.backTiles;
  level.cells = data.collision;
  level.front = data.frontTiles;
  for (const mv::LevelObject& object : data.objects)
    level.objects.push_back({object.kind, object.x, object.y});
  return level;
}

}  // namespace mv::tools
