#include "LevelDecor.h"

#include "TextureNames.h"

namespace mv {
namespace {

using namespace mv::tiles;

bool isSolid(char c) {
  return c == '#';
}
bool isFloor(char c) {
  return c == '#' || c == '=';
}
bool isLethal(char c) {
  return c == '^';
}
// Air a fighter moves through: open sky, back wall, or a cell with an object in it.
bool isAir(char c) {
  return !isFloor(c) && !isLethal(c);
}

class Decorator {
 public:
  Decorator(const MapCells& map, const std::string& texture, Hazard hazard)
      : map_(map), rock_(texture == "rock"), tech_(texture == "tech"), hazard_(hazard) {}

  uint8_t back(int col, int row) const;
  uint8_t front(int col, int row) const;

 private:
  char at(int col, int row) const { return map_.at(col, row); }
  // A cell shows a back wall: drawn so, or an object cell with back wall on two sides or more.
  bool backWall(int col, int row) const {
    const char c = at(col, row);
    if (c == ':') return true;
    if (c == '.' || !isAir(c)) return false;
    return (at(col - 1, row) == ':') + (at(col + 1, row) == ':') + (at(col, row - 1) == ':') +
               (at(col, row + 1) == ':') >=
           2;
  }
  // Air cells between this one and the floor below it (0: the floor is right under it); -1 when none
  // comes within eight cells.
  int aboveFloor(int col, int row) const {
    for (int d = 0; d < 8; ++d) {
      const char below = at(col, row + 1 + d);
      if (isFloor(below)) return d;
      if (!isAir(below)) return -1;
    }
    return -1;
  }
  bool underCeiling(int col, int row) const { return isSolid(at(col, row - 1)); }
  bool besideWall(int col, int row) const { return isSolid(at(col - 1, row)) || isSolid(at(col + 1, row)); }
  // A lethal cell within `reach` columns on the floor row below.
  bool nearHazard(int col, int row, int reach) const {
    for (int d = -reach; d <= reach; ++d)
      if (isLethal(at(col + d, row + 1)) || isLethal(at(col + d, row + 2))) return true;
    return false;
  }
  // Pipes run up a whole back wall in a few chosen columns.
  bool pipeColumn(int col) const { return scatter(col, 0, 7) % 13 == 0; }

  uint8_t block(int col, int row) const;
  uint8_t walkway(int col, int row) const;
  uint8_t hazardCell(int col, int row) const;
  uint8_t wall(int col, int row) const;
  uint8_t open(int col, int row) const;

