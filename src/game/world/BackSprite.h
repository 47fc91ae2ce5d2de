#pragma once
// A tile layer of the level: the tiles placed by the level file, drawn from the level's tile sheet
// (image-list entry 0) at their cells, moving with the camera. Two per level: one behind the sprites
// and one in front of them. Not a sprite: the frame's drawing calls drawTiles directly.

#include <cstdint>
#include <span>
#include <vector>

namespace mv {

class TSurface;
class TPictureCollectionItem;

struct PlacedTile {
  int32_t col = 0;
  int32_t row = 0;
  uint8_t tile = 0;  // pattern of the tile sheet; drawn as a signed byte, so 128 .. 255 never show
};

class TBackSprite {
 public:
  // Empty cells (tile 0) are never stored. The layer grows as far as the level needs.
  void addTile(int32_t col, int32_t row, uint8_t tile);
  // Draws every tile on the sprite engine's surface, offset by the engine root's camera position.
  void drawTiles();
  // The same onto any surface with a given sheet and camera (the frame's drawing uses drawTiles).
  void drawTiles(TSurface& surface, TPictureCollectionItem& sheet, int32_t cameraX, int32_t cameraY) const;
  // Only the tiles of cell rows firstRow .. lastRow, for a layer in reading order (see below).
  void drawTileRows(TSurface& surface, TPictureCollectionItem& sheet, int32_t cameraX, int32_t cameraY,
                    int64_t firstRow, int64_t lastRow) const;
  // True while the tiles were added row by row, left to right, as the level loader adds them.
  bool inReadingOrder() const { return inReadingOrder_; }
  // The tiles of one cell row, left to right, for a layer in reading order.
  std::span<const PlacedTile> rowTiles(int64_t row) const;

  int32_t tileCount() const { return static_cast<int32_t>(tiles_.size()); }
  const std::vector<PlacedTile>& tiles() const { return tiles_; }

 private:
  std::vector<PlacedTile> tiles_;
  // While the tiles come in reading order, drawing looks only at the rows and columns on the screen.
  bool inReadingOrder_ = true;
};

}  // namespace mv
