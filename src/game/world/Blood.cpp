#include "game/world/Blood.h"

#include "engine/archive/PictureCollection.h"
#include "game/world/Images.h"

namespace mv {

TBlood::TBlood(TSprite* parent) : TPhyzObj(parent) {
  collidable = false;
  setZ(13);
}

void TBlood::setup(double x, double y, double velX, double velY) {
  image = &gameImage("MeatBlood");
  width = height = 10;  // the pattern is stretched to the drop's size
  this->velX = velX;
  this->velY = velY;
  frameCount = 6;
  framePos = 0;
  frameSpeed = 0.01;
  frameLooped = false;
  gravity = 0.1;
  friction = 3.0;
  hitBox = {2, 2, 8, 8};
  this->x = x;
  this->y = y;
  stuck = false;
}

void TBlood::moveSelf(int moveCount) {
  TPhyzObj::moveSelf(moveCount);
  if (stuck) {
    stuckTime += moveCount;
    if (stuckTime > 500) kill();
    return;
  }
  // The flying animation has run out without touching anything.
  if (framePos == 5) {
    kill();
    return;
  }
  // A later contact overrides the angle of an earlier one: a drop in a floor corner lies on the wall.
  if (!canMove(Down)) {
    angle = 0;
    stick();
  }
  if (!canMove(Up)) {
    angle = 128;
    stick();
  }
  if (!canMove(Left)) {
    angle = 64;
    stick();
  }
  if (!canMove(Right)) {
    angle = -64;
    stick();
  }
}

void TBlood::stick() {
  stuck = true;
  image = &gameImage("EarthBlood");
  frameCount = 1;
  friction = 0;
  gravity = 0;
  velX = velY = 0;
}

}  // namespace mv
