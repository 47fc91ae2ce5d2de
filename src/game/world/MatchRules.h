#pragma once
// The rules that end a match: the frag limit, the time limit, the winner and the order of the final
// table. The match's clock is the sum of the milliseconds of the move passes that ran, never the wall
// clock: every machine that runs the same passes ends the match on the same one, and so does a replay.

#include <cstdint>
#include <vector>

namespace mv {

class TMatch;

// One line of the final table: the fighter's index in the match's list and its place, shared by equal
// frags ("1, 1, 3").
struct Standing {
  int32_t fighter = 0;
  int32_t place = 1;
  bool operator==(const Standing&) const = default;
};

// Most frags first; on equal frags fewer deaths, then the earlier joiner.
std::vector<Standing> finalStandings(const TMatch& match);

class TMatchRules {
 public:
  static constexpr int64_t kMinuteMs = 60000;

  // After a move pass of moveCount ms: the clock moves on and the limits (0 is none) are checked. True
  // on the pass that ends the match; nothing changes once it has ended.
  bool afterMovePass(const TMatch& match, int32_t moveCount, int32_t fragLimit, int32_t timeLimitMinutes);

  int64_t clockMs() const { return clockMs_; }
  bool over() const { return over_; }
  // The winner's index in the match's list; -1 for a draw, or while the match runs.
  int32_t winner() const { return winner_; }
  // What is left of the time limit, never below 0; -1 with no limit.
  int64_t timeLeftMs(int32_t timeLimitMinutes) const;

 private:
  int64_t clockMs_ = 0;
  bool over_ = false;
  int32_t winner_ = -1;
};

}  // namespace mv
