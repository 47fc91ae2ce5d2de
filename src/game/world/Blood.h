#pragma once
// A drop of blood: it flies under weak gravity while its animation plays and, on touching a wall, floor
// or ceiling, becomes a stain turned to lie against that surface, which goes half a second later.

#include "game/world/PhyzObj.h"

namespace mv {

class TBlood : public TPhyzObj {
 public:
  explicit TBlood(TSprite* parent);

  // Velocities in pixels per millisecond, velY positive upward.
  void setup(double x, double y, double velX, double velY);
  void moveSelf(int moveCount) override;
  void stick();

  bool stuck = false;
  double stuckTime = 0;  // milliseconds since it stuck
};

}  // namespace mv
