// The end of a match: limits reached by frags and by the match's own clock, the winner or the draw,
// the final table's order, and the deaths the combat code writes down for it.
#include <gtest/gtest.h>

#include <tuple>

#include "FighterWorld.h"
#include "game/combatants/Shot.h"

namespace mv {
namespace {

struct Rules : ::testing::Test {
  GlobalsScope scope;
  TSpriteEngine root;
  TMatch match;
  // Fighters with these frags and deaths, joined in this order.
  void join(TMatch& into, std::initializer_list<std::pair<int32_t, int32_t>> scores) {
    for (auto [frags, deaths] : scores) {
      auto* man = new TMan(&root);
      man->frags = frags;
      man->deaths = deaths;
      into.addFighter(man);
    }
  }
};

TEST_F(Rules, TheMatchEndsOnThePassThatReachesALimit) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<int32_t, int32_t>> scores;
    int32_t fragLimit, timeLimit, moveCount;
    int64_t endsAtPass;  // 0: still running after 10000 passes
    int32_t winner;      // -1: a draw
  };
  const Case cases[] = {
      {"no limits", {{50, 0}, {3, 1}}, 0, 0, 16, 0, -1},
      {"a fighter at the frag limit", {{1, 0}, {5, 9}, {2, 0}}, 5, 0, 16, 1, 1},
      {"past it, as after a double kill", {{7, 0}, {2, 0}}, 5, 0, 16, 1, 0},
      {"a minute of 16 ms passes", {{0, 0}, {1, 0}}, 0, 1, 16, 3750, 1},
      {"a minute of 7 ms passes ends past the minute", {{3, 0}}, 0, 1, 7, 8572, 0},
      {"the most frags shared at the time limit", {{2, 0}, {2, 5}, {1, 0}}, 0, 1, 20, 3000, -1},
      {"both limits, the frags first", {{6, 0}}, 6, 1, 16, 1, 0},
      {"nobody in the match", {}, 0, 1, 60000, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMatch match;
    join(match, c.scores);
    int64_t pass = 0, endedAt = 0;
    while (++pass <= 10000 && endedAt == 0)
      if (match.rules.afterMovePass(match, c.moveCount, c.fragLimit, c.timeLimit)) endedAt = pass;
    EXPECT_EQ(endedAt, c.endsAtPass);
    EXPECT_EQ(match.rules.over(), c.endsAtPass != 0);
    EXPECT_EQ(match.rules.winner(), c.winner);
    EXPECT_EQ(match.rules.timeLeftMs(c.timeLimit),
              c.timeLimit ? 60000 - std::min<int64_t>(60000, endedAt * c.moveCount) : -1);
  }
  join(match, {{9, 0}});  // once over, the clock stands and nothing ends a second time
  EXPECT_TRUE(match.rules.afterMovePass(match, 16, 1, 0));
  EXPECT_FALSE(match.rules.afterMovePass(match, 16, 1, 1));
  EXPECT_EQ(match.rules.clockMs(), 16);
}

TEST_F(Rules, TheTableGoesByFragsThenFewerDeathsThenWhoJoinedFirstAndSharesPlaces) {
  join(match, {{3, 4}, {5, 2}, {3, 1}, {-1, 0}, {3, 1}, {5, 2}});
  EXPECT_EQ(finalStandings(match), (std::vector<Standing>{{1, 1}, {5, 1}, {2, 3}, {4, 3}, {0, 3}, {3, 6}}));
  EXPECT_TRUE(finalStandings(TMatch()).empty());
}

// The combat code, as far as the match hears of it.
struct Deaths : FighterWorld {
  Deaths() { addTestImage(images, "Laser", 6, 16); }
  void shoot(TMan* owner, TMan* victim) {
    auto* shot = new TShot(&root);
    shot->launch(victim->x + 10, victim->y + 20, 0);
    shot->owner = owner;
    shot->bounced = true;  // so it may hit its owner
    shot->hitFighters();
  }
};

TEST_F(Deaths, EveryDeathIsCountedAndToldWithItsKillerAndWeapon) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(200, 0);
  TMan* god = fighter(300, 0);
  TMan* fallen = fighter(400, 160);
  v->health = 1;
  shoot(a, v);
  shoot(a, v);  // the dead die once
  a->health = 1;
  shoot(a, a);
  god->godMode = true;
  shoot(a, god);
  scope.get().grid.set(26, 11, CellLethal);  // under its feet
  fallen->moveSelf(16);
  EXPECT_EQ(a->frags, 0);  // one kill, one suicide
  EXPECT_EQ((std::vector<int32_t>{a->deaths, v->deaths, god->deaths, fallen->deaths}),
            (std::vector<int32_t>{1, 1, 0, 1}));
  std::vector<std::tuple<const TMan*, const TMan*, int32_t>> told;
  for (const MatchEvent& e : match.events.take()) told.emplace_back(e.fighter, e.killer, e.weapon);
  EXPECT_EQ(told, (decltype(told){{v, a, 0}, {a, a, 0}, {fallen, nullptr, kLethalCellDeath}}));
  // A world nobody reads keeps only the newest events.
  for (size_t i = 0; i < MatchEvents::kMaxUnread + 1; ++i) match.events.add({.fighter = i ? nullptr : a});
  EXPECT_EQ(match.events.unread()[0].fighter, nullptr);
}

}  // namespace
}  // namespace mv
