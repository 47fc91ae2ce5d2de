// The playtest watches bot matches from outside the game: what it counts must add up, repeat with the
// seed, and tell the causes of death apart.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "common/LevelCheck.h"
#include "common/LevelFile.h"
#include "common/Playtest.h"

namespace mv::tools {
namespace {

namespace fs = std::filesystem;

// A scratch game folder with the generated pictures and archives and levels of its own.
class ScratchGame {
 public:
  ScratchGame() : dir_(fs::temp_directory_path() / ("mv-playtest-" + std::to_string(::getpid()))) {
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Maps");
    for (const char* sub : {"SYSTEM", "Textures", "Backgrounds"})
      fs::create_directory_symlink(fs::absolute(sub), dir_ / sub);
  }
  ~ScratchGame() { fs::remove_all(dir_); }

  void add(const std::string& name, const Level& level) {
    std::ofstream(dir_ / "Maps" / (name + ".lvx"), std::ios::binary) << encodeLevel(level);
  }
  std::string path() const { return dir_.string(); }

 private:
  fs::path dir_;
};

// Six respawn points high over a floor of lava: whoever enters falls in at once.
Level lavaPit() {
  Level level;
  level.title = "pit";
  level.texture = level.background = "metal";
  level.width = 20;
  level.height = 12;
  const size_t n = static_cast<size_t>(level.width) * level.height;
  level.cells.assign(n, kCellEmpty);
  level.back.assign(n, 0);
  level.front.assign(n, 0);
  for (int row = 0; row < level.height; ++row)
    for (int col = 0; col < level.width; ++col) {
      const bool border = row == 0 || col == 0 || row == level.height - 1 || col == level.width - 1;
      level.cells[static_cast<size_t>(row) * level.width + col] = border                    ? kCellSolid
                                                                  : row >= level.height - 3 ? kCellLethal
                                                                                            : kCellEmpty;
    }
  for (int i = 0; i < 6; ++i) level.objects.push_back(respawnAt({2 + 3 * i, 3}));
  return level;
}

int sum(const std::vector<BotFigures>& bots, int BotFigures::*field) {
  return std::accumulate(bots.begin(), bots.end(), 0,
                         [&](int s, const BotFigures& b) { return s + b.*field; });
}

TEST(Playtest, FiguresOfAMatchAddUpAndRepeatWithTheSeed) {
  PlaytestOptions options;
  options.level = "steelcage";
  options.bots = 4;
  options.seconds = 40;
  const PlaytestReport report = runPlaytest(".", options);

  ASSERT_EQ(report.bots.size(), 4u);
  const int deaths = sum(report.bots, &BotFigures::deaths);
  EXPECT_GT(deaths, 0);
  EXPECT_EQ(report.deaths(), deaths);
  EXPECT_EQ(report.causes.unknown, 0);
  // A kill by another scores one for the killer; a lethal cell or one's own shot costs the victim one.
  const int selfInflicted = report.causes.lethalCell + report.causes.suicide;
  EXPECT_EQ(sum(report.bots, &BotFigures::frags), deaths - 2 * selfInflicted);
  EXPECT_EQ(report.spawnDeaths, sum(report.bots, &BotFigures::spawnDeaths));
  // Each fighter entered once more than it died, or as often while dead at the end.
  EXPECT_GE(report.spawns, deaths);
  EXPECT_LE(report.spawns, deaths + 4);
  int spawnsByPoint = 0;
  for (const SpawnFigures& p : report.spawnPoints) spawnsByPoint += p.spawns;
  EXPECT_EQ(spawnsByPoint, report.spawns);

  // The heat is the time fighters were alive, at most four of them for the whole match.
  const double heat = std::accumulate(report.heat.begin(), report.heat.end(), 0.0);
  EXPECT_GT(heat, 4 * 20000.0);
  EXPECT_LE(heat, 4 * 40000.0);
  EXPECT_GT(report.standCoverage, 0.3);
  EXPECT_LE(report.standCoverage, 1.0);
  EXPECT_NE(formatReport(report).find("steelcage (116 x 63), 40 s, 4 bots"), std::string::npos);

  const PlaytestReport again = runPlaytest(".", options);
  for (size_t i = 0; i < report.bots.size(); ++i) EXPECT_EQ(again.bots[i].frags, report.bots[i].frags);
  EXPECT_EQ(again.causes.byWeapon, report.causes.byWeapon);
  EXPECT_EQ(again.heat, report.heat);
}

TEST(Playtest, DeathsInLavaRightAfterEnteringAreCountedAsSuch) {
  ScratchGame game;
  game.add("pit", lavaPit());
  PlaytestOptions options;
  options.level = "pit";
  options.bots = 2;
  options.seconds = 12;
  const PlaytestReport report = runPlaytest(game.path(), options);

  EXPECT_GE(report.deaths(), 4);
  EXPECT_EQ(report.causes.lethalCell, report.deaths());
  EXPECT_EQ(report.spawnDeaths, report.deaths());
  EXPECT_EQ(sum(report.bots, &BotFigures::frags), -report.deaths());
  EXPECT_EQ(report.standCoverage, 0.0);  // nowhere to stand

  // The heat map is the whole level, a 16-pixel square per cell.
  const std::string picture = game.path() + "/pit.bmp";
  writeHeatMap(game.path(), report, picture);
  std::ifstream in(picture, std::ios::binary);
  char header[26] = {};
  ASSERT_TRUE(in.read(header, sizeof header));
  EXPECT_EQ(std::string(header, 2), "BM");
  auto int32At = [&](int at) {
    return static_cast<int32_t>(static_cast<uint8_t>(header[at]) | static_cast<uint8_t>(header[at + 1]) << 8 |
                                static_cast<uint8_t>(header[at + 2]) << 16 |
                                static_cast<uint32_t>(static_cast<uint8_t>(header[at + 3])) << 24);
  };
  EXPECT_EQ(int32At(18), 20 * 16);
  EXPECT_EQ(std::abs(int32At(22)), 12 * 16);
}

TEST(Playtest, AMissingLevelOrNonsenseOptionsAreRefused) {
  PlaytestOptions options;
  options.level = "no-such-level";
  EXPECT_ANY_THROW(runPlaytest(".", options));
  options.level = "steelcage";
  options.stepMs = 0;
  EXPECT_ANY_THROW(runPlaytest(".", options));
  options.stepMs = 16;
  options.bots = 0;
  EXPECT_ANY_THROW(runPlaytest(".", options));
}

}  // namespace
}  // namespace mv::tools
