#pragma once
// Where the rows of a ranked table go in a band of the screen: the frag table over the pause menu and
// the end screen's table. Rows keep their own spacing while they fit, come closer when they do not, and
// beyond that the table shows its top ranks with the people's own rows (pinned) at the bottom, each
// with its rank, so a person always finds himself whatever the number of fighters.

#include <cstdint>
#include <vector>

#include "engine/draw/Geometry.h"

namespace mv {

class TSurface;

struct TableRow {
  int32_t rank = 0;  // 0 is the first
  int32_t y = 0;
  bool operator==(const TableRow&) const = default;
};

struct TableBand {
  int32_t top = 0;      // the first row's y
  int32_t lastTop = 0;  // no row starts below this
  int32_t step = 0;     // the spacing while everything fits
  int32_t minStep = 0;  // the closest rows may come
};

std::vector<TableRow> fitRows(int32_t count, const TableBand& band, std::vector<int32_t> pinned);

// Halves every colour of the rectangle (clipped to the surface): a dark panel the text stays readable on.
void darkenRect(TSurface& surface, const TRect& rect);
void fillRect(TSurface& surface, const TRect& rect, uint16_t color);

}  // namespace mv
