#include "game/world/MatchRules.h"

#include <algorithm>

#include "game/combatants/Man.h"
#include "game/world/Match.h"

namespace mv {

std::vector<Standing> finalStandings(const TMatch& match) {
  const int32_t n = match.fighterCount();
  std::vector<int32_t> order(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
  std::stable_sort(order.begin(), order.end(), [&match](int32_t a, int32_t b) {
    const TMan& x = *match.fighter(a);
    const TMan& y = *match.fighter(b);
    if (x.frags != y.frags) return x.frags > y.frags;
    return x.deaths < y.deaths;
  });
  std::vector<Standing> table;
  for (size_t r = 0; r < order.size(); ++r) {
    const bool tied = r > 0 && match.fighter(order[r])->frags == match.fighter(order[r - 1])->frags;
    table.push_back({order[r], tied ? table.back().place : static_cast<int32_t>(r) + 1});
  }
  return table;
}

bool TMatchRules::afterMovePass(const TMatch& match, int32_t moveCount, int32_t fragLimit,
                                int32_t timeLimitMinutes) {
  if (over_) return false;
  clockMs_ += moveCount;
  bool reached = timeLimitMinutes > 0 && clockMs_ >= timeLimitMinutes * kMinuteMs;
  for (int32_t i = 0; i < match.fighterCount() && !reached; ++i)
    reached = fragLimit > 0 && match.fighter(i)->frags >= fragLimit;
  if (!reached) return false;
  over_ = true;
  // Two fighters on the most frags share the match.
  const std::vector<Standing> table = finalStandings(match);
  if (table.size() == 1 || (table.size() > 1 && table[1].place > 1)) winner_ = table[0].fighter;
  return true;
}

int64_t TMatchRules::timeLeftMs(int32_t timeLimitMinutes) const {
  if (timeLimitMinutes <= 0) return -1;
  return std::max<int64_t>(timeLimitMinutes * kMinuteMs - clockMs_, 0);
}

}  // namespace mv
