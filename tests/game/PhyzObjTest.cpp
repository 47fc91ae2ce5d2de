#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Grid.h"
#include "game/world/PhyzObj.h"

namespace mv {
namespace {

using D = TPhyzObj::Direction;

class PhyzTest : public testing::Test {
 protected:
  // A body with a 10 x 10 box and no gravity or friction unless a test asks for them.
  TPhyzObj* body(double x, double y) {
    auto* b = new TPhyzObj(&root);
    b->hitBox = {0, 0, 10, 10};
    b->x = x;
    b->y = y;
    b->gravity = 0;
    b->friction = 0;
    return b;
  }
  // A solid floor along row `row`, columns from .. to.
  void floor(int row, int from = -15, int to = 115) {
    for (int c = from; c <= to; ++c) grid().set(c, row, CellSolid);
  }
  Grid& grid() { return scope.get().grid; }

  GlobalsScope scope;
  TSpriteEngine root;
};

TEST_F(PhyzTest, CanMoveSamplesTheLeadingEdge) {
  const TRect box{0, 0, 10, 10};
  grid().set(1, 1, CellSolid);
  // Down samples columns trunc((X+2)/16) and trunc((X+8)/16) at row trunc((Y+10)/16).
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 8, 6, box, D::Down));   // columns 0 and 1, row 1
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 7, 6, box, D::Down));    // columns 0 and 0
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 8, 5, box, D::Down));    // row 0
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 30, 6, box, D::Down));   // (32 and 38) / 16 = 2
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 29, 6, box, D::Down));  // column 1 from the near corner
  // Right and Down test the first pixel beyond the box, Left and Up the box's own first pixel.
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 6, 16, box, D::Right));  // 6 + 10 = 16: column 1
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 5, 16, box, D::Right));
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 31, 16, box, D::Left));  // column 1 itself
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 32, 16, box, D::Left));
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 16, 31, box, D::Up));
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 16, 32, box, D::Up));
  // The outermost two pixels of the edge do not reach a cell: only one row of the box in row 1.
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 6, 7, box, D::Right));  // rows (9 and 15) / 16 = 0
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 6, 8, box, D::Right));

  // A tall box samples every cell between its near and far corner.
  const TRect tall{0, 0, 10, 64};
  grid().clear();
  grid().set(1, 2, CellSolid);
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 6, 0, tall, D::Right));
  // Only value 1 blocks a plain body.
  grid().set(1, 2, CellPlatform);
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 6, 0, tall, D::Right));
}

TEST_F(PhyzTest, MarginsAndPositionsFarOffTheMap) {
  const TRect box{0, 0, 10, 10};
  grid().set(0, 0, CellSolid);
  // Less than a cell left of the map still reads column 0 (truncation toward zero).
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), -10, 0, box, D::Left));
  // x = -20 reads margin cells, which are empty.
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), -20, 0, box, D::Left));
  grid().set(-15, -15, CellSolid);
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), -15 * 16 - 15, -15 * 16 - 15, box, D::Left));
  // Beyond the grid in any direction is empty.
  for (D d : {D::Left, D::Right, D::Up, D::Down}) {
    EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 1000000000, 0, box, d));
    EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 0, -1000000000, box, d));
  }
  // A box billions of pixels tall still finds the solid cell its sides cross, in no time.
  const TRect tower{-5, -2000000000, 10, 2000000000};
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 0, 0, tower, D::Left));
  EXPECT_FALSE(TPhyzObj::canMoveAt(grid(), 0, 0, tower, D::Right));
  EXPECT_TRUE(TPhyzObj::canMoveAt(grid(), 0, 0, tower, D::Up));

  // A body thrown at absurd speed off the map, or with a broken position, walks in bounded time.
  TPhyzObj* fast = body(100, 100);
  fast->velX = 1e300;
  fast->velY = 1e300;
  fast->moveSelf(1000);
  EXPECT_GT(fast->x, 1e300);
  EXPECT_DOUBLE_EQ(fast->y, 100 - 300.0 * 1000);  // the vertical speed is capped at 300
  fast->velX = -std::numeric_limits<double>::infinity();
  fast->moveSelf(10);
  TPhyzObj* lost = body(std::numeric_limits<double>::quiet_NaN(), 1e308);
  lost->velX = 1;
  lost->moveSelf(10);
  EXPECT_TRUE(lost->canMove(D::Down));
  EXPECT_FALSE(lost->touchesCell(CellSolid));
}

