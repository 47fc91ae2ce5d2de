#pragma once
// A body part thrown from a dying fighter: it bounces, trails blood while in the air, and once lying
// still counts down its life (fading out with the "quality" setting on) before it goes.

#include <cstdint>
#include <string>

#include "game/world/PhyzObj.h"

namespace mv {

class TGib : public TPhyzObj {
 public:
  explicit TGib(TSprite* parent);

  // (x, y): top-left corner in world pixels; direction in degrees, 0 down, 90 right, 180 up, 270 left;
  // frame: the piece 0 .. 6 of the model's "_Gibs" picture.
  void setup(const std::string& model, int32_t x, int32_t y, int32_t directionDeg, int32_t speed,
             int32_t frame);
  void moveSelf(int moveCount) override;

  int32_t bleedTimer = 0;  // countdown to the next drop of the blood trail
  int32_t life = 255;      // steps left lying on the ground
};

}  // namespace mv
