#include "game/world/PhyzObj.h"

#include <algorithm>
#include <cmath>

#include "game/Globals.h"
#include "game/world/Grid.h"

namespace mv {
namespace {

// The cells an edge samples: a run first .. first + n (when n >= 0) plus one more cell.
struct EdgeSamples {
  int64_t line;  // the column (Left, Right) or row (Up, Down) of the edge
  int64_t first;
  int64_t n;
  int64_t extra;
  int64_t lowest() const { return n >= 0 ? std::min(first, extra) : extra; }
  int64_t highest() const { return n >= 0 ? std::max(first + n, extra) : extra; }
};

inline EdgeSamples edgeSamples(int64_t X, int64_t Y, const TRect& hb, int32_t direction) {
  if (direction == TPhyzObj::Left || direction == TPhyzObj::Right)
    return {(X + (direction == TPhyzObj::Left ? hb.Left : hb.Right)) / 16, (Y + hb.Top + 2) / 16,
            (int64_t{hb.Bottom} - hb.Top - 2) / 16, (Y + hb.Bottom - 2) / 16};
  return {(Y + (direction == TPhyzObj::Up ? hb.Top : hb.Bottom)) / 16, (X + hb.Left + 2) / 16,
          (int64_t{hb.Right} - hb.Left - 2) / 16, (X + hb.Right - 2) / 16};
}

}  // namespace

TPhyzObj::TPhyzObj(TSprite* parent) : TImageSpriteEx(parent) {
  hitBox = {0, 0, width, height};
}

bool TPhyzObj::edgeHoldsAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, int32_t direction,
                           uint8_t value) {
  const EdgeSamples s = edgeSamples(X, Y, hb, direction);
  const bool vertical = direction == Up || direction == Down;
  if (s.n >= 0) {
    // Cells outside the grid are empty, so only the part of the run inside it needs a look.
    const int64_t from = std::max<int64_t>(s.first, Grid::First);
    const int64_t to = std::min<int64_t>(s.first + s.n, Grid::Last);
    if (from <= to && (vertical ? grid.rowHolds(s.line, from, to, value) : grid.columnHolds(s.line, from, to, value)))
      return true;
  }
  return (vertical ? grid.at(s.extra, s.line) : grid.at(s.line, s.extra)) == value;
}

bool TPhyzObj::canMoveAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, int32_t direction) {
  return !edgeHoldsAt(grid, X, Y, hb, direction, CellSolid);
}

bool TPhyzObj::touchesCellAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, uint8_t value) {
  // These bounds are the fighters' lethal-cell test as it has always been: for a box starting at
  // (0, 0) they are the cells it covers; for a box with a left margin the column range is narrower.
  int64_t rowFrom = (Y + hb.Top + 1) / 16, rowTo = (Y + int64_t{hb.Bottom} - hb.Top - 1) / 16;
  int64_t colFrom = (X + hb.Left) / 16, colTo = (X + int64_t{hb.Right} - hb.Left) / 16;
  if (rowFrom > rowTo || colFrom > colTo) return false;
  // Beyond the grid every cell is empty: one row or column of that emptiness stands for all of it.
  auto pin = [](int64_t v) { return std::clamp<int64_t>(v, Grid::First - 1, Grid::Last + 1); };
  rowFrom = pin(rowFrom), rowTo = pin(rowTo), colFrom = pin(colFrom), colTo = pin(colTo);
  for (int64_t row = rowFrom; row <= rowTo; ++row)
    for (int64_t col = colFrom; col <= colTo; ++col)
      if (grid.at(col, row) == value) return true;
  return false;
}

bool TPhyzObj::canMove(int32_t direction) const {
  return canMoveAt(globals().grid, nearPixel(x), nearPixel(y), hitBox, direction);
}

bool TPhyzObj::touchesCell(uint8_t value) const {
  return touchesCellAt(globals().grid, nearPixel(x), nearPixel(y), hitBox, value);
}

bool TPhyzObj::beyondGrid(int32_t direction) const {
  const EdgeSamples s = edgeSamples(nearPixel(x), nearPixel(y), hitBox, direction);
  // The samples across the direction of travel do not change while walking along it.
  if (s.highest() < Grid::First || s.lowest() > Grid::Last) return true;
  return (direction == Left || direction == Up) ? s.line < Grid::First : s.line > Grid::Last;
}

void TPhyzObj::respondToContact() {
  if (keepVelocity) return;
  if (!bouncing) {
    // Only a contact against the motion changes anything, so a body at rest makes no test at all.
    if (velY > 0 && !canMove(Up)) velY = 0;
    if (velY < 0 && !canMove(Down)) velY = 0;
    if (velX > 0 && !canMove(Right)) velX = 0;
    if (velX < 0 && !canMove(Left)) velX = 0;
  } else if (!noReflect) {
    // One axis per step, the vertical first; the sign flips whichever way the body was going.
    if (!canMove(Up) || !canMove(Down))
      velY = -velY * bounce;
    else if (!canMove(Right) || !canMove(Left))
      velX = -velX * bounce;
  }
}

void TPhyzObj::walkVertically(double dy) {
  // dy is positive upward, y grows downward.
  double i = 0;
  if (dy < 0) {
    while (i - 1 > dy && canMove(Down)) {
      y += 1;
      i -= 1;
      if (beyondGrid(Down)) {
        y += i - dy;
        return;
      }
    }
    if (i > dy && canMove(Down)) y += i - dy;
  } else if (dy > 0) {
    while (i + 1 < dy && canMove(Up)) {
      y -= 1;
      i += 1;
      if (beyondGrid(Up)) {
        y -= dy - i;
        return;
      }
    }
    if (i < dy && canMove(Up)) y -= dy - i;
  }
}

void TPhyzObj::walkHorizontally(double dx) {
  double i = 0;
  if (dx > 0) {
    while (i + 1 < dx && canMove(Right)) {
      x += 1;
      i += 1;
      if (beyondGrid(Right)) {
        x += dx - i;
        return;
      }
    }
    if (i < dx && canMove(Right)) x += dx - i;
  } else if (dx < 0) {
    while (i - 1 > dx && canMove(Left)) {
      x -= 1;
      i -= 1;
      if (beyondGrid(Left)) {
        x -= i - dx;
        return;
      }
    }
    if (i > dx && canMove(Left)) x -= i - dx;
  }
}

void TPhyzObj::moveSelf(int moveCount) {
  const double m = moveCount;
  TImageSpriteEx::moveSelf(moveCount);
  respondToContact();

  velY = std::clamp(velY - gravity * m / 1500, -300.0, 300.0);

  if (velX != 0 && !canMove(Down)) {
    if (velX > 0)
      velX = std::clamp(velX - friction * m / 500, 0.0, 10000.0);
    else if (velX < 0)
      velX = std::clamp(velX + friction * m / 500, -10000.0, 0.0);
  }

  walkVertically((extraDY + velY) * m);
  walkHorizontally((extraDX + velX) * m);
  extraDX = 0;
  extraDY = 0;
}

}  // namespace mv
