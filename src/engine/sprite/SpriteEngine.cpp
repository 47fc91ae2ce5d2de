#include "engine/sprite/SpriteEngine.h"

#include "engine/draw/Surface.h"

namespace mv {

TSpriteEngine::TSpriteEngine(TSprite* parent) : TSprite(parent) {}

TSpriteEngine::~TSpriteEngine() {
  // Sprites leave deadList and allCount as they go, so they must go while those still exist.
  clear();
}

void TSpriteEngine::setSurface(TSurface* surface) {
  surface_ = surface;
  if (surface) {
    surfaceRect_ = surface->clientRect();
    width = surfaceRect_.Right - surfaceRect_.Left;
    height = surfaceRect_.Bottom - surfaceRect_.Top;
  } else {
    surfaceRect_ = {};
    width = height = 0;
  }
}

void TSpriteEngine::move(int moveCount) {
  struct Moving {
    bool& flag;
    explicit Moving(bool& f) : flag(f) { flag = true; }
    ~Moving() { flag = false; }
  } moving(moving_);
  TSprite::move(moveCount);
}

void TSpriteEngine::freeKilled() {
  // A destroyed sprite takes itself, and any killed descendants, out of the list.
  while (!deadList_.empty()) delete deadList_.back();
}

void TSpriteEngine::drawAll() {
  drawCount_ = 0;
  draw();
}

}  // namespace mv