TEST_F(PhyzTest, GridPositionsRoundToNearestWithHalvesToEven) {
  // The library's rounding of the clamped value is the reference; NaN stands at 0.
  auto reference = [](double v) -> int64_t {
    return std::isnan(v) ? 0 : static_cast<int64_t>(std::nearbyint(std::clamp(v, -1e9, 1e9)));
  };
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 0.49999999999999994, -0.49999999999999994,
                                1e9 - 0.5, 1e9, 1e9 + 0.5, -1e9, -1e9 - 1, 4503599627370495.5, 1e300, -1e300, inf,
                                -inf, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::denorm_min()};
  std::mt19937 random(5);
  std::uniform_real_distribution<double> anywhere(-3000, 3000);
  for (int i = 0; i < 100000; ++i) {
    values.push_back(anywhere(random));
    values.push_back((static_cast<int>(random() % 8000) - 4000) / 2.0);  // halves, either side of zero
  }
  for (double v : values) ASSERT_EQ(TPhyzObj::nearPixel(v), reference(v)) << v;
}

TEST_F(PhyzTest, RestingBodyDoesNotSinkAndFrictionNeverReverses) {
  floor(2);  // top of the floor at y = 32
  TPhyzObj* b = body(40, 22);
  b->gravity = 1;
  b->friction = 1;
  for (int i = 0; i < 50; ++i) b->moveSelf(16);
  EXPECT_EQ(b->y, 22);
  EXPECT_DOUBLE_EQ(b->velY, -16.0 / 1500);  // zeroed by the contact, then gravity again

  // Sliding: 0.01 px/ms with m = 10 would go to -0.01; it stops at zero instead, both ways.
  b->velX = 0.01;
  b->moveSelf(10);
  EXPECT_EQ(b->velX, 0);
  b->velX = -0.01;
  b->moveSelf(10);
  EXPECT_EQ(b->velX, 0);
  // A slower decay than the speed keeps the direction.
  b->velX = 0.5;
  b->moveSelf(10);
  EXPECT_DOUBLE_EQ(b->velX, 0.5 - 10.0 / 500);
  // In the air there is no friction.
  TPhyzObj* air = body(200, 200);
  air->friction = 1;
  air->velX = 0.01;
  air->moveSelf(10);
  EXPECT_EQ(air->velX, 0.01);
}

TEST_F(PhyzTest, ContactResponseStopsReflectsOrKeeps) {
  floor(2);
  // Not bouncing: a falling body landing is stopped; a rising one under a ceiling likewise.
  TPhyzObj* lander = body(40, 22);
  lander->velY = -1;
  lander->velX = 0.2;
  lander->moveSelf(10);
  EXPECT_EQ(lander->velY, 0);
  EXPECT_EQ(lander->velX, 0.2);  // friction 0 in this fixture
  // Bouncing: the vertical axis is reflected before gravity: -1.0 becomes 0.7, then gravity.
  TPhyzObj* ball = body(80, 22);
  ball->bouncing = true;
  ball->gravity = 1;
  ball->velY = -1;
  ball->velX = 0.3;
  ball->moveSelf(10);
  EXPECT_DOUBLE_EQ(ball->velY, 0.7 - 10.0 / 1500);
  EXPECT_EQ(ball->velX, 0.3);  // only one axis per step
  // The sign flips whatever the direction: a body resting on the floor moving up is turned down.
  TPhyzObj* up = body(120, 22);
  up->bouncing = true;
  up->velY = 0.5;
  up->moveSelf(1);
  EXPECT_DOUBLE_EQ(up->velY, -0.35);
  // Horizontal reflection only when no vertical contact.
  grid().set(20, 10, CellSolid);
  TPhyzObj* wall = body(20 * 16 - 10, 10 * 16 + 2);
  wall->bouncing = true;
  wall->velX = 1;
  wall->moveSelf(1);
  EXPECT_DOUBLE_EQ(wall->velX, -0.7);
  // noReflect and keepVelocity leave the velocity alone.
  TPhyzObj* shot = body(160, 22);
  shot->bouncing = true;
  shot->noReflect = true;
  shot->velY = -1;
  shot->moveSelf(1);
  EXPECT_EQ(shot->velY, -1);
  TPhyzObj* kept = body(200, 22);
  kept->keepVelocity = true;
  kept->velY = -1;
  kept->moveSelf(1);
  EXPECT_EQ(kept->velY, -1);
  EXPECT_EQ(kept->y, 22);  // but the walk still stops at the floor
}

