#include "Levels.h"

#include <filesystem>
#include <fstream>

#include "common/LevelCheck.h"
#include "platform/Error.h"

namespace mv {
namespace {

// Pattern indices of the tile sheets (16 x 16 patterns, row by row); every sheet keeps the same roles
// at the same places, so one rule set decorates every level.
struct TileRoles {
  uint8_t wall = 1;       // solid cell inside a mass
  uint8_t wallTop = 2;    // solid cell with open air above: the walking surface
  uint8_t wallUnder = 3;  // solid cell with open air below: a ceiling
  uint8_t platform = 4;
  uint8_t hazard = 5;
  uint8_t backWall = 6;  // behind open air marked ':'
  uint8_t tuft = 7;      // front decoration on some walking surfaces
};
constexpr TileRoles kTiles;

uint8_t collisionOf(char c) {
  switch (c) {
    case '#':
      return kCellSolid;
    case '=':
      return kCellPlatform;
    case '^':
      return kCellLethal;
    default:
      return kCellEmpty;
  }
}

std::string pickupKind(char c) {
  if (c == '+') return "Health25";
  if (c == 'M') return "Health200";
  if (c == 'A') return "Armor";
  if (c >= '0' && c <= '7') return std::string("Weapon") + c;
  if (c >= 'a' && c <= 'h') return std::string("Ammo") + static_cast<char>('0' + (c - 'a'));
  return {};
}

bool knownChar(char c) {
  return c == '#' || c == '=' || c == '^' || c == '.' || c == ':' || c == 'R' || !pickupKind(c).empty();
}

}  // namespace

Level levelFromMap(const LevelMap& map) {
  Level level;
  level.title = map.title;
  level.note = "Mashvolt level, " + std::to_string(map.rows.empty() ? 0 : map.rows[0].size()) + " x " +
               std::to_string(map.rows.size());
  level.texture = map.texture;
  level.background = map.background;
  level.height = static_cast<int>(map.rows.size());
  level.width = level.height ? static_cast<int>(map.rows[0].size()) : 0;
  const size_t count = static_cast<size_t>(level.width) * level.height;
  level.cells.assign(count, kCellEmpty);
  level.back.assign(count, 0);
  level.front.assign(count, 0);

  for (int row = 0; row < level.height; ++row) {
    const std::string& text = map.rows[row];
    if (static_cast<int>(text.size()) != level.width)
      throw Error(format("%s: row %d is %d cells, not %d", map.file.c_str(), row,
                         static_cast<int>(text.size()), level.width));
    for (int col = 0; col < level.width; ++col) {
      if (!knownChar(text[col]))
        throw Error(format("%s: unknown character '%c' at %d,%d", map.file.c_str(), text[col], col, row));
      level.cells[static_cast<size_t>(row) * level.width + col] = collisionOf(text[col]);
    }
  }

  auto at = [&map](int col, int row) -> char {
    if (row < 0 || row >= static_cast<int>(map.rows.size()) || col < 0 ||
        col >= static_cast<int>(map.rows[row].size()))
      return '#';
    return map.rows[row][col];
  };
  auto open = [&](int col, int row) { return collisionOf(at(col, row)) != kCellSolid; };
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const size_t i = static_cast<size_t>(row) * level.width + col;
      const char c = at(col, row);
      uint8_t& back = level.back[i];
      if (c == '#') {
        back = open(col, row - 1) ? kTiles.wallTop : open(col, row + 1) ? kTiles.wallUnder : kTiles.wall;
        // Every few steps of a walking surface gets a tuft drawn over the fighters' feet.
        if (open(col, row - 1) && at(col, row - 1) != '^' && (col * 7 + row * 3) % 5 == 0)
          level.front[i - level.width] = kTiles.tuft;
      } else if (c == '=') {
        back = kTiles.platform;
      } else if (c == '^') {
        back = kTiles.hazard;
      } else if (c == ':') {
        back = kTiles.backWall;
      } else if (c != '.') {
        // An object cell takes the back wall when the air around it has one.
        const int walls = (at(col - 1, row) == ':') + (at(col + 1, row) == ':') + (at(col, row - 1) == ':') +
                          (at(col, row + 1) == ':');
        if (walls >= 2) back = kTiles.backWall;
      }
    }

  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const char c = at(col, row);
      if (c == 'R')
        level.objects.push_back(respawnAt({col, row}));
      else if (const std::string kind = pickupKind(c); !kind.empty())
        level.objects.push_back(pickupAt(kind, col, row));
    }
  return level;
}

void writeLevels(const std::string& gameDir) {
  const std::filesystem::path dir = std::filesystem::path(gameDir) / "Maps";
  std::filesystem::create_directories(dir);
  for (const LevelMap& map : levelMaps()) {
    const Level level = levelFromMap(map);
    const std::vector<std::string> problems = checkLevel(level);
    if (!problems.empty()) {
      std::string text = map.file + " is not playable:";
      for (const std::string& p : problems) text += "\n  " + p;
      throw Error(text);
    }
    const std::string bytes = encodeLevel(level);
    std::ofstream out(dir / (map.file + ".lvx"), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw Error(format("Cannot create file %s", (dir / (map.file + ".lvx")).string().c_str()));
  }
}

}  // namespace mv
