#pragma once
// The record of the running match: its fighters, in the order they joined, the level's respawn points,
// what happened in the last move pass, and the rules that end it. Frags and deaths live in the fighters
// themselves; the scoreboard sorts them on its own.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/world/FighterIndex.h"
#include "game/world/MatchEvents.h"
#include "game/world/MatchRules.h"

namespace mv {

class TMan;

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const TPoint&) const = default;
};

class TMatch {
 public:
  TMatch() = default;
  // Clears the program-wide player1 and player2: they are part of the match and die with it.
  ~TMatch();
  TMatch(const TMatch&) = delete;
  TMatch& operator=(const TMatch&) = delete;

  // (-1, -1) for an index outside the points; callers place the fighter there regardless.
  TPoint respawnPoint(int32_t i) const;
  void setRespawnPoint(int32_t i, TPoint p);
  // A count of 0 or below releases the points; new points start at (0, 0).
  void setRespawnCount(int32_t n);
  void addRespawnPoint(TPoint p);
  int32_t respawnCount() const { return respawnCount_; }

  // The match does not own its fighters: they are sprites, owned by the sprite tree.
  void addFighter(TMan* man);
  int32_t fighterCount() const { return static_cast<int32_t>(fighters_.size()); }
  // None before the first fighter joins; an index outside the list is an error after that. Inline:
  // every shot and pick-up asks for every fighter in every move pass.
  TMan* fighter(int32_t i) const {
    if (!hasFighterList_) return nullptr;
    if (i < 0 || i >= fighterCount()) outOfBounds(i);
    return fighters_[static_cast<size_t>(i)];
  }

  // Calls visit(i, fighter) in list order, until it returns false, for the fighters that may meet `s`
  // by the cheap box look (TImageSpriteEx::mayCollide); every other fighter would fail that look.
  template <typename Visit>
  void forEachFighterNear(const TImageSpriteEx& s, Visit visit) {
    const int32_t n = fighterCount();
    if (const std::vector<int32_t>* near = fighterIndex_.near(fighters_, s)) {
      for (int32_t i : *near)
        if (!visit(i, fighter(i))) return;
      return;
    }
    for (int32_t i = 0; i < n; ++i)
      if (!visit(i, fighter(i))) return;
  }
  // A fighter's position or box may have changed (its step, a respawn, a death).
  void fighterMoved() { fighterIndex_.invalidate(); }

  MatchEvents events;
  TMatchRules rules;

 private:
  [[noreturn]] static void outOfBounds(int32_t i);

  std::vector<TPoint> respawnPoints_;
  // The list exists only once the first fighter has joined, which decides how fighter(i) fails.
  bool hasFighterList_ = false;
  std::vector<TMan*> fighters_;
  TFighterIndex fighterIndex_;
  int32_t respawnCount_ = 0;
};

}  // namespace mv