TEST_F(PhyzTest, PixelWalkIsExact) {
  // The worked example: dy = -3.5 moves down 3.5 pixels with nothing in the way.
  TPhyzObj* a = body(100, 100);
  a->velY = -0.35;
  a->moveSelf(10);
  EXPECT_DOUBLE_EQ(a->y, 103.5);
  // dy exactly -3: two whole pixels and one as the rest.
  TPhyzObj* b = body(100, 100);
  b->velY = -0.3;
  b->moveSelf(10);
  EXPECT_DOUBLE_EQ(b->y, 103);
  // Up and left likewise; extra velocity counts once and is cleared.
  TPhyzObj* c = body(100, 100);
  c->velY = 0.25;
  c->extraDX = -0.4;
  c->moveSelf(10);
  EXPECT_DOUBLE_EQ(c->y, 97.5);
  EXPECT_DOUBLE_EQ(c->x, 96);
  EXPECT_EQ(c->extraDX, 0);
  EXPECT_EQ(c->extraDY, 0);

  // Falling onto a floor: stops flush, and the rest of the displacement is dropped.
  floor(10);  // top at y = 160
  TPhyzObj* d = body(30, 145);
  d->velY = -2;
  d->moveSelf(10);
  EXPECT_DOUBLE_EQ(d->y, 150);
  // Moving right into a wall stops flush; moving left stops one pixel inside the wall's cell.
  grid().set(5, 5, CellSolid);
  grid().set(1, 5, CellSolid);
  TPhyzObj* r = body(60, 80);
  r->velX = 3;
  r->moveSelf(10);
  EXPECT_DOUBLE_EQ(r->x, 70);  // box pixels 70 .. 79, the wall starts at 80
  TPhyzObj* l = body(50, 80);
  l->velX = -3;
  l->moveSelf(10);
  EXPECT_DOUBLE_EQ(l->x, 31);  // first column 31 lies in column 1
  // Vertical walk first: a body moving diagonally into a floor corner still slides sideways.
  TPhyzObj* e = body(100, 148);
  e->velY = -1;
  e->velX = 0.5;
  e->moveSelf(10);
  EXPECT_DOUBLE_EQ(e->y, 150);
  EXPECT_DOUBLE_EQ(e->x, 105);
}

TEST_F(PhyzTest, TouchesCellScansAroundTheBox) {
  grid().set(2, 2, CellLethal);
  TPhyzObj* b = body(20, 20);  // box 20..29 x 20..29: cells (1..1, 1..1)
  EXPECT_FALSE(b->touchesCell(CellLethal));
  b->x = 26;  // columns (26 .. 36) / 16 = 1 .. 2
  b->y = 26;  // rows (27 .. 35) / 16 = 1 .. 2
  EXPECT_TRUE(b->touchesCell(CellLethal));
  EXPECT_FALSE(b->touchesCell(CellSolid));
  // A box with a left margin scans a narrower column range: (X + Left) .. (X + Right - Left).
  b->hitBox = {8, 0, 16, 10};
  b->x = 16;  // columns (24 .. 24) / 16 = 1
  b->y = 32;
  EXPECT_FALSE(b->touchesCell(CellLethal));
  b->x = 24;  // columns (32 .. 32) / 16 = 2, rows (33 .. 41) / 16 = 2
  EXPECT_TRUE(b->touchesCell(CellLethal));
  // Far outside the grid every cell is empty.
  b->x = 1e7;
  EXPECT_TRUE(b->touchesCell(CellEmpty));
  EXPECT_FALSE(b->touchesCell(CellLethal));
}

}  // namespace
}  // namespace mv
