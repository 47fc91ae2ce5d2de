#pragma once
// What makes a level playable beyond being well formed: closed on every side, sensible cell values and
// pick-up kinds, a fair number of respawn points, and every place a fighter can stand reachable from
// every other by walking, falling and jumping.

#include <string>
#include <vector>

#include "common/LevelFile.h"

namespace mv::tools {

// Collision cell values.
constexpr uint8_t kCellEmpty = 0, kCellSolid = 1, kCellPlatform = 2, kCellLethal = 3;

struct LevelRules {
  int minRespawns = 6, maxRespawns = 16;
  // A jump leaves at 0.33 px/ms against a gravity of 1/1500 px/ms^2: 81.7 px in theory, but the
  // per-frame steps lose about velocity x frame / 2, so at 60 frames a second the feet rise about
  // 79 px, just short of five cells. Four cells is the height every jump makes.
  int jumpCells = 4;
  // Sideways travel counted at the top of a jump. Walking covers 0.2 px/ms, about 6 cells while rising,
  // less where the head would bump; four keeps the judgement on the safe side.
  int reachCells = 4;
  // A power pick-up (the rifle, rocket launcher, Redeemer, minigun or Health200) lying this close to a
  // respawn point is a gift to whoever enters there, not a choice: cells between the pick-up and the
  // fighter's two columns, within two rows of its feet.
  int powerClearance = 2;
};

// The pick-ups worth a detour or a risk.
bool isPowerPickup(const std::string& kind);

// A fighter as the check sees it: two cells wide and three tall, standing on the cell below its feet.
// A spot is named by the left column and the row of its feet.
struct StandSpot {
  int col = 0, row = 0;
  bool operator==(const StandSpot&) const = default;
};

// Object placement shared by the level generator and the check. Respawn points are fighter top-left
// corners; pick-ups are their picture's top-left corner.
constexpr int kFighterImageWidth = 32;
constexpr int kPickupSize = 24;
LevelObject respawnAt(StandSpot spot);
LevelObject pickupAt(const std::string& kind, int col, int row);
StandSpot spotOfRespawn(const LevelObject& object);
StandSpot cellOfPickup(const LevelObject& object);  // the cell the pick-up sits in

// "Health25", "Health200", "Armor", or "Weapon"/"Ammo" with a weapon digit 0..7 and anything after it.
bool isPickupKind(const std::string& kind);

bool canStand(const Level& level, StandSpot spot);

// The spots a fighter standing at `from` can get to, as one flag per cell (row by row).
std::vector<bool> reachableFrom(const Level& level, StandSpot from, const LevelRules& rules = {});

// Every problem found, in words; empty for a good level.
std::vector<std::string> checkLevel(const Level& level, const LevelRules& rules = {});

}  // namespace mv::tools
