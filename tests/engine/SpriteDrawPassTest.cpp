#include <gtest/gtest.h>

#include "engine/sprite/Sprite.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/draw/Surface.h"

namespace mv {
namespace {

class Counted : public TSprite {
 public:
  Counted(TSprite* parent, int32_t z, std::vector<Counted*>& drawn, double x = 0, double y = 0)
      : TSprite(parent), drawn_(drawn) {
    setZ(z);
    this->x = x;
    this->y = y;
    width = height = 10;
  }
  void drawSelf() override { drawn_.push_back(this); }

 private:
  std::vector<Counted*>& drawn_;
};

TEST(SpriteDrawPass, CullingOrderVisibilityAndCameraOffset) {
  TSurface surface(100, 80);
  TSpriteEngine root;
  root.setSurface(&surface);
  EXPECT_EQ(root.width, 100);
  std::vector<Counted*> drawn;
  auto* high = new Counted(&root, 9, drawn, 50, 50);
  auto* inside = new Counted(&root, 0, drawn);
  auto* leftEdge = new Counted(&root, 0, drawn, -10);   // only touches x 0
  new Counted(&root, 0, drawn, 100);                    // starts on the exclusive right edge
  auto* corner = new Counted(&root, 0, drawn, 99, 79);  // one pixel inside
  auto* flat = new Counted(&root, 0, drawn, 20);
  flat->width = 0;
  auto* child = new Counted(leftEdge, 0, drawn, 20);  // culled parent, visible child

  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{corner, child, inside, high}));
  EXPECT_EQ(root.drawCount(), 4);

  // The root's position is the camera offset; an area-less sprite stays undrawn even inside.
  drawn.clear();
  root.x = 10;
  high->visible = false;
  root.drawAll();
  EXPECT_EQ(drawn, (std::vector<Counted*>{leftEdge, child, inside}));
  EXPECT_EQ(root.drawCount(), 3);

  // Unbound from its surface the engine draws nothing.
  drawn.clear();
  root.setSurface(nullptr);
  root.drawAll();
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(root.drawCount(), 0);
}

}  // namespace
}  // namespace mv
