#pragma once
// Chooses the tiles of a drawn map: the blocks, walkways and lethal cells from what each cell is and
// what lies around it, and the theme's decoration by rules that put each piece where it belongs:
// lamps and monitors on the back walls at head height, vents, cables and chains under ceilings, pipes
// running up whole walls, girders holding up the ends of walkways, signs and fixtures beside the
// walls, and grime, moss or drips over the floors.

#include <cstdint>
#include <string>
#include <vector>

namespace mv {

// What fills a map's lethal cells.
enum class Hazard : uint8_t {
  SheetLiquid,  // the tile sheet's own liquid
  Acid,         // the acid tiles every sheet has
  Lava,         // the lava tiles every sheet has (molten metal in the foundry's sheet)
  Spikes,
};

// A drawn map, its rows padded to a rectangle; outside it every cell reads as solid.
class MapCells {
 public:
  explicit MapCells(const std::vector<std::string>& rows) : rows_(rows) {}
  char at(int col, int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || col < 0 ||
        col >= static_cast<int>(rows_[static_cast<size_t>(row)].size()))
      return '#';
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  }
  int width() const { return rows_.empty() ? 0 : static_cast<int>(rows_[0].size()); }
  int height() const { return static_cast<int>(rows_.size()); }

 private:
  const std::vector<std::string>& rows_;
};

// A number from 0 to 2^32 - 1 that looks random but is fixed by the cell and the salt, so every build
// draws the same level. Every bit depends on every bit of the inputs.
uint32_t scatter(int col, int row, uint32_t salt = 0);

// The back and front tiles of every cell, row by row.
struct MapTiles {
  std::vector<uint8_t> back, front;
};
MapTiles tilesOf(const MapCells& map, const std::string& texture, Hazard hazard);

}  // namespace mv
