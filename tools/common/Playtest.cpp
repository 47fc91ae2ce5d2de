#include "common/Playtest.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <numeric>

#include "common/LevelCheck.h"
#include "common/PlaytestWorld.h"
#include "game/combatants/Bot.h"
#include "game/combatants/Shot.h"
#include "game/world/Item.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

// What a fighter was before the move pass.
Level decodeLevelFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(format("Cannot open file %s", path.c_str()));
  std::ostringstream text;
  text << in.rdbuf();
  return decodeLevel(text.str());
}

struct Before {
  bool alive = false;
  int frags = 0;
};

struct Tracked {
  TMan* man = nullptr;
  int spawnedAt = -1000000;  // game milliseconds
  int spawnPoint = -1;       // where it last entered
  int deaths = 0, spawnDeaths = 0;
};

double centreDistance(const TShot& shot, const TMan& victim) {
  // Explosions measure from the missile's corner to the victim's middle; so does this.
  return std::hypot(shot.x - (victim.x + 16), shot.y - (victim.y + 23));
}

bool overlaps(const TShot& shot, const TMan& victim) {
  const double margin = 8;
  return shot.x + shot.width + margin >= victim.x && shot.x - margin <= victim.x + victim.width &&
         shot.y + shot.height + margin >= victim.y && shot.y - margin <= victim.y + victim.height;
}

// The projectile spent in this pass that most likely killed the victim: one that exploded with the
// victim in its radius, or one that struck its body. None when nothing fits.
const TShot* killingShot(const TSpriteEngine& root, const TMan& victim) {
  const TShot* best = nullptr;
  double bestDistance = 1e9;
  for (const TSprite* sprite : root.deadList()) {
    const auto* shot = dynamic_cast<const TShot*>(sprite);
    if (!shot) continue;
    const double d = centreDistance(*shot, victim);
    const bool fits = shot->splashRadius > 0 ? d <= shot->splashRadius + 1 : overlaps(*shot, victim);
    if (fits && d < bestDistance) {
      best = shot;
      bestDistance = d;
    }
  }
  return best;
}

// Records the cause of one death.
void classify(DeathCauses& causes, const TSpriteEngine& root, const TMan& victim, const Before& before) {
  const bool inLethal = victim.touchesCell(CellLethal);
  const TShot* shot = killingShot(root, victim);
  // A lethal cell costs the victim a frag and leaves no body; a shot of one's own costs a frag too.
  if (inLethal && victim.frags == before.frags - 1 && (!shot || shot->owner != &victim)) {
    ++causes.lethalCell;
    return;
  }
  if (shot && shot->weaponNumber >= 0 && shot->weaponNumber < kCauseWeapons) {
    ++causes.byWeapon[static_cast<size_t>(shot->weaponNumber)];
    if (shot->owner == &victim) ++causes.suicide;
    return;
  }
  if (inLethal)
    ++causes.lethalCell;
  else
    ++causes.unknown;
}

// The stand spot (left column, feet row) a fighter's body is over.
StandSpot feetSpot(const TMan& man) {
  const int col = static_cast<int>(std::floor((man.x + (man.hitBox.Left + man.hitBox.Right) / 2.0) / 16)) - 1;
  const int row = static_cast<int>(std::floor((man.y + man.hitBox.Bottom - 1) / 16.0));
  return {col, row};
}

void findRegions(const Level& level, PlaytestReport& report) {
  const int W = level.width, H = level.height;
  report.spots.assign(static_cast<size_t>(W) * H, 0);
  int standable = 0, stood = 0;
  for (int row = 0; row < H; ++row)
    for (int col = 0; col < W; ++col) {
      const size_t i = static_cast<size_t>(row) * W + col;
      if (!canStand(level, {col, row})) continue;
      ++standable;
      report.spots[i] = report.stoodOn[i] ? 2 : 1;
      stood += report.stoodOn[i] ? 1 : 0;
    }
  report.standCoverage = standable ? static_cast<double>(stood) / standable : 0;

  // Groups of never-visited spots joined side by side or a row apart.
  std::vector<bool> done(report.spots.size(), false);
  for (size_t start = 0; start < report.spots.size(); ++start) {
    if (report.spots[start] != 1 || done[start]) continue;
    PlaytestReport::Region region{W, H, 0, 0, 0};
    std::vector<size_t> stack{start};
    done[start] = true;
    while (!stack.empty()) {
      const size_t at = stack.back();
      stack.pop_back();
      const int col = static_cast<int>(at % W), row = static_cast<int>(at / W);
      region.left = std::min(region.left, col);
      region.right = std::max(region.right, col + 1);
      region.top = std::min(region.top, row - 2);
      region.bottom = std::max(region.bottom, row);
      ++region.spots;
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
          const int c = col + dc, r = row + dr;
          if (!level.inside(c, r)) continue;
          const size_t j = static_cast<size_t>(r) * W + c;
          if (report.spots[j] == 1 && !done[j]) {
            done[j] = true;
            stack.push_back(j);
          }
        }
    }
    if (region.spots >= 3) report.unvisited.push_back(region);
  }
  std::sort(report.unvisited.begin(), report.unvisited.end(),
            [](const auto& a, const auto& b) { return a.spots > b.spots; });
}

}  // namespace

