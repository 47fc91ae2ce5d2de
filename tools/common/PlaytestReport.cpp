// The playtest's figures in words, a few lines per level.

#include <algorithm>
#include <string>

#include "common/Playtest.h"
#include "platform/Error.h"

namespace mv::tools {

std::string formatReport(const PlaytestReport& r) {
  std::string out = format("%s (%d x %d), %d s, %d bots\n", r.level.c_str(), r.width, r.height, r.seconds,
                           static_cast<int>(r.bots.size()));
  out += "  frags/deaths:";
  for (size_t i = 0; i < r.bots.size(); ++i)
    out += format(" %s %d/%d", r.bots[i].name.c_str(), r.bots[i].frags, r.bots[i].deaths);
  out += "\n";

  const int deaths = r.deaths();
  out += format("  deaths %d:", deaths);
  for (int w = 0; w < kCauseWeapons; ++w)
    if (r.causes.byWeapon[static_cast<size_t>(w)])
      out += format(" w%d %d", w, r.causes.byWeapon[static_cast<size_t>(w)]);
  out += format(", lethal cell %d, suicide %d (own shot), unknown %d\n", r.causes.lethalCell, r.causes.suicide,
                r.causes.unknown);
  out += format("  spawns %d, died within 2 s of entering %d (%.1f %% of deaths)\n", r.spawns, r.spawnDeaths,
                deaths ? 100.0 * r.spawnDeaths / deaths : 0.0);

  out += "  spawn deaths by point (cells):";
  for (const SpawnFigures& p : r.spawnPoints)
    if (p.spawnDeaths) out += format(" %d,%d:%d/%d", (p.x + 16) / 16, (p.y + 48) / 16 - 1, p.spawnDeaths, p.spawns);
  out += "\n";
  out += "  pick-ups taken:";
  int never = 0;
  for (const PickupFigures& p : r.pickups) {
    out += format(" %s@%d,%d=%d", p.kind.c_str(), p.x / 16, p.y / 16, p.taken);
    never += p.taken == 0;
  }
  out += format(" (%d never)\n", never);

  out += format("  stand spots visited %.0f %%", 100 * r.standCoverage);
  if (r.unvisited.empty()) {
    out += "\n";
  } else {
    out += "; never stood on (cells l,t-r,b: spots):";
    const size_t shown = std::min<size_t>(r.unvisited.size(), 8);
    for (size_t i = 0; i < shown; ++i) {
      const auto& g = r.unvisited[i];
      out += format(" %d,%d-%d,%d:%d", g.left, g.top, g.right, g.bottom, g.spots);
    }
    if (shown < r.unvisited.size()) out += format(" and %d more", static_cast<int>(r.unvisited.size() - shown));
    out += "\n";
  }
  return out;
}

}  // namespace mv::tools
