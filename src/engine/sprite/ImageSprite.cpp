#include "engine/sprite/ImageSprite.h"

#include <algorithm>
#include <cmath>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"
#include "engine/draw/Surface.h"

namespace mv {

namespace {

// Where a pattern lies in the whole picture (the surfaces may cut the picture into blocks, so the
// surface rectangle is not enough). Empty for an index the item does not have.
TRect patternInPicture(const TPictureCollectionItem& item, int index) {
  const int w = item.width(), h = item.height();
  const int w2 = w + item.SkipWidth, h2 = h + item.SkipHeight;
  if (w <= 0 || h <= 0 || w2 <= 0 || h2 <= 0 || index < 0 || index >= item.patternCount()) return {};
  const int cols = (item.picture().width() + item.SkipWidth) / w2;
  if (cols <= 0) return boundsRect(0, 0, w, h);
  return boundsRect((index % cols) * w2, (index / cols) * h2, w, h);
}

}  // namespace

TImageSprite::TImageSprite(TSprite* parent) : TSprite(parent) {}

void TImageSprite::drawSelf() {
  if (!image || !engine || !engine->surface()) return;
  const TRect r = drawRect();
  image->draw(*engine->surface(), r.Left, r.Top, drawFrame());
}

void TImageSprite::moveSelf(int moveCount) {
  framePos += frameSpeed * moveCount;
  if (frameLooped) {
    if (frameCount > 0) {
      framePos -= std::trunc(framePos / frameCount) * frameCount;
      if (framePos < 0) framePos += frameCount;
    } else {
      framePos = 0;
    }
  } else {
    // A one-shot animation parks on its last frame; game code watches for framePos == frameCount - 1.
    if (framePos >= frameCount) {
      framePos = frameCount - 1;
      frameSpeed = 0;
    }
    if (framePos < 0) {
      framePos = 0;
      frameSpeed = 0;
    }
  }
}

int32_t TImageSprite::drawFrame() const {
  const int64_t frame = int64_t{truncPixel(framePos)} + firstFrame;
  return static_cast<int32_t>(std::clamp<int64_t>(frame, INT32_MIN, INT32_MAX));
}

TRect TImageSprite::getBoundsRect() const {
  int32_t bx = truncPixel(worldX());
  int32_t by = truncPixel(worldY());
  if (wrapAround && engine) {
    // The sprite reappears on the other side once it has fully left the surface.
    const TRect& sr = engine->surfaceRect();
    const int32_t spanX = sr.Right + width;
    const int32_t spanY = sr.Bottom + height;
    if (spanX > 0) {
      bx = floorMod(bx, spanX);
      if (bx > sr.Right) bx -= spanX;
    }
    if (spanY > 0) {
      by = floorMod(by, spanY);
      if (by > sr.Bottom) by -= spanY;
    }
  }
  return boundsRect(bx, by, width, height);
}

TRect TImageSprite::drawRect() const {
  // Without a picture there is nothing to centre, so the box itself is the pattern.
  const int32_t pw = image ? image->width() : width;
  const int32_t ph = image ? image->height() : height;
  return getBoundsRect().moved((width - pw) / 2, (height - ph) / 2);
}

bool TImageSprite::testCollision(TSprite& other) {
  auto* o = dynamic_cast<TImageSprite*>(&other);
  if (!o || !pixelCollision || !image || !o->image) return true;
  // Only pattern rectangles are compared, in this sprite's picture coordinates; no pixel is read.
  const TRect mine = drawRect();
  const TRect theirs = o->drawRect();
  const TRect otherPattern =
      boundsRect(theirs.Left - mine.Left, theirs.Top - mine.Top, o->image->width(), o->image->height());
  return meets(otherPattern, patternInPicture(*image, drawFrame()));
}

}  // namespace mv
