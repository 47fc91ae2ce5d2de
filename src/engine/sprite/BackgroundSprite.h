#pragma once
// A map of chips (patterns of one picture item) with a solidity flag per cell, optionally repeating
// endlessly in both directions.

#include <cstdint>
#include <vector>

#include "engine/sprite/Sprite.h"

namespace mv {

class TPictureCollectionItem;

class TBackgroundSprite : public TSprite {
 public:
  explicit TBackgroundSprite(TSprite* parent);

  void drawSelf() override;
  TRect getBoundsRect() const override;
  // True when a solid cell overlaps the other sprite's bounds.
  bool testCollision(TSprite& other) override;

  // Resizes the map in cells; every chip becomes 0 and every cell solid. A size <= 0 empties the map.
  void setMapSize(int32_t w, int32_t h);
  int32_t chip(int32_t col, int32_t row) const;    // -1 outside the map
  bool cellSolid(int32_t col, int32_t row) const;  // false outside the map

  TPictureCollectionItem* image = nullptr;  // not owned; its patterns are the chips
  std::vector<uint8_t> collisionMap;        // per cell, col + row * mapWidth; nonzero is solid
  std::vector<int32_t> chips;               // pattern index per cell, same layout
  int32_t mapWidth = 0, mapHeight = 0;
  bool tiled = false;
};

}  // namespace mv
