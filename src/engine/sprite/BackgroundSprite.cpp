#include "engine/sprite/BackgroundSprite.h"

#include <algorithm>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"
#include "engine/draw/Surface.h"

namespace mv {

namespace {

int32_t clampedProduct(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} * b, -1000000000, 1000000000));
}

}  // namespace

TBackgroundSprite::TBackgroundSprite(TSprite* parent) : TSprite(parent) {
  collidable = false;
}

void TBackgroundSprite::setMapSize(int32_t w, int32_t h) {
  if (w == mapWidth && h == mapHeight) return;
  if (w <= 0 || h <= 0) w = h = 0;
  mapWidth = w;
  mapHeight = h;
  const size_t cells = static_cast<size_t>(w) * static_cast<size_t>(h);
  chips.assign(cells, 0);
  collisionMap.assign(cells, 1);
}

int32_t TBackgroundSprite::chip(int32_t col, int32_t row) const {
  if (col < 0 || row < 0 || col >= mapWidth || row >= mapHeight) return -1;
  const size_t i = static_cast<size_t>(col) + static_cast<size_t>(row) * static_cast<size_t>(mapWidth);
  return i < chips.size() ? chips[i] : -1;
}

bool TBackgroundSprite::cellSolid(int32_t col, int32_t row) const {
  if (col < 0 || row < 0 || col >= mapWidth || row >= mapHeight) return false;
  const size_t i = static_cast<size_t>(col) + static_cast<size_t>(row) * static_cast<size_t>(mapWidth);
  return i < collisionMap.size() && collisionMap[i] != 0;
}

TRect TBackgroundSprite::getBoundsRect() const {
  if (tiled) return engine ? engine->surfaceRect() : TRect{};
  if (!image) return {};
  return boundsRect(truncPixel(worldX()), truncPixel(worldY()), clampedProduct(image->width(), mapWidth),
                    clampedProduct(image->height(), mapHeight));
}

bool TBackgroundSprite::testCollision(TSprite& other) {
  if (!image || mapWidth <= 0 || mapHeight <= 0) return true;
  const int32_t cw = image->width();
  const int32_t ch = image->height();
  if (cw <= 0 || ch <= 0) return false;
  const int32_t ox = truncPixel(worldX());
  const int32_t oy = truncPixel(worldY());
  const TRect theirs = other.getBoundsRect();
  const TRect local = theirs.moved(-ox, -oy);
  const TRect touched = intersection(theirs, getBoundsRect()).moved(-ox, -oy);
  if (touched.empty()) return false;
  // A tiled map repeats in both directions, so cells left of or above the origin wrap around too.
  for (int32_t row = (touched.Top - ch + 1) / ch; row <= touched.Bottom / ch; ++row) {
    for (int32_t col = (touched.Left - cw + 1) / cw; col <= touched.Right / cw; ++col) {
      if (cellSolid(floorMod(col, mapWidth), floorMod(row, mapHeight)) &&
          meets(boundsRect(col * cw, row * ch, cw, ch), local))
        return true;
    }
  }
  return false;
}

void TBackgroundSprite::drawSelf() {
  if (!image || !engine || !engine->surface() || mapWidth <= 0 || mapHeight <= 0) return;
  const int32_t cw = image->width();
  const int32_t ch = image->height();
  if (cw <= 0 || ch <= 0) return;
  TSurface& surface = *engine->surface();
  const TRect& sr = engine->surfaceRect();
  const int32_t ox = truncPixel(worldX());
  const int32_t oy = truncPixel(worldY());
  // Only the cells that can meet the surface, with one cell of margin on each side.
  int32_t col0 = floorDiv(sr.Left - ox, cw) - 1, col1 = floorDiv(sr.Right - 1 - ox, cw) + 1;
  int32_t row0 = floorDiv(sr.Top - oy, ch) - 1, row1 = floorDiv(sr.Bottom - 1 - oy, ch) + 1;
  if (!tiled) {
    col0 = std::max(col0, 0);
    row0 = std::max(row0, 0);
    col1 = std::min(col1, mapWidth - 1);
    row1 = std::min(row1, mapHeight - 1);
  }
  for (int32_t row = row0; row <= row1; ++row) {
    for (int32_t col = col0; col <= col1; ++col) {
      const int32_t pattern =
          tiled ? chip(floorMod(col, mapWidth), floorMod(row, mapHeight)) : chip(col, row);
      if (pattern >= 0) image->draw(surface, ox + col * cw, oy + row * ch, pattern);
    }
  }
}

}  // namespace mv
