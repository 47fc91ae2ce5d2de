#pragma once
// The host compares every machine's world hash with its own at the same tick. A machine may report a
// tick before or after the host has run it, so each side waits in its table for the other.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace mv {

class DesyncWatch {
 public:
  // Own hashes kept for machines that report late; a machine further behind than this is compared no
  // more (it will have fallen silent long before).
  static constexpr size_t kKept = 64;

  // This machine's hash after a tick; the tick of a difference, if another machine reported it already.
  std::optional<int64_t> own(int64_t tick, uint64_t hash);
  // Another machine's.
  std::optional<int64_t> other(int64_t tick, uint64_t hash);

 private:
  std::map<int64_t, uint64_t> own_;
  std::map<int64_t, std::vector<uint64_t>> waiting_;  // others' hashes for ticks not run here yet
};

}  // namespace mv
