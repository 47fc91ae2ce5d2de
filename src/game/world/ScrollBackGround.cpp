#include "game/world/ScrollBackGround.h"

#include <algorithm>

#include "engine/draw/Blit.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"

namespace mv {

TScrollBackGround::TScrollBackGround(TSprite* parent) : TBackgroundSprite(parent) {}

TSurface* TScrollBackGround::surface() const {
  const TSpriteEngine* root = engine ? engine : globals().spriteEngine;
  return root ? root->surface() : nullptr;
}

void TScrollBackGround::drawSelf() {
  if (TSurface* s = surface()) drawRows(0, s->height());
}

void TScrollBackGround::drawRows(int top, int bottom) {
  Globals& g = globals();
  TSurface* target = surface();
  if (!target || !g.imageList || g.imageList->Items.count() < 2) return;
  TPictureCollectionItem& picture = g.imageList->Items.item(1);
  const int w = picture.width(), h = picture.height();
  const TSurface* source = picture.patternSurface(0);
  if (w <= 0 || h <= 0 || !source) return;
  const TRect pattern = picture.patternRect(0);
  TSurface& surface = *target;
  // Both bounds included: the last row and column may hang off the screen.
  for (int b = 0; b <= surface.height() / h; ++b) {
    const int from = std::max(top, b * h), to = std::min(bottom, b * h + h);
    if (from >= to) continue;
    const TRect rows{pattern.Left, pattern.Top + from - b * h, pattern.Right, pattern.Top + to - b * h};
    for (int d = 0; d <= surface.width() / w; ++d) blitCopy(surface, d * w, from, *source, rows, picture.Transparent);
  }
}

}  // namespace mv
