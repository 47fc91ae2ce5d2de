#include "engine/sprite/ImageSpriteEx.h"

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"
#include "engine/draw/Surface.h"

namespace mv {

TImageSpriteEx::TImageSpriteEx(TSprite* parent) : TImageSprite(parent) {}

TRect TImageSpriteEx::boxRect() const {
  return boundsRect(truncPixel(worldX()), truncPixel(worldY()), width, height);
}

TRect TImageSpriteEx::getBoundsRect() const {
  return engine ? engine->surfaceRect() : boxRect();
}

void TImageSpriteEx::drawSelf() {
  if (!image || !engine || !engine->surface()) return;
  TSurface& surface = *engine->surface();
  const TRect r = boxRect();
  const int32_t frame = drawFrame();
  // The pass never culls these sprites (their bounds are the whole surface); most of a large level's
  // lie off the screen, and those are passed by here.
  if ((angle & 0xFF) == 0) {
    if (!overlap(r, surface.clientRect())) return;
    if (alpha < 255)
      image->drawAlpha(surface, r, frame, alpha);
    else
      image->stretchDraw(surface, r, frame);
    return;
  }
  const int32_t cx = (r.Left + r.Right) / 2;
  const int32_t cy = (r.Top + r.Bottom) / 2;
  if (!turnedMayShow(surface.clientRect(), cx, cy, width, height)) return;
  if (alpha < 255)
    image->drawRotateAlpha(surface, cx, cy, width, height, frame, 0.5, 0.5, angle, alpha);
  else
    image->drawRotate(surface, cx, cy, width, height, frame, 0.5, 0.5, angle);
}

bool TImageSpriteEx::testCollision(TSprite& other) {
  return meets(boxRect(), other.collisionRect());
}

}  // namespace mv
