#include "common/LevelCheck.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "platform/Error.h"

namespace mv::tools {
namespace {

constexpr int kBodyRows = 3;  // 46 pixels standing

bool passable(const Level& level, int col, int row) {
  if (!level.inside(col, row)) return false;
  const uint8_t v = level.cell(col, row);
  return v != kCellSolid && v != kCellLethal;
}

// The fighter's body fits with its feet in `row`, occupying columns col, col + 1.
bool bodyFits(const Level& level, int col, int row) {
  for (int c = col; c <= col + 1; ++c)
    for (int r = row - kBodyRows + 1; r <= row; ++r)
      if (!passable(level, c, r)) return false;
  return true;
}

bool holds(const Level& level, int col, int row) {
  if (!level.inside(col, row)) return false;
  const uint8_t v = level.cell(col, row);
  return v == kCellSolid || v == kCellPlatform;
}

// Falls from a body position straight down to where it stands; false when it meets a lethal cell or
// leaves the map.
bool fall(const Level& level, StandSpot& at) {
  while (true) {
    if (!bodyFits(level, at.col, at.row)) return false;
    if (canStand(level, at)) return true;
    ++at.row;
  }
}

size_t spotIndex(const Level& level, StandSpot s) {
  return static_cast<size_t>(s.row) * level.width + s.col;
}

// Every spot one walk, fall or jump away.
std::vector<StandSpot> moves(const Level& level, StandSpot from, const LevelRules& rules) {
  std::vector<StandSpot> out;
  for (int rise = 0; rise <= rules.jumpCells; ++rise) {
    const int row = from.row - rise;
    if (!bodyFits(level, from.col, row)) break;  // the head bumps: no higher jump
    if (rise > 0) {
      StandSpot up{from.col, row};
      if (fall(level, up)) out.push_back(up);
    }
    for (int dir : {-1, 1}) {
      const int reach = rise == 0 ? 1 : rules.reachCells;
      for (int step = 1; step <= reach; ++step) {
        StandSpot side{from.col + dir * step, row};
        if (!bodyFits(level, side.col, side.row)) break;
        if (fall(level, side)) out.push_back(side);
      }
    }
  }
  return out;
}

}  // namespace

LevelObject respawnAt(StandSpot spot) {
  // The hit box (22 wide, centred in the picture) straddles the two columns; the feet start 2 px above
  // the floor so the fighter settles onto it.
  return {"Respawn", spot.col * 16 + 16 - kFighterImageWidth / 2, spot.row * 16 + 16 - 46 - 2};
}

LevelObject pickupAt(const std::string& kind, int col, int row) {
  return {kind, col * 16 + 8 - kPickupSize / 2, row * 16 + 16 - kPickupSize};
}

StandSpot spotOfRespawn(const LevelObject& object) {
  return {(object.x + kFighterImageWidth / 2 - 16) / 16, (object.y + 48) / 16 - 1};
}

StandSpot cellOfPickup(const LevelObject& object) {
  return {(object.x + kPickupSize / 2) / 16, (object.y + kPickupSize - 1) / 16};
}

bool isPickupKind(const std::string& kind) {
  if (kind == "Health25" || kind == "Health200" || kind == "Armor") return true;
  // The game reads the weapon from the digit after the prefix and ignores the rest of the kind.
  auto withDigit = [&kind](const std::string& prefix) {
    return kind.size() > prefix.size() && kind.compare(0, prefix.size(), prefix) == 0 &&
           kind[prefix.size()] >= '0' && kind[prefix.size()] <= '7';
  };
  return withDigit("Weapon") || withDigit("Ammo");
}

bool isPowerPickup(const std::string& kind) {
  if (kind == "Health200") return true;
  if (kind.size() < 7 || kind.compare(0, 6, "Weapon") != 0) return false;
  const char w = kind[6];
  return w == '1' || w == '3' || w == '4' || w == '7';
}

bool canStand(const Level& level, StandSpot s) {
  return bodyFits(level, s.col, s.row) &&
         (holds(level, s.col, s.row + 1) || holds(level, s.col + 1, s.row + 1));
}

std::vector<bool> reachableFrom(const Level& level, StandSpot from, const LevelRules& rules) {
  std::vector<bool> seen(static_cast<size_t>(level.width) * level.height, false);
  if (!level.inside(from.col, from.row) || !canStand(level, from)) return seen;
  std::deque<StandSpot> queue{from};
  seen[spotIndex(level, from)] = true;
  while (!queue.empty()) {
    const StandSpot s = queue.front();
    queue.pop_front();
    for (const StandSpot& next : moves(level, s, rules)) {
      if (seen[spotIndex(level, next)]) continue;
      seen[spotIndex(level, next)] = true;
      queue.push_back(next);
    }
  }
  return seen;
}

std::vector<std::string> checkLevel(const Level& level, const LevelRules& rules) {
  std::vector<std::string> problems;
  auto problem = [&problems](std::string text) { problems.push_back(std::move(text)); };

  for (int col = 0; col < level.width; ++col)
    for (int row = 0; row < level.height; ++row) {
      const bool border = col == 0 || row == 0 || col == level.width - 1 || row == level.height - 1;
      const uint8_t v = level.cell(col, row);
      if (v > kCellLethal) problem(format("cell %d,%d has value %d", col, row, v));
      if (border && v != kCellSolid) problem(format("border cell %d,%d is open", col, row));
      const size_t i = static_cast<size_t>(row) * level.width + col;
      if (level.back[i] > 127 || level.front[i] > 127)
        problem(format("tile at %d,%d is out of range", col, row));
    }

  std::vector<StandSpot> respawns;
  std::vector<StandSpot> pickups;
  std::vector<std::pair<std::string, StandSpot>> powers;
  for (const LevelObject& object : level.objects) {
    if (object.kind == "Respawn") {
      const StandSpot s = spotOfRespawn(object);
      if (!level.inside(s.col, s.row) || !canStand(level, s))
        problem(format("respawn point %d,%d is not on firm ground", object.x, object.y));
      else
        respawns.push_back(s);
    } else if (!isPickupKind(object.kind)) {
      problem("unknown pick-up kind " + object.kind);
    } else {
      const StandSpot c = cellOfPickup(object);
      if (!level.inside(c.col, c.row) || !passable(level, c.col, c.row))
        problem(format("%s at %d,%d is inside a wall", object.kind.c_str(), object.x, object.y));
      else
        pickups.push_back(c);
      if (isPowerPickup(object.kind)) powers.emplace_back(object.kind, c);
    }
  }
  const int respawnCount = static_cast<int>(std::count_if(
      level.objects.begin(), level.objects.end(), [](const LevelObject& o) { return o.kind == "Respawn"; }));
  if (respawnCount < rules.minRespawns || respawnCount > rules.maxRespawns)
    problem(format("%d respawn points, want %d..%d", respawnCount, rules.minRespawns, rules.maxRespawns));
  for (const auto& [kind, p] : powers)
    for (const StandSpot& r : respawns) {
      const int apart = p.col < r.col ? r.col - p.col : p.col > r.col + 1 ? p.col - r.col - 1 : 0;
      if (apart <= rules.powerClearance && std::abs(p.row - r.row) <= 2)
        problem(format("%s at cell %d,%d lies beside the respawn point at %d,%d", kind.c_str(), p.col, p.row,
                       r.col, r.row));
    }
  if (!problems.empty() || respawns.empty()) return problems;

  // Every spot must be reachable from the first respawn point, and the first respawn point from every
  // spot: no ledge out of reach, no pit without a way out. The second is a search over reversed moves.
  const size_t cellCount = static_cast<size_t>(level.width) * level.height;
  std::vector<std::vector<size_t>> comesFrom(cellCount);
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col)
      if (canStand(level, {col, row}))
        for (const StandSpot& next : moves(level, {col, row}, rules))
          comesFrom[spotIndex(level, next)].push_back(spotIndex(level, {col, row}));
  std::vector<bool> backToStart(cellCount, false);
  std::deque<size_t> queue{spotIndex(level, respawns.front())};
  backToStart[queue.front()] = true;
  while (!queue.empty()) {
    const size_t at = queue.front();
    queue.pop_front();
    for (size_t before : comesFrom[at])
      if (!backToStart[before]) {
        backToStart[before] = true;
        queue.push_back(before);
      }
  }
  const std::vector<bool> fromStart = reachableFrom(level, respawns.front(), rules);
  // Side by side spots of a row with the same fault make one problem, named by its first and last.
  enum Fault { None, Unreached, Trap };
  for (int row = 0; row < level.height; ++row) {
    int runStart = 0;
    Fault runFault = None;
    for (int col = 0; col <= level.width; ++col) {
      Fault fault = None;
      if (col < level.width && canStand(level, {col, row}))
        fault = !fromStart[spotIndex(level, {col, row})]     ? Unreached
                : !backToStart[spotIndex(level, {col, row})] ? Trap
                                                             : None;
      if (fault == runFault) continue;
      if (runFault != None) {
        const bool one = col - 1 == runStart;
        const std::string where =
            one ? format("spot %d,%d", runStart, row) : format("spots %d-%d,%d", runStart, col - 1, row);
        problem(where + (runFault == Unreached ? " cannot be reached"
                         : one                 ? " is a trap: no way back"
                                               : " are traps: no way back"));
      }
      runStart = col;
      runFault = fault;
    }
  }

  // A pick-up is in reach when a fighter standing beneath or beside it touches its cell.
  for (const StandSpot& p : pickups) {
    bool reached = false;
    for (int col = p.col - 1; col <= p.col && !reached; ++col)
      for (int row = p.row; row <= p.row + 2 && !reached; ++row)
        reached =
            level.inside(col, row) && fromStart[spotIndex(level, {col, row})] && canStand(level, {col, row});
    if (!reached) problem(format("pick-up at cell %d,%d is out of reach", p.col, p.row));
  }
  return problems;
}

}  // namespace mv::tools
