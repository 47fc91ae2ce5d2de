// The bot in a fight: whom it sees, which gun it takes for the distance, and where it aims.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "game/Globals.h"
#include "game/combatants/Bot.h"
#include "game/combatants/ShotMath.h"
#include "game/world/Match.h"

namespace mv {
namespace {

// Weapon preferences by distance class: close, middle, far.
constexpr int32_t kPreferences[3][7] = {
    {7, 5, 2, 1, 6, 4, 0},
    {7, 4, 1, 3, 2, 6, 0},
    {7, 4, 1, 6, 3, 0, -1},
};

// Sight points whose cell lies on the grid: trunc(p) div 16 within -15 .. 115. The bounds are a pixel
// wider than needed on each side; the cell test itself decides.
constexpr double kGridLow = (Grid::First - 1) * 16.0 - 1;
constexpr double kGridHigh = (Grid::Last + 1) * 16.0 + 1;
// No sight line crosses more of the grid than this many steps of a pixel or more each.
constexpr double kLongestWalk = 4096;

// Narrows [from, to] to the steps i at which s + step * i lies between the grid's bounds.
void clipToGrid(double s, double step, double& from, double& to) {
  if (step == 0) {
    if (s <= kGridLow || s >= kGridHigh) from = to + 1;
    return;
  }
  double a = (kGridLow - s) / step, b = (kGridHigh - s) / step;
  if (a > b) std::swap(a, b);
  from = std::max(from, std::floor(a));
  to = std::min(to, std::ceil(b));
}

}  // namespace

bool TBot::usable(int32_t w) const {
  return getHasWeapon(w) && (w == 0 || getAmmo(w) >= 1);
}

void TBot::chooseWeapon(int32_t rangeClass) {
  for (int32_t w : kPreferences[std::clamp(rangeClass, 0, 2)]) {
    if (w >= 0 && usable(w)) {
      useWeapon(w);
      return;
    }
  }
}

TMan* TBot::findTarget() const {
  const TMatch* match = globals().match;
  if (!match || !std::isfinite(x) || !std::isfinite(y)) return nullptr;
  // Candidates nearest first (the earlier fighter first on equal distances), so sight lines are walked
  // only until the first visible one. Taken from a heap: most looks end at one of the first few, and
  // sorting the whole crowd for each was a bot's dearest work.
  struct Candidate {
    double dist2;
    int32_t order;
    TMan* man;
    bool after(const Candidate& o) const { return dist2 > o.dist2 || (dist2 == o.dist2 && order > o.order); }
  };
  std::vector<Candidate> candidates;
  candidates.reserve(static_cast<size_t>(match->fighterCount()));
  for (int32_t i = 0; i < match->fighterCount(); ++i) {
    TMan* f = match->fighter(i);
    if (!f || f == this || !f->alive()) continue;
    const double dx = x - f->x, dy = y - f->y;
    const double dist2 = std::nearbyint(dx * dx + dy * dy);
    if (std::isfinite(dist2)) candidates.push_back({dist2, i, f});  // a body lost to NaN is seen by nobody
  }
  auto later = [](const Candidate& a, const Candidate& b) { return a.after(b); };
  std::make_heap(candidates.begin(), candidates.end(), later);
  for (auto end = candidates.end(); end != candidates.begin(); --end) {
    std::pop_heap(candidates.begin(), end, later);
    const TMan* c = (end - 1)->man;
    if (lineOfSight(c->x + 20, c->y + 20)) return (end - 1)->man;
  }
  return nullptr;
}

void TBot::lookAndShoot() {
  TMan* target = findTarget();
  if (!target) {
    engaged = false;
    return;
  }
  const double dx = x - target->x, dy = y - target->y;
  const double d = std::trunc(std::sqrt(std::nearbyint(dx * dx + dy * dy)));
  chooseWeapon(d < 200 ? 0 : (d <= 500 ? 1 : 2));
  // The same direction within -180 .. 180: the minigun's wander keeps the aim within +-90, which would
  // pull an aim of 300-odd degrees round to the floor.
  const int32_t aim = aimAt(target->x + 20, target->y + 20);
  aimAngle = aim > 180 ? aim - 360 : aim;
  engaged = true;
  fire();
}

bool TBot::lineOfSight(double tx, double ty) const {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(tx) || !std::isfinite(ty)) return false;
  const double sx = std::trunc(x) + 21, sy = std::trunc(y) + 24;
  // The step count comes from the sight's own start, so no step is longer than two pixels and none can
  // pass a wall.
  double n = std::trunc(std::hypot(tx - sx, ty - sy));
  if (n == 0) n = 1;
  const double stepX = (tx - sx) / n, stepY = (ty - sy) / n;
  auto reached = [&](double i) {
    return std::fabs(sx + stepX * i - tx) < 5 && std::fabs(sy + stepY * i - ty) < 5;
  };
  // Off the grid every cell is empty, so only the stretch of the line over the grid can block it; the
  // walk reaches the target by step n whatever lies beyond.
  double from = 1, to = n + 1;
  clipToGrid(sx, stepX, from, to);
  clipToGrid(sy, stepY, from, to);
  if (from > to) return true;
  // Points near the target form one run of steps that ends past step n: if it starts before the grid
  // stretch, the step just before that stretch is already in it.
  if (from > 1 && reached(from - 1)) return true;
  const Grid& grid = globals().grid;
  const double count = std::min(to - from, kLongestWalk);
  for (double k = 0; k <= count; ++k) {
    const double i = from + k;
    if (reached(i)) return true;
    const double px = sx + stepX * i, py = sy + stepY * i;
    if (grid.at(truncRound(px) / 16, truncRound(py) / 16) == CellSolid) return false;
  }
  return true;
}

int32_t TBot::aimAt(double tx, double ty) {
  if (tx == x) return 0;
  turn(tx > x ? 1 : 0);
  const double e = tx - x - 20, h = (y + 20) - ty;
  if (e == 0) return 0;
  return 360 - truncRound(std::atan(h / e) * 180 / std::numbers::pi);
}

}  // namespace mv
