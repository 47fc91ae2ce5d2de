#include "game/world/BackSprite.h"

#include <algorithm>
#include <cstdint>

#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"

namespace mv {
namespace {

int64_t floorDiv16(int64_t v) {
  return v >= 0 ? v / 16 : -((-v + 15) / 16);
}

struct RowOrder {
  bool operator()(const PlacedTile& t, int64_t row) const { return t.row < row; }
  bool operator()(int64_t row, const PlacedTile& t) const { return row < t.row; }
};

}  // namespace

void TBackSprite::addTile(int32_t col, int32_t row, uint8_t tile) {
  if (tile == 0) return;
  if (!tiles_.empty() && std::pair(row, col) <= std::pair(tiles_.back().row, tiles_.back().col))
    inReadingOrder_ = false;
  tiles_.push_back({col, row, tile});
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
  if (inReadingOrder_) return drawTileRows(surface, sheet, cameraX, cameraY, INT64_MIN, INT64_MAX);
  for (const PlacedTile& t : tiles_)
    sheet.draw(surface, cameraX + 16 * t.col, cameraY + 16 * t.row, static_cast<int8_t>(t.tile));
}

std::span<const PlacedTile> TBackSprite::rowTiles(int64_t row) const {
  const auto range = std::equal_range(tiles_.begin(), tiles_.end(), row, RowOrder{});
  return {range.first, range.second};
}

void TBackSprite::drawTileRows(TSurface& surface, TPictureCollectionItem& sheet, int32_t cameraX,
                               int32_t cameraY, int64_t firstRow, int64_t lastRow) const {
  // A tile of the sheet's size at (col, row) reaches the surface only from the cells in these ranges; the
  // rest would be clipped away whole. What is drawn is drawn in the same order, so overlapping tiles of
  // a sheet larger than the cells still come out the same.
  const int64_t w = std::max(sheet.width(), 0), h = std::max(sheet.height(), 0);
  auto firstCell = [](int64_t camera, int64_t size) { return floorDiv16(-camera - size) + 1; };
  auto lastCell = [](int64_t camera, int64_t extent) { return floorDiv16(extent - 1 - camera); };
  const int64_t colFrom = firstCell(cameraX, w), colTo = lastCell(cameraX, surface.width());
  const int64_t rowFrom = std::max(firstRow, firstCell(cameraY, h));
  const int64_t rowTo = std::min(lastRow, lastCell(cameraY, surface.height()));
  auto before = [](const PlacedTile& t, std::pair<int64_t, int64_t> cell) {
    return std::pair<int64_t, int64_t>(t.row, t.col) < cell;
  };
  auto it = std::lower_bound(tiles_.begin(), tiles_.end(), std::pair(rowFrom, colFrom), before);
  while (it != tiles_.end() && it->row <= rowTo) {
    if (it->col > colTo) {
      it = std::lower_bound(it, tiles_.end(), std::pair(int64_t{it->row} + 1, colFrom), before);
      continue;
    }
    if (it->col < colFrom) {
      it = std::lower_bound(it, tiles_.end(), std::pair(int64_t{it->row}, colFrom), before);
      continue;
    }
    sheet.draw(surface, cameraX + 16 * it->col, cameraY + 16 * it->row, static_cast<int8_t>(it->tile));
    ++it;
  }
}

}  // namespace mv
