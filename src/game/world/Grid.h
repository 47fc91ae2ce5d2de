#pragma once
// The collision grid of the current level: one byte per 16 x 16 cell. Columns and rows both run from
// -15 to 115, so a body may wander up to 15 cells off the map and still see (empty) cells; anything
// further out is empty as well. Every read goes through at(), every write through set(), and neither
// ever touches memory outside the array, whatever coordinates it is handed.

#include <array>
#include <cstdint>

namespace mv {

enum GridCell : uint8_t {
  CellEmpty = 0,
  CellSolid = 1,
  CellPlatform = 2,  // blocks fighters from above only
  CellLethal = 3,    // kills fighters
};

class Grid {
 public:
  static constexpr int32_t First = -15;
  static constexpr int32_t Last = 115;
  static constexpr int32_t Side = Last - First + 1;  // 131
  // The largest map whose cells all fit from index 0 on.
  static constexpr int32_t MaxMapSide = Last + 1;  // 116

  static constexpr bool inside(int64_t col, int64_t row) {
    return col >= First && col <= Last && row >= First && row <= Last;
  }

  uint8_t at(int64_t col, int64_t row) const {
    return inside(col, row) ? cells_[index(col, row)] : uint8_t{CellEmpty};
  }

  // Writes outside the array are dropped.
  void set(int64_t col, int64_t row, uint8_t value) {
    if (inside(col, row)) cells_[index(col, row)] = value;
  }

  void clear() { cells_.fill(CellEmpty); }

  // True when a cell of the column (rows from .. to) or of the row (columns from .. to) holds value; the
  // range must lie on the grid, the line itself may be off it (where every cell is empty).
  bool columnHolds(int64_t col, int64_t from, int64_t to, uint8_t value) const {
    if (col < First || col > Last) return value == CellEmpty;
    const uint8_t* cell = &cells_[index(col, from)];
    for (int64_t n = to - from; n >= 0; --n, ++cell)
      if (*cell == value) return true;
    return false;
  }
  bool rowHolds(int64_t row, int64_t from, int64_t to, uint8_t value) const {
    if (row < First || row > Last) return value == CellEmpty;
    const uint8_t* cell = &cells_[index(from, row)];
    for (int64_t n = to - from; n >= 0; --n, cell += Side)
      if (*cell == value) return true;
    return false;
  }

 private:
  // Column by column: all rows of one column are neighbours in memory.
  static constexpr size_t index(int64_t col, int64_t row) {
    return static_cast<size_t>((col - First) * Side + (row - First));
  }

  std::array<uint8_t, Side * Side> cells_{};
};

}  // namespace mv
