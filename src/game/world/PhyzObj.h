#pragma once
// The moving body of the world: fighters, projectiles, pick-ups, gibs and blood all move through the
// collision grid one pixel at a time, so nothing passes through a solid cell however fast it flies.
// Subclasses run this step first in their own moveSelf and then their own logic.

#include <cstdint>

#include "engine/draw/Geometry.h"
#include "engine/sprite/ImageSpriteEx.h"

namespace mv {

class Grid;

class TPhyzObj : public TImageSpriteEx {
 public:
  enum Direction : int32_t { Left = 0, Right = 1, Up = 2, Down = 3 };

  explicit TPhyzObj(TSprite* parent);

  // Contact response, gravity, ground friction, then the pixel walk (vertical first).
  void moveSelf(int moveCount) override;

  // True when no solid cell lies under that edge of the hit box at the current position. Every contact
  // test of the step goes through here, so a body that stands on more than solid cells (a fighter on a
  // platform) says so by overriding it.
  virtual bool canMove(int32_t direction) const;
  // True when a cell around the hit box holds exactly `value` (fighters look for lethal cells).
  bool touchesCell(uint8_t value) const;

  // The same tests at a given integer position, for code that has no body at hand (and for tests).
  static bool canMoveAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, int32_t direction);
  // True when one of the cells canMoveAt samples along that edge holds exactly `value`.
  static bool edgeHoldsAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, int32_t direction,
                          uint8_t value);
  static bool touchesCellAt(const Grid& grid, int64_t X, int64_t Y, const TRect& hb, uint8_t value);

  // x and y as the grid sees them: the nearest integer, halves to the even neighbour. Positions far off
  // the map are pinned well outside the grid, where every cell is empty.
  static int64_t nearPixel(double v) {
    // Far enough outside the grid (16 * 131 pixels) that nothing there is ever solid, small enough that
    // adding any box edge stays well inside int64.
    constexpr double kLimit = 1e9;
    if (!(v > -kLimit && v < kLimit)) return v != v ? 0 : v < 0 ? int64_t{-1000000000} : int64_t{1000000000};
    // Adding and taking away 1.5 * 2^52 leaves no bits below the unit, and the addition rounds to nearest
    // with halves to even (the rounding mode nothing in the game changes). Inline and without a library
    // call: every contact test of the move pass rounds both coordinates.
    constexpr double kRounder = 6755399441055744.0;
    return static_cast<int64_t>((v + kRounder) - kRounder);
  }

  double velX = 0;     // pixels per millisecond, positive to the right
  double velY = 0;     // pixels per millisecond, positive UPWARD
  double extraDX = 0;  // added for the next step only (walking), then cleared
  double extraDY = 0;
  double gravity = 1.0;
  double friction = 1.0;
  double bounce = 0.7;  // share of the velocity kept when it is reflected
  TRect hitBox;         // relative to (x, y)
  bool keepVelocity = false;
  bool bouncing = false;
  bool noReflect = false;

 private:
  void respondToContact();
  void walkVertically(double dy);
  void walkHorizontally(double dx);
  // True when every cell the walk could still meet in that direction lies outside the grid, so the
  // rest of the walk is free and need not be taken pixel by pixel.
  bool beyondGrid(int32_t direction) const;
};

}  // namespace mv
