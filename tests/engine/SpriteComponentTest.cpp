#include <gtest/gtest.h>

#include "engine/sprite/DXSpriteEngine.h"

namespace mv {
namespace {

class Drawn : public TSprite {
 public:
  using TSprite::TSprite;
  void drawSelf() override { ++draws; }
  void moveSelf(int moveCount) override { moved += moveCount; }
  int draws = 0, moved = 0;
};

TEST(SpriteComponent, FollowsTheDisplayAndNeverKeepsAStaleSurface) {
  TDXDraw first;
  TDXSpriteEngine component;
  auto* s = new Drawn(&component.engine);
  s->width = s->height = 4;
  component.setDXDraw(&first);
  // Not initialised: sprites keep moving, nothing is drawn.
  component.move(16);
  component.draw();
  EXPECT_EQ(s->moved, 16);
  EXPECT_EQ(s->draws, 0);

  first.initialize();
  EXPECT_EQ(component.engine.surface(), &first.surface());
  EXPECT_EQ(component.engine.surfaceRect(), (TRect{0, 0, 800, 600}));
  component.draw();
  EXPECT_EQ(s->draws, 1);
  first.finalize();
  EXPECT_EQ(component.engine.surface(), nullptr);
  first.initialize();
  {
    // Rebinding drops the old display's surface and stops hearing from it.
    TDXDraw second;
    component.setDXDraw(&second);
    EXPECT_EQ(component.engine.surface(), nullptr);
    first.finalize();
    first.initialize();
    EXPECT_EQ(component.engine.surface(), nullptr);
    second.initialize();
    EXPECT_EQ(component.engine.surface(), &second.surface());
  }
  // The display went away: unbound, and drawing does nothing.
  EXPECT_EQ(component.DXDraw(), nullptr);
  EXPECT_EQ(component.engine.surface(), nullptr);
  component.draw();
  EXPECT_EQ(s->draws, 1);

  s->kill();
  component.dead();
  EXPECT_EQ(component.engine.count(), 0);
}

}  // namespace
}  // namespace mv
