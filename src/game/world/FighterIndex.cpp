#include "game/world/FighterIndex.h"

#include <algorithm>
#include <cmath>

#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Man.h"

namespace mv {
namespace {

// mayMeet turns nothing away at or beyond this (nor NaN).
constexpr double kPinned = 1e9;
// Added to the x range on both sides: the range is compared in other sums than mayMeet's, and a
// pixel more costs nothing.
constexpr double kSlack = 1;

bool ordinary(double v) {
  return std::abs(v) < kPinned;
}

}  // namespace

void TFighterIndex::rebuild(const std::vector<TMan*>& fighters) {
  fresh_ = true;
  usable_ = !fighters.empty() && fighters.front();
  if (!usable_) return;
  parent_ = fighters.front()->parent;
  widest_ = 0;
  anywhere_.clear();
  // The fighters move little from one pass to the next: the last order, with the new positions, is
  // nearly sorted, and an insertion sort puts it right in one sweep.
  if (byX_.size() != fighters.size()) {
    byX_.clear();
    for (int32_t i = 0; i < static_cast<int32_t>(fighters.size()); ++i) byX_.push_back({0, i});
  }
  size_t kept = 0;
  for (const Entry& e : byX_) {
    const TMan* f = fighters[static_cast<size_t>(e.index)];
    if (!f || f->parent != parent_) {
      usable_ = false;
      byX_.clear();  // half rearranged: taken afresh next time
      return;
    }
    widest_ = std::max(widest_, f->width);
    if (ordinary(f->x) && ordinary(f->y))
      byX_[kept++] = {f->x, e.index};
    else
      anywhere_.push_back(e.index);
  }
  // Fighters that went far off come back into the order where they belong next time.
  for (int32_t i : anywhere_) byX_[kept++] = {0, i};
  const auto sorted = byX_.begin() + static_cast<std::ptrdiff_t>(kept - anywhere_.size());
  for (auto it = byX_.begin() + 1; it < sorted; ++it)
    for (auto at = it; at != byX_.begin() && at->x < (at - 1)->x; --at) std::iter_swap(at, at - 1);
}

const std::vector<int32_t>* TFighterIndex::near(const std::vector<TMan*>& fighters, const TImageSpriteEx& s) {
  if (!s.engine || !s.engine->moving()) return nullptr;
  if (!fresh_ || byX_.size() != fighters.size()) rebuild(fighters);
  if (!usable_ || s.parent != parent_ || !ordinary(s.x) || !ordinary(s.y)) return nullptr;
  // mayMeet passes a fighter at bx when bx - ax < aw + 2 and ax - bx < bw + 2.
  const double from = s.x - widest_ - 2 - kSlack, to = s.x + s.width + 2 + kSlack;
  const auto sorted = byX_.end() - static_cast<std::ptrdiff_t>(anywhere_.size());
  auto it = std::lower_bound(byX_.begin(), sorted, from, [](const Entry& e, double v) { return e.x < v; });
  found_ = anywhere_;
  for (; it != sorted && it->x <= to; ++it) found_.push_back(it->index);
  std::sort(found_.begin(), found_.end());
  return &found_;
}

}  // namespace mv
