#pragma once
// What happened in a move pass that the people should hear about: deaths and pick-ups taken, in the
// order they happened. The combat and pick-up code write them down; the shell reads them after the
// pass for the kill feed and the notices. The fighters named are the match's own and live as long as it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mv {

class TMan;

// The weapon of a death in a lethal cell.
constexpr int32_t kLethalCellDeath = -1;

struct MatchEvent {
  enum class Kind : uint8_t { Death, Pickup };
  Kind kind = Kind::Death;
  const TMan* fighter = nullptr;  // who died, or who took the pick-up
  // Deaths: whose projectile it was (the victim itself for a suicide); none for a lethal cell or a
  // projectile nobody fired.
  const TMan* killer = nullptr;
  int32_t weapon = kLethalCellDeath;  // deaths: the weapon 0 .. 7, or kLethalCellDeath
  std::string pickup{};               // pick-ups: the kind taken
};

class MatchEvents {
 public:
  // A world without a shell (a playtest) never reads them; the oldest go beyond this many.
  static constexpr size_t kMaxUnread = 256;

  void add(MatchEvent event) {
    if (unread_.size() >= kMaxUnread) unread_.erase(unread_.begin());
    unread_.push_back(std::move(event));
  }
  std::vector<MatchEvent> take() { return std::exchange(unread_, {}); }
  const std::vector<MatchEvent>& unread() const { return unread_; }

 private:
  std::vector<MatchEvent> unread_;
};

}  // namespace mv
