#include <gtest/gtest.h>

#include "engine/Sprite.h"
#include "engine/SpriteEngine.h"
#include "engine/Surface.h"

namespace mv {
namespace {

class Counted : public TSprite {
 public:
  Counted(TSprite* parent, int32_t z, std::vector<Counted*>& drawn) : TSprite(parent), drawn_(drawn) {
    setZ(z);
    width = height = 10;
  }
  void drawSelf() override { drawn_.push_back(this); }

 private:
  std::vector<Counted*>& drawn_;
};

TEST(SpriteDrawPass, CullsByBoundsWithExclusiveEdgesAndCameraOffset) {
  TSurface surface(100, 80);
  TSpriteEngine root;
  root.setSurface(&surface);
  EXPECT_EQ(root.width, 100);
  EXPECT_EQ(root.height, 80);
  EXPECT_EQ(root.surfaceRect(), (TRect{0, 0, 100, 80}));

  std::vector<Counted*> drawn;
  auto* inside = new Counted(&root, 0, drawn);
  auto* leftEdge = new Counted(&root, 0, drawn);  // x -10: right edge 0 only touches the surface
  leftEdge->x = -10;
  auto* rightEdge = new Counted(&root, 0, drawn);  // x 100: starts on the exclusive edge
  rightEdge->x = 100;
  auto* corner = new Counted(&root, 0, drawn);  // one pixel inside at the bottom-right
  corner->x = 99;
  corner->y = 79;
  auto* empty = new Counted(&root, 0, drawn);
  empty->width = 0;

  root.drawAll();
  EXPECT_EQ(root.drawCount(), 2);
  EXPECT_EQ(drawn, (std::vector<Counted*>{corner, inside}));

  // The camera offset on the root moves everything: the left one comes in, the corner one goes out, and
  // the one without area stays undrawn even now that it lies inside the surface.
  drawn.clear();
  root.x = 10;
  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{leftEdge, inside}));
  EXPECT_EQ(root.drawCount(), 2);
}

TEST(SpriteDrawPass, VisibleStopsSubtreeAndCulledParentStillDrawsChildren) {
  TSurface surface(100, 80);
  TSpriteEngine root;
  root.setSurface(&surface);
  std::vector<Counted*> drawn;
  auto* low = new Counted(&root, 1, drawn);
  auto* high = new Counted(&root, 9, drawn);
  auto* lowChild = new Counted(low, 0, drawn);
  auto* highChild = new Counted(high, 0, drawn);

  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{low, lowChild, high, highChild}));

  // Off screen itself but its child comes back into view.
  drawn.clear();
  low->x = -500;
  lowChild->x = 500;
  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{lowChild, high, highChild}));

  drawn.clear();
  high->visible = false;
  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{lowChild}));
  EXPECT_EQ(root.drawCount(), 1);

  // Without a surface nothing meets the (empty) surface rectangle.
  drawn.clear();
  root.setSurface(nullptr);
  EXPECT_TRUE(root.surfaceRect().empty());
  root.drawAll();
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(root.drawCount(), 0);
}

}  // namespace
}  // namespace mv
