#pragma once
// The root of the sprite tree. Its own x, y is the camera offset added to every sprite when drawing.

#include <cstdint>
#include <vector>

#include "engine/sprite/Sprite.h"

namespace mv {

class TSurface;

class TSpriteEngine : public TSprite {
 public:
  explicit TSpriteEngine(TSprite* parent = nullptr);
  ~TSpriteEngine() override;

  // Binds the surface drawn on; width, height and surfaceRect follow it. Unbinding empties surfaceRect,
  // so a draw pass without a surface draws nothing.
  void setSurface(TSurface* surface);
  // The move pass over the whole tree (TSprite::move from the root). While it runs, moving() is true:
  // until it ends, only the sprites' own steps change anything.
  void move(int moveCount);
  bool moving() const { return moving_; }
  // Destroys every sprite queued by kill, the most recently queued first.
  void freeKilled();
  void drawAll();

  int32_t allCount() const { return allCount_; }
  int32_t drawCount() const { return drawCount_; }
  const std::vector<TSprite*>& deadList() const { return deadList_; }
  TSurface* surface() const { return surface_; }
  const TRect& surfaceRect() const { return surfaceRect_; }

 private:
  friend class TSprite;

  int32_t allCount_ = 0;
  int32_t drawCount_ = 0;
  std::vector<TSprite*> deadList_;  // queued by kill; each entry leaves the list when it is destroyed
  TSurface* surface_ = nullptr;
  TRect surfaceRect_;
  bool moving_ = false;
};

}  // namespace mv
