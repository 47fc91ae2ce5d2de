#pragma once
// A fighter driven by the computer. It walks the level back and forth, turns at walls and before lethal
// cells, crouches under low gaps and jumps onto ledges; now and then (less often the lazier it is) it
// looks for the nearest fighter in sight, picks a weapon for the distance, aims and fires.
//
// Bot.cpp has its life, chat and walking; BotSight.cpp the sight line, target, weapon and aim.

#include <cstdint>
#include <string>

#include "game/combatants/Man.h"

namespace mv {

class TBot : public TMan {
 public:
  explicit TBot(TSprite* parent);

  void moveSelf(int moveCount) override;

  // The fighter's free-space test with lethal cells blocking too.
  bool botCanWalk(int32_t direction) const;
  bool lethalAhead(int32_t side) const;
  bool ledgeAhead(int32_t side);
  bool tryCrouchPast(int32_t side);
  void walkStep(int32_t side);
  void moveAndFight();
  void chooseWeapon(int32_t rangeClass);
  void useWeapon(int32_t w) { currentWeapon = static_cast<int8_t>(w); }
  bool usable(int32_t w) const;
  void lookAndShoot();
  // From the bot's eyes to (tx, ty); only solid cells block it, and a position lost to NaN sees nothing.
  bool lineOfSight(double tx, double ty) const;
  // Turns towards the point and answers the aim at it: 360 - the angle above the horizontal, in degrees.
  int32_t aimAt(double tx, double ty);
  // The nearest living fighter in sight (ties to the earlier one in the match), or none.
  TMan* findTarget() const;

  uint8_t moveDir = 0;   // 0 left, 1 right
  uint8_t moveMode = 2;  // 0 hold crouching, 1 jump, 2 walk
  bool engaged = false;
  bool deathHandled = false;
  int8_t laziness = 0;  // 0 .. 100

 private:
  void runChat(const std::string& line);

  // The laziest bot's name, numbered when another has it; chosen again only when it was changed.
  std::string torchName_;
};

}  // namespace mv
