#pragma once
// What the people are told about the match as it goes: the kill feed (a line per death, in the killer's
// colour), each person's last pick-up notice, and how each of them died last. Filled from the match's
// events after every move pass and aged by the world's milliseconds, so it stands still with the world.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace mv {

class TMan;
struct MatchEvent;

struct FeedLine {
  std::string text;
  uint32_t color = 0;  // 0x00BBGGRR
  int32_t age = 0;     // milliseconds of the world since it came
};

class MatchFeed {
 public:
  static constexpr size_t kKillLines = 5;
  static constexpr int32_t kNoticeMs = 2000;

  // A pass's events; people[0] and people[1] are player 1 and player 2 (none outside Hotseat).
  void take(const std::vector<MatchEvent>& events, const std::array<const TMan*, 2>& people);
  // The world moved on by ms: kill lines older than lineMs and notices older than kNoticeMs go.
  void update(int32_t ms, int32_t lineMs);
  void clear();

  const std::deque<FeedLine>& killLines() const { return kills_; }
  // The person's pick-up notice, or none once it is over.
  const FeedLine* notice(size_t person) const;
  // How the person died last (a death notice), empty before its first death.
  const std::string& lastDeath(size_t person) const { return deaths_[person]; }

 private:
  std::deque<FeedLine> kills_;
  std::array<FeedLine, 2> notices_;
  std::array<std::string, 2> deaths_;
};

// The colour a fighter's name is drawn in: green for player 1, red for player 2, white for the rest.
uint32_t fighterColor(const TMan* fighter, const std::array<const TMan*, 2>& people);

}  // namespace mv
