#pragma once
// An image sprite that stretches its pattern to its own box and may rotate and blend it. Every game
// object that moves derives from it. Its bounds are the whole surface, so it is never culled.

#include <cstdint>

#include "engine/sprite/ImageSprite.h"

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

  int32_t angle = 0;  // 256 units per full turn; only the low 8 bits count
  int32_t alpha = 255;
};

}  // namespace mv
