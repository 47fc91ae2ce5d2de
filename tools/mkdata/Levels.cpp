#include "Levels.h"

#include <filesystem>
#include <fstream>

#include "TextureNames.h"
#include "common/LevelCheck.h"
#include "platform/Error.h"

namespace mv {
namespace {

using namespace tools;

// A fixed scatter from a cell's position, so decoration looks random but every build is the same.
int scatter(int col, int row) {
  return (col * 7919 + row * 104729 + col * row * 31) & 0x7FFFFFFF;
}

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
  // Placed weapons use the lying-on-the-floor picture with its glint: the kind only has to start with
  // "Weapon" and the digit, and the plain "Weapon<d>" picture is the held gun with its two facings.
  if (c >= '0' && c <= '7') return std::string("Weapon") + c + "Item";
  if (c >= 'a' && c <= 'h') return std::string("Ammo") + static_cast<char>('0' + (c - 'a'));
  return {};
}

bool knownChar(char c) {
  return c == '#' || c == '=' || c == '^' || c == '.' || c == ':' || c == 'R' || !pickupKind(c).empty();
}

// The back-layer tile of a cell, from what it is and what is around it.
template <typename At>
uint8_t tileFor(const At& at, int col, int row, bool liquids) {
  const char c = at(col, row);
  auto solid = [&](int dc, int dr) { return at(col + dc, row + dr) == '#'; };
  if (c == '#') {
    const bool top = !solid(0, -1), bottom = !solid(0, 1), left = !solid(-1, 0), right = !solid(1, 0);
    if (top && left) return tiles::kCornerTopLeft;
    if (top && right) return tiles::kCornerTopRight;
    if (top) return tiles::kFloor;
    if (bottom && left) return tiles::kCornerBottomLeft;
    if (bottom && right) return tiles::kCornerBottomRight;
    if (bottom) return tiles::kCeiling;
    if (left) return tiles::kWallLeft;
    if (right) return tiles::kWallRight;
    const int look = scatter(col, row) % 10;
    return look < 6 ? tiles::kWall : look < 9 ? tiles::kWallAlt1 : tiles::kWallAlt2;
  }
  if (c == '=') {
    const bool left = at(col - 1, row) == '=', right = at(col + 1, row) == '=';
    if (left && right) return tiles::kPlatformMiddle;
    if (right) return tiles::kPlatformLeft;
    if (left) return tiles::kPlatformRight;
    return tiles::kPlatformSingle;
  }
  if (c == '^') {
    const bool surface = at(col, row - 1) != '^';
    if (liquids) return surface ? tiles::kLiquidSurface : tiles::kLiquid;
    return surface ? tiles::kSpikesUp : tiles::kLiquid;
  }
  // A beam under every few cells of a walkway.
  if (at(col, row - 1) == '=' && at(col - 1, row - 1) == '=' && at(col + 1, row - 1) == '=' && col % 4 == 0)
    return tiles::kPlatformStrut;
  if (c == ':') {
    const int pick = scatter(col, row) % 41;
    if (pick == 0) return tiles::kLamp;
    if (pick == 1) return tiles::kCables;
    if (pick == 2) return tiles::kPipeVertical;
    return static_cast<uint8_t>(tiles::kBackPanelFirst + scatter(row, col) % 3);
  }
  if (c != '.') {
    // An object cell takes the back wall when the air around it has one.
    const int walls = (at(col - 1, row) == ':') + (at(col + 1, row) == ':') + (at(col, row - 1) == ':') +
                      (at(col, row + 1) == ':');
    if (walls >= 2) return tiles::kBackPanelFirst;
  }
  return 0;
}

}  // namespace

tools::Level levelFromMap(const LevelMap& map) {
  using namespace tools;
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
  const bool liquids = !map.spikes;
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const size_t i = static_cast<size_t>(row) * level.width + col;
      level.back[i] = tileFor(at, col, row, liquids);
      // Moss, drips and grime over some walking surfaces, drawn over the floor's top edge.
      if (at(col, row) == '#' && at(col, row - 1) != '#' && scatter(col, row) % 4 == 0)
        level.front[i] = static_cast<uint8_t>(tiles::kOverlayFirst + scatter(row, col) % 16);
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
  using namespace tools;
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
