#pragma once
// A sprite drawn from one pattern of a picture item, with frame animation.

#include <cstdint>

#include "engine/sprite/Sprite.h"

namespace mv {

class TPictureCollectionItem;

class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* parent);

  void drawSelf() override;
  // Advances the animation by frameSpeed frames per millisecond.
  void moveSelf(int moveCount) override;
  TRect getBoundsRect() const override;
  bool testCollision(TSprite& other) override;

  int32_t drawFrame() const;
  // The bounds with the image's pattern centred in the sprite's box.
  TRect drawRect() const;

  int32_t frameCount = 0;
  bool frameLooped = false;
  double framePos = 0;
  double frameSpeed = 0;
  int32_t firstFrame = 0;
  TPictureCollectionItem* image = nullptr;  // not owned: an item of an image list
  bool pixelCollision = false;
  bool wrapAround = false;
  bool transparent = true;  // the picture item's own flag decides; kept for the game classes
};

}  // namespace mv
