#pragma once
// A named animation played once at a point (respawn flash, rocket flame, impacts, explosions); it
// removes itself when it reaches its last frame.

#include <cstdint>
#include <string>

#include "engine/sprite/ImageSpriteEx.h"

namespace mv {

class TAnim : public TImageSpriteEx {
 public:
  explicit TAnim(TSprite* parent);

  // (x, y) is the centre of the animation in world pixels; speed is in frames per millisecond.
  void start(const std::string& name, int32_t angle, double x, double y, double speed, int32_t z);
  void moveSelf(int moveCount) override;
};

}  // namespace mv