int DeathCauses::total() const {
  return std::accumulate(byWeapon.begin(), byWeapon.end(), 0) + lethalCell + unknown;
}

PlaytestReport runPlaytest(const std::string& gameDir, const PlaytestOptions& options) {
  if (options.stepMs < 1 || options.seconds < 0 || options.bots < 1)
    throw Error("playtest: a step of at least 1 ms, a time and at least one bot are needed");
  PlaytestWorld world(gameDir, options.level, options.seed);
  Globals& g = world.state();
  const Level level = decodeLevelFile(g.dataFolder + "Maps/" + options.level + ".lvx");

  PlaytestReport report;
  report.level = options.level;
  report.width = level.width;
  report.height = level.height;
  report.seconds = options.seconds;
  const size_t cells = static_cast<size_t>(level.width) * level.height;
  report.heat.assign(cells, 0);
  report.stoodOn.assign(cells, false);

  for (int i = 0; i < world.match.respawnCount(); ++i)
    report.spawnPoints.push_back({world.match.respawnPoint(i).x, world.match.respawnPoint(i).y});
  // The point a fighter has just entered at: the nearest, as its first step may already move it a little.
  auto spawnPointOf = [&report](const TMan& man) {
    int best = -1;
    double bestDistance = 24;
    for (size_t i = 0; i < report.spawnPoints.size(); ++i) {
      const double d = std::hypot(man.x - report.spawnPoints[i].x, man.y - report.spawnPoints[i].y);
      if (d < bestDistance) best = static_cast<int>(i), bestDistance = d;
    }
    return best;
  };

  std::vector<TItem*> items;
  for (TSprite* s : world.root.children())
    if (auto* item = dynamic_cast<TItem*>(s); item && !item->dropped) {
      items.push_back(item);
      report.pickups.push_back({item->kind, static_cast<int>(item->x), static_cast<int>(item->baseY), 0});
    }

  std::vector<Tracked> fighters;
  for (int i = 0; i < options.bots; ++i) {
    auto* bot = new TBot(&world.root);
    bot->laziness = static_cast<int8_t>(100 - std::clamp(options.skill, 0, 100));
    world.match.addFighter(bot);
    fighters.push_back({bot});
  }

  std::vector<Before> before(fighters.size());
  std::vector<bool> itemAway(items.size(), false);
  const int steps = options.seconds * 1000 / options.stepMs;
  for (int step = 0; step < steps; ++step) {
    const int now = step * options.stepMs;
    for (size_t i = 0; i < fighters.size(); ++i) before[i] = {fighters[i].man->alive(), fighters[i].man->frags};
    world.root.move(options.stepMs);
    world.console.update(options.stepMs);

    for (size_t i = 0; i < fighters.size(); ++i) {
      Tracked& t = fighters[i];
      TMan& man = *t.man;
      if (!before[i].alive && man.alive()) {
        t.spawnedAt = now;
        t.spawnPoint = spawnPointOf(man);
        if (t.spawnPoint >= 0) ++report.spawnPoints[static_cast<size_t>(t.spawnPoint)].spawns;
        ++report.spawns;
      } else if (before[i].alive && !man.alive()) {
        ++t.deaths;
        if (now - t.spawnedAt < options.spawnDeathMs) {
          ++t.spawnDeaths;
          if (t.spawnPoint >= 0) ++report.spawnPoints[static_cast<size_t>(t.spawnPoint)].spawnDeaths;
        }
        classify(report.causes, world.root, man, before[i]);
      }
      if (!man.alive()) continue;
      const int col = static_cast<int>(std::floor((man.x + 16) / 16)),
                row = static_cast<int>(std::floor((man.y + 23) / 16));
      if (level.inside(col, row)) report.heat[static_cast<size_t>(row) * level.width + col] += options.stepMs;
      if (man.canMove(3)) continue;  // in the air: it stands nowhere
      const StandSpot feet = feetSpot(man);
      for (int c = feet.col - 1; c <= feet.col + 1; ++c)
        if (level.inside(c, feet.row) && canStand(level, {c, feet.row}))
          report.stoodOn[static_cast<size_t>(feet.row) * level.width + c] = true;
    }
    for (size_t i = 0; i < items.size(); ++i) {
      const bool away = items[i]->respawnDelay > 0;
      if (away && !itemAway[i]) ++report.pickups[i].taken;
      itemAway[i] = away;
    }
    world.root.freeKilled();
  }

  for (const Tracked& t : fighters) {
    report.bots.push_back({t.man->name, t.man->frags, t.deaths, t.spawnDeaths});
    report.spawnDeaths += t.spawnDeaths;
  }
  findRegions(level, report);
  return report;
}

}  // namespace mv::tools
