#include "game/world/Match.h"

#include <algorithm>

#include "game/Globals.h"
#include "platform/Error.h"

namespace mv {

TMatch::~TMatch() {
  setRespawnCount(0);
  Globals& g = globals();
  g.player1 = nullptr;
  g.player2 = nullptr;
}

TPoint TMatch::respawnPoint(int32_t i) const {
  if (i < 0 || i >= respawnCount_) return {-1, -1};
  return respawnPoints_[static_cast<size_t>(i)];
}

void TMatch::setRespawnPoint(int32_t i, TPoint p) {
  if (i < 0 || i >= respawnCount_) return;
  respawnPoints_[static_cast<size_t>(i)] = p;
}

void TMatch::setRespawnCount(int32_t n) {
  if (n == respawnCount_) return;
  respawnCount_ = n;
  if (n <= 0) {
    respawnPoints_.clear();
    respawnPoints_.shrink_to_fit();
  } else {
    respawnPoints_.resize(static_cast<size_t>(n));
  }
}

void TMatch::addRespawnPoint(TPoint p) {
  setRespawnCount(respawnCount_ + 1);
  setRespawnPoint(respawnCount_ - 1, p);
}

void TMatch::addFighter(TMan* man) {
  hasFighterList_ = true;
  fighters_.push_back(man);
  fighterIndex_.invalidate();
}

void TMatch::outOfBounds(int32_t i) {
  throw Error(format("List index out of bounds (%d)", i));
}

}  // namespace mv
