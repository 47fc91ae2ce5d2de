#include "common/LevelFile.h"

#include <charconv>

#include "platform/Error.h"

namespace mv::tools {
namespace {

constexpr int kCodeOffset = 20;

char encodeValue(uint8_t value) {
  const char c = static_cast<char>((value + kCodeOffset) & 0xFF);
  if (c == '\r' || c == '\n') throw Error(format("Level value %d cannot be written", value));
  return c;
}

uint8_t decodeValue(char c) {
  return static_cast<uint8_t>((static_cast<uint8_t>(c) - kCodeOffset) & 0xFF);
}

const std::string& lineAt(const std::vector<std::string>& lines, size_t index) {
  if (index >= lines.size()) throw Error(format("List index out of bounds (%d)", static_cast<int>(index)));
  return lines[index];
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

int32_t parseLevelInteger(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || end != last)
    throw Error(format("'%s' is not a valid integer value", text.c_str()));
  return value;
}

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
  Level level;
  level.title = lineAt(lines, 0);
  level.note = lineAt(lines, 1);
  level.texture = lineAt(lines, 2);
  level.background = lineAt(lines, 3);
  level.width = parseLevelInteger(lineAt(lines, 4));
  level.height = parseLevelInteger(lineAt(lines, 5));
  if (level.width < 1 || level.height < 1 || level.width > kMaxLevelSide || level.height > kMaxLevelSide)
    throw Error(format("Level size %dx%d is outside 1..%d", level.width, level.height, kMaxLevelSide));

  size_t next = 6;
  for (auto* layer : {&level.back, &level.cells, &level.front}) {
    layer->reserve(static_cast<size_t>(level.width) * level.height);
    for (int row = 0; row < level.height; ++row, ++next) {
      const std::string& cells = lineAt(lines, next);
      if (cells.size() < static_cast<size_t>(level.width))
        throw Error(format("Level line %d is shorter than %d cells", static_cast<int>(next), level.width));
      for (int col = 0; col < level.width; ++col) layer->push_back(decodeValue(cells[col]));
    }
  }

  // The first triple is always read; each further one only when a line follows it.
  size_t k = next;
  do {
    LevelObject object;
    object.kind = lineAt(lines, k);
    object.x = parseLevelInteger(lineAt(lines, k + 1));
    object.y = parseLevelInteger(lineAt(lines, k + 2));
    level.objects.push_back(std::move(object));
    k += 3;
  } while (lines.size() > k + 3);
  return level;
}

}  // namespace mv::tools
