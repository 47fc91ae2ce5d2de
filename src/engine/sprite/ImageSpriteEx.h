#pragma once
// An image sprite that stretches its pattern to its own box and may rotate and blend it. Every game
// object that moves derives from it. Its bounds are the whole surface, so it is never culled.

#include <cstdint>

#include "engine/sprite/ImageSprite.h"
#include "engine/sprite/SpriteMath.h"

namespace mv {

class TImageSpriteEx : public TImageSprite {
 public:
  explicit TImageSpriteEx(TSprite* parent);

  void drawSelf() override;
  TRect getBoundsRect() const override;
  // Plain box overlap of the two sprites' own rectangles.
  bool testCollision(TSprite& other) override;
  TRect collisionRect() const override { return boxRect(); }

  // The sprite's own box in world pixels (not the culling bounds).
  TRect boxRect() const;
  // A cheap look before testCollision when one sprite is tested against a crowd: false only where the
  // two boxes certainly do not meet (siblings far apart), so the dearer test can be skipped.
  bool mayCollide(const TImageSpriteEx& other) const {
    return parent != other.parent ||
           mayMeet(x, y, width, height, other.x, other.y, other.width, other.height);
  }

  int32_t angle = 0;  // 256 units per full turn; only the low 8 bits count
  int32_t alpha = 255;
};

}  // namespace mv
