#include "Levels.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/LevelCheck.h"
#include "platform/Error.h"

namespace mv {
namespace {

using namespace tools;

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

}  // namespace

std::vector<std::string> framedRows(const std::vector<std::string>& rows) {
  const int height = static_cast<int>(rows.size()), width = height ? static_cast<int>(rows[0].size()) : 0;
  // A fighter entering at the spot (col, row) has its middle at x = 16 col + 16, y = 16 row - 9 (see
  // respawnAt), 2 pixels lower once it has settled on the floor, and the view reaches half its size to
  // each side of that.
  int left = 0, right = 0, top = 0, bottom = 0;
  for (int row = 0; row < height; ++row)
    for (int col = 0; col < static_cast<int>(rows[static_cast<size_t>(row)].size()); ++col) {
      if (rows[static_cast<size_t>(row)][static_cast<size_t>(col)] != 'R') continue;
      const int x = 16 * col + 16, y = 16 * row - 9;
      auto cells = [](int pixels) { return pixels > 0 ? (pixels + 15) / 16 : 0; };
      left = std::max(left, cells(kViewWidth / 2 - x));
      right = std::max(right, cells(x + kViewWidth / 2 - 16 * width));
      top = std::max(top, cells(kViewHeight / 2 - y));
      bottom = std::max(bottom, cells(y + 2 + kViewHeight / 2 - 16 * height));
    }
  std::vector<std::string> out(static_cast<size_t>(top),
                               std::string(static_cast<size_t>(left + width + right), '#'));
  for (const std::string& row : rows)
    out.push_back(std::string(static_cast<size_t>(left), '#') + row +
                  std::string(static_cast<size_t>(right), '#'));
  out.insert(out.end(), static_cast<size_t>(bottom),
             std::string(static_cast<size_t>(left + width + right), '#'));
  return out;
}

tools::Level levelFromMap(const LevelMap& map) {
  using namespace tools;
  for (size_t row = 0; row < map.rows.size(); ++row) {
    if (map.rows[row].size() != map.rows[0].size())
      throw Error(format("%s: row %d is %d cells, not %d", map.file.c_str(), static_cast<int>(row),
                         static_cast<int>(map.rows[row].size()), static_cast<int>(map.rows[0].size())));
    for (size_t col = 0; col < map.rows[row].size(); ++col)
      if (!knownChar(map.rows[row][col]))
        throw Error(format("%s: unknown character '%c' at %d,%d", map.file.c_str(), map.rows[row][col],
                           static_cast<int>(col), static_cast<int>(row)));
  }
  const std::vector<std::string> rows = framedRows(map.rows);
  const MapCells cells(rows);
  Level level;
  level.title = map.title;
  level.texture = map.texture;
  level.background = map.background;
  level.height = cells.height();
  level.width = cells.width();
  level.note = "Mashvolt level, " + std::to_string(level.width) + " x " + std::to_string(level.height);
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) level.cells.push_back(collisionOf(cells.at(col, row)));
  MapTiles tiles = tilesOf(cells, map.texture, map.hazard);
  level.back = std::move(tiles.back);
  level.front = std::move(tiles.front);

  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const char c = cells.at(col, row);
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
  // Every level is checked before any stops the build, so one run lists all that is wrong.
  std::string faults;
  for (const LevelMap& map : levelMaps()) {
    try {
      const Level level = levelFromMap(map);
      const std::vector<std::string> problems = checkLevel(level);
      if (!problems.empty()) {
        faults += "\n" + map.file + " is not playable:";
        for (const std::string& p : problems) faults += "\n  " + p;
        continue;
      }
      const std::string bytes = encodeLevel(level);
      std::ofstream out(dir / (map.file + ".lvx"), std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out) throw Error(format("Cannot create file %s", (dir / (map.file + ".lvx")).string().c_str()));
    } catch (const Error& e) {
      faults += "\n" + map.file + ": " + e.what();
    }
  }
  if (!faults.empty()) throw Error(faults.substr(1));
}

}  // namespace mv
