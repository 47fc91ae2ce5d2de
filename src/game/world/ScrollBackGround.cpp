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
  if (TSurface* s = surface()) drawArea(s->clientRect());
}

void TScrollBackGround::drawArea(const TRect& area) {
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
  for (int b = 0; b <= surface.height() / h; ++b)
    for (int d = 0; d <= surface.width() / w; ++d) {
      const TRect part = intersection(area, boundsRect(d * w, b * h, w, h));
      if (part.empty()) continue;
      blitCopy(surface, part.Left, part.Top, *source, part.moved(pattern.Left - d * w, pattern.Top - b * h),
               picture.Transparent);
    }
}

}  // namespace mv
