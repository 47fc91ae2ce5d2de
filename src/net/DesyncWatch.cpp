#include "net/DesyncWatch.h"

namespace mv {

std::optional<int64_t> DesyncWatch::own(int64_t tick, uint64_t hash) {
  own_[tick] = hash;
  if (own_.size() > kKept) own_.erase(own_.begin());
  auto waiting = waiting_.find(tick);
  if (waiting == waiting_.end()) return std::nullopt;
  bool differs = false;
  for (uint64_t theirs : waiting->second) differs |= theirs != hash;
  waiting_.erase(waiting);
  return differs ? std::optional<int64_t>(tick) : std::nullopt;
}

std::optional<int64_t> DesyncWatch::other(int64_t tick, uint64_t hash) {
  auto mine = own_.find(tick);
  if (mine != own_.end()) return mine->second != hash ? std::optional<int64_t>(tick) : std::nullopt;
  // Reported before this machine got there; a tick it has passed (its hash forgotten) is not compared.
  if (own_.empty() || tick > own_.rbegin()->first) waiting_[tick].push_back(hash);
  return std::nullopt;
}

}  // namespace mv
