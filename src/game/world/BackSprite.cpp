#include "game/world/BackSprite.h"

#include <algorithm>

#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"

namespace mv {

void TBackSprite::addTile(int32_t col, int32_t row, uint8_t tile) {
  if (tile == 0) return;
  tiles.push_back({col, row, tile});
}

void TBackSprite::drawTiles() {
  Globals& g = globals();
  if (!g.spriteEngine || !g.spriteEngine->surface() || !g.imageList || g.imageList->Items.count() < 1) return;
  // A camera far outside any level draws nothing either way; keep the conversion defined.
  auto camera = [](double v) { return static_cast<int32_t>(std::clamp(v, -1e9, 1e9)); };
  drawTiles(*g.spriteEngine->surface(), g.imageList->Items.item(0), camera(g.spriteEngine->x),
            camera(g.spriteEngine->y));
}

void TBackSprite::drawTiles(TSurface& surface, TPictureCollectionItem& sheet, int32_t cameraX,
                            int32_t cameraY) const {
  // No culling: the surface clips what lies off screen.
  for (const PlacedTile& t : tiles)
    sheet.draw(surface, cameraX + 16 * t.col, cameraY + 16 * t.row, static_cast<int8_t>(t.tile));
}

}  // namespace mv
