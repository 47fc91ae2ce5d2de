#include "game/world/ScrollBackGround.h"

#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"

namespace mv {

TScrollBackGround::TScrollBackGround(TSprite* parent) : TBackgroundSprite(parent) {}

void TScrollBackGround::drawSelf() {
  Globals& g = globals();
  TSpriteEngine* root = engine ? engine : g.spriteEngine;
  if (!root || !root->surface() || !g.imageList || g.imageList->Items.count() < 2) return;
  TPictureCollectionItem& picture = g.imageList->Items.item(1);
  const int w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0) return;
  TSurface& surface = *root->surface();
  // Both bounds included: the last row and column may hang off the screen.
  for (int b = 0; b <= surface.height() / h; ++b)
    for (int d = 0; d <= surface.width() / w; ++d) picture.draw(surface, d * w, b * h, 0);
}

}  // namespace mv
