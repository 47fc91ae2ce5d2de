#include "game/world/Backdrop.h"

#include <algorithm>
#include <cstdint>

#include "engine/archive/PictureCollection.h"
#include "engine/draw/DXImageList.h"
#include "engine/draw/Surface.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/BackSprite.h"
#include "game/world/ScrollBackGround.h"

namespace mv {
namespace {

int64_t floorDiv16(int64_t v) {
  return v >= 0 ? v / 16 : -((-v + 15) / 16);
}

}  // namespace

void drawBackdrop(TScrollBackGround* background, TBackSprite* backLayer) {
  Globals& g = globals();
  TSurface* surface = g.spriteEngine ? g.spriteEngine->surface() : nullptr;
  TPictureCollectionItem* sheet =
      g.imageList && g.imageList->Items.count() >= 1 ? &g.imageList->Items.item(0) : nullptr;
  // A tile of a row taller than a cell would reach into the next band, over rows drawn after it.
  if (!background || !backLayer || !surface || !sheet || background->surface() != surface ||
      !backLayer->inReadingOrder() || sheet->height() > 16) {
    if (background) background->drawSelf();
    if (backLayer) backLayer->drawTiles();
    return;
  }
  // As TBackSprite::drawTiles takes the camera.
  auto camera = [](double v) { return static_cast<int32_t>(std::clamp(v, -1e9, 1e9)); };
  const int32_t cameraX = camera(g.spriteEngine->x), cameraY = camera(g.spriteEngine->y);
  // Tiles that fill their cell with no colour key cover the background under them wholly: it is left
  // undrawn there.
  const bool cellSized = sheet->width() == 16 && sheet->height() == 16;
  // Band k holds the screen rows of cell row k; the rows above the first band's top and below the
  // last one's bottom are none of the screen's.
  const int64_t width = surface->width(), height = surface->height();
  for (int64_t k = floorDiv16(-int64_t{cameraY}); k <= floorDiv16(height - 1 - cameraY); ++k) {
    const auto top = static_cast<int32_t>(std::max<int64_t>(0, cameraY + 16 * k));
    const auto bottom = static_cast<int32_t>(std::min(height, cameraY + 16 * k + 16));
    int64_t from = 0;  // the background is drawn up to here
    if (cellSized) {
      const auto row = backLayer->rowTiles(k);
      const int64_t firstCol = floorDiv16(-15 - int64_t{cameraX});
      auto it = std::lower_bound(row.begin(), row.end(), firstCol,
                                 [](const PlacedTile& t, int64_t col) { return t.col < col; });
      for (; it != row.end() && cameraX + 16 * int64_t{it->col} < width; ++it) {
        if (!sheet->patternOpaque(static_cast<int8_t>(it->tile))) continue;
        const int64_t left = std::max<int64_t>(0, cameraX + 16 * int64_t{it->col});
        if (left > from) background->drawArea({static_cast<int32_t>(from), top, static_cast<int32_t>(left), bottom});
        from = std::max(from, std::min(width, cameraX + 16 * int64_t{it->col} + 16));
      }
    }
    if (from < width) background->drawArea({static_cast<int32_t>(from), top, static_cast<int32_t>(width), bottom});
    backLayer->drawTileRows(*surface, *sheet, cameraX, cameraY, k, k);
  }
}

}  // namespace mv
