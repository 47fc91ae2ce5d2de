#include "game/world/Anim.h"

#include "engine/archive/PictureCollection.h"
#include "game/world/Images.h"

namespace mv {

TAnim::TAnim(TSprite* parent) : TImageSpriteEx(parent) {
  collidable = false;
  frameLooped = false;
}

void TAnim::start(const std::string& name, int32_t angle, double x, double y, double speed, int32_t z) {
  image = &gameImage(name);
  width = image->width();
  height = image->height();
  frameCount = image->patternCount();
  framePos = 0;
  frameSpeed = speed;
  frameLooped = false;
  this->angle = angle;
  this->x = x - width / 2.0;
  this->y = y - height / 2.0;
  setZ(z);
}

void TAnim::moveSelf(int moveCount) {
  TImageSpriteEx::moveSelf(moveCount);
  // A one-shot animation stops on its last frame, so every animation ends there.
  if (framePos == frameCount - 1) kill();
  // Blood splashes sink as they play.
  if (image && image->Name == "MeatBlood") y += moveCount / 40.0;
}

}  // namespace mv
