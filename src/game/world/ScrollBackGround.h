#pragma once
// The level's background picture (image-list entry 1), tiled over the whole screen from its top-left
// corner and fixed to the screen whatever the camera does. Its map stays empty, so the engine's draw
// pass never draws it: the frame's drawing calls drawSelf directly, before the back tile layer.

#include "engine/sprite/BackgroundSprite.h"

namespace mv {

class TSurface;

class TScrollBackGround : public TBackgroundSprite {
 public:
  explicit TScrollBackGround(TSprite* parent);

  void drawSelf() override;
  void moveSelf(int moveCount) override {}
  // Only the part of what drawSelf draws that lies in `area` (screen pixels).
  void drawArea(const TRect& area);
  // The surface drawSelf draws on (none before the display exists).
  TSurface* surface() const;
};

}  // namespace mv
