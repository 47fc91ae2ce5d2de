#include "game/combatants/Player.h"

namespace mv {

TPlayer::TPlayer(TSprite* parent) : TMan(parent) {}

void TPlayer::moveSelf(int moveCount) { TMan::moveSelf(moveCount); }
bool TPlayer::actionDown(int32_t) const { return false; }
bool TPlayer::commandBindDown(int32_t) const { return false; }

}  // namespace mv