  const MapCells& map_;
  bool rock_, tech_;
  Hazard hazard_;
};

uint8_t Decorator::block(int col, int row) const {
  // A pit's walls and floor are wall inside, not lit edges or a walking surface under the liquid.
  auto solid = [&](int dc, int dr) {
    const char c = at(col + dc, row + dr);
    return isSolid(c) || isLethal(c);
  };
  const bool top = !solid(0, -1), bottom = !solid(0, 1), left = !solid(-1, 0), right = !solid(1, 0);
  if (top && left) return kCornerTopLeft;
  if (top && right) return kCornerTopRight;
  if (top) return kFloor;
  if (bottom && left) return kCornerBottomLeft;
  if (bottom && right) return kCornerBottomRight;
  if (bottom) return kCeiling;
  if (left) return kWallLeft;
  if (right) return kWallRight;
  // Two cells and more from any opening the wall is only mass: drawn dark, so a thick wall and the rock
  // round the level do not outshine the place where the fight is.
  bool deep = true;
  for (int dr = -2; dr <= 2 && deep; ++dr)
    for (int dc = -2; dc <= 2 && deep; ++dc) deep = solid(dc, dr);
  if (deep) return kWallDeep;
  return scatter(col, row) % 10 < 6 ? kWall : kWallAlt1;
}

uint8_t Decorator::walkway(int col, int row) const {
  const bool left = at(col - 1, row) == '=', right = at(col + 1, row) == '=';
  if (left && right) {
    // Now and then another middle piece, so a long walkway is not one picture repeated.
    const uint32_t pick = scatter(col, row, 3) % 16;
    return pick < 9 ? kPlatformMiddle : static_cast<uint8_t>(kPlatformStrut + pick - 8);  // 25 .. 31
  }
  if (right) return kPlatformLeft;
  if (left) return kPlatformRight;
  return kPlatformSingle;
}

uint8_t Decorator::hazardCell(int col, int row) const {
  const bool surface = !isLethal(at(col, row - 1));
  const bool deep = isLethal(at(col, row - 1)) && isLethal(at(col, row - 2));
  const uint32_t pick = scatter(col, row, 11);
  switch (hazard_) {
    case Hazard::Spikes:
      return kSpikesUp;
    case Hazard::Acid:
      return surface ? kAcidSurface : kAcid;
    case Hazard::Lava:
      return surface ? kLavaSurface : kLava;
    default:
      if (surface) {
        constexpr uint8_t kTops[] = {kLiquidSurface, kLiquidSurfaceAlt, kLiquidSurfaceAlt2};
        return kTops[pick % 3];
      }
      if (deep) return pick % 2 ? kLiquidDeep1 : kLiquidDeep2;
      return pick % 3 ? kLiquid : kLiquidAlt;
  }
}

uint8_t Decorator::wall(int col, int row) const {
  const uint32_t pick = scatter(col, row, 5);
  if (pipeColumn(col) && (backWall(col, row - 1) || isSolid(at(col, row - 1))) &&
      (backWall(col, row + 1) || isFloor(at(col, row + 1))))
    return kWallPipe;
  const int floor = aboveFloor(col, row);
  if (floor == 3 && pick % 6 == 0) return kWallLamp;  // above the heads
  if (floor == 1 && pick % 11 == 0) return tech_ || pick % 2 ? kWallMonitor : kWallSign;
  if (underCeiling(col, row)) {
    switch (pick % 12) {
      case 0:
      case 1:
        return kWallVent;
      case 2:
        return kWallFan;
      case 3:
        return kWallCables;
      case 4:
        return kWallChain;
      default:
        break;
    }
  }
  // Mostly the plain panel, now and then another, so the wall is not a chequerboard.
  const uint32_t look = scatter(col, row, 9) % 32;
  if (look < 22) return kBackPanelFirst;
  if (look < 27) return static_cast<uint8_t>(kBackPanelFirst + 1 + look % 2);
  if (look < 28) return static_cast<uint8_t>(kBackPanelFirst + 3 + scatter(col, row, 13) % 5);
  return static_cast<uint8_t>(kBackFillFirst + scatter(col, row, 17) % (kBackFillLast - kBackFillFirst + 1));
}

uint8_t Decorator::open(int col, int row) const {
  // Walkways are held up: a beam under every few cells, and a post under each end down to the floor.
  if (at(col, row - 1) == '=' && at(col - 1, row - 1) == '=' && at(col + 1, row - 1) == '=' && col % 4 == 0)
    return kPlatformStrut;
  for (int up = 1; up <= 6; ++up) {
    const char above = at(col, row - up);
    if (above == '=') {
      const bool end = at(col - 1, row - up) != '=' || at(col + 1, row - up) != '=';
      const int floor = aboveFloor(col, row);
      if (end && floor >= 0 && up + floor <= 6 && scatter(col, row - up, 19) % 2 == 0) return kGirderVertical;
      break;
    }
    if (!isAir(above) || above == ':') break;
  }
  const uint32_t pick = scatter(col, row, 23);
  // A warning beside a pit, standing on its rim.
  if (aboveFloor(col, row) == 0 && isSolid(at(col, row + 1)) && nearHazard(col, row, 2) && pick % 2 == 0)
    return kWarningSign;
  if (underCeiling(col, row)) {
    switch (pick % 9) {
      case 0:
        return rock_ ? kCables : kLamp;  // roots in the cave
      case 1:
        return kChain;
      case 2:
        return kCables;
      default:
        break;
    }
  }
  if (besideWall(col, row) && aboveFloor(col, row) == 1 && pick % 5 == 0) {
    constexpr uint8_t kOnWalls[] = {kMonitor, kFan, kWarningSign};
    if (pick % 3 == 0) return isSolid(at(col - 1, row)) ? kArrowRight : kArrowLeft;
    return kOnWalls[pick / 5 % 3];
  }
  // Crystals grow out of the cave floor.
  if (rock_ && aboveFloor(col, row) == 0 && isSolid(at(col, row + 1)) && pick % 17 == 0) return kFan;
  return 0;
}

uint8_t Decorator::back(int col, int row) const {
  const char c = at(col, row);
  if (isSolid(c)) return block(col, row);
  if (c == '=') return backWall(col - 1, row) || backWall(col + 1, row) ? wall(col, row) : walkway(col, row);
  if (isLethal(c)) return hazardCell(col, row);
  if (backWall(col, row)) return wall(col, row);
  return open(col, row);
}

uint8_t Decorator::front(int col, int row) const {
  const char c = at(col, row);
  // A walkway across a back wall is drawn in front: behind it the wall shows, not the sky through it.
  if (c == '=' && (backWall(col - 1, row) || backWall(col + 1, row))) return walkway(col, row);
  // Moss, drips and grime over some walking surfaces, drawn over the floor's top edge.
  if (isSolid(c) && !isSolid(at(col, row - 1)) && scatter(col, row, 29) % 4 == 0)
    return static_cast<uint8_t>(kOverlayFirst + scatter(col, row, 31) % 16);
  return 0;
}

}  // namespace

uint32_t scatter(int col, int row, uint32_t salt) {
  // A 32-bit finaliser (the one of MurmurHash3) over the packed inputs.
  uint32_t h = static_cast<uint32_t>(col) * 0x9E3779B1u ^ static_cast<uint32_t>(row) * 0x85EBCA77u ^
               salt * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x85EBCA6Bu;
  h ^= h >> 13;
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  return h;
}

MapTiles tilesOf(const MapCells& map, const std::string& texture, Hazard hazard) {
  const Decorator d(map, texture, hazard);
  MapTiles tiles;
  const size_t count = static_cast<size_t>(map.width()) * map.height();
  tiles.back.reserve(count);
  tiles.front.reserve(count);
  for (int row = 0; row < map.height(); ++row)
    for (int col = 0; col < map.width(); ++col) {
      tiles.back.push_back(d.back(col, row));
      tiles.front.push_back(d.front(col, row));
    }
  return tiles;
}

}  // namespace mv
