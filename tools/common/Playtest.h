#pragma once
// A bot match on one level, run headless at a fixed step and watched from outside the game: who scored,
// what killed whom (weapon, lethal cell, own hand), how often a fighter died just after entering, which
// pick-ups were taken, and where the fighters spent their time.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mv::tools {

struct PlaytestOptions {
  std::string level;  // a file name in Maps, without ".lvx"
  int bots = 8;
  int skill = 80;
  uint32_t seed = 1;
  int seconds = 300;  // game time
  int stepMs = 16;    // one move pass, as a frame at about 60 a second
  int spawnDeathMs = 2000;
};

constexpr int kCauseWeapons = 8;

// Deaths by what caused them. A suicide is a death by one's own shot; the weapon column counts it too.
struct DeathCauses {
  std::array<int, kCauseWeapons> byWeapon{};
  int lethalCell = 0;
  int suicide = 0;
  int unknown = 0;
  int total() const;
};

struct BotFigures {
  std::string name;
  int frags = 0;
  int deaths = 0;
  int spawnDeaths = 0;  // died within spawnDeathMs of entering
};

struct PickupFigures {
  std::string kind;
  int x = 0, y = 0;
  int taken = 0;
};

struct SpawnFigures {
  int x = 0, y = 0;  // the respawn point
  int spawns = 0, spawnDeaths = 0;
};

struct PlaytestReport {
  std::string level;
  int width = 0, height = 0;  // cells
  int seconds = 0;
  std::vector<BotFigures> bots;
  DeathCauses causes;
  int spawns = 0;
  int spawnDeaths = 0;
  std::vector<PickupFigures> pickups;
  std::vector<SpawnFigures> spawnPoints;
  // Milliseconds of fighter presence per cell (row by row, width x height), counted at the centre of
  // each living fighter's body.
  std::vector<double> heat;
  // Of the places a fighter can stand, the share where a fighter's feet were at some time, and the
  // larger groups of such places never stood on (cells: left, top, right, bottom, and how many).
  double standCoverage = 0;
  struct Region {
    int left = 0, top = 0, right = 0, bottom = 0, spots = 0;
  };
  std::vector<Region> unvisited;
  // Per cell: whether a fighter's feet were there, and 0 not a place to stand, 1 one never stood on,
  // 2 one stood on.
  std::vector<bool> stoodOn;
  std::vector<uint8_t> spots;
  int deaths() const { return causes.total(); }
};

// Runs the match with the game's data in gameDir (Maps, Textures, Backgrounds, SYSTEM). Throws
// mv::Error when the level or the data cannot be loaded. The same options give the same report.
PlaytestReport runPlaytest(const std::string& gameDir, const PlaytestOptions& options);

// The report as a few lines of plain text.
std::string formatReport(const PlaytestReport& report);

// The whole level drawn as the game draws it (background, back tiles, pick-ups, front tiles), dimmed,
// with the report's heat laid over it and the respawn points marked, written as a BMP.
void writeHeatMap(const std::string& gameDir, const PlaytestReport& report, const std::string& path);

}  // namespace mv::tools
