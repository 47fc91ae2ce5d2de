#include <gtest/gtest.h>

#include "engine/DXDraw.h"
#include "engine/DXSpriteEngine.h"

namespace mv {
namespace {

class Drawn : public TSprite {
 public:
  using TSprite::TSprite;
  void drawSelf() override { ++draws; }
  void moveSelf(int moveCount) override { moved += moveCount; }
  int draws = 0;
  int moved = 0;
};

TEST(SpriteComponent, FollowsTheDisplaysSurfaceThroughItsNotifications) {
  TDXDraw display;
  display.Display.Width = 64;
  display.Display.Height = 48;
  TDXSpriteEngine component;
  auto* s = new Drawn(&component.engine);
  s->width = s->height = 4;

  // Unbound or not initialised: moving goes on, drawing does not.
  component.move(16);
  component.draw();
  EXPECT_EQ(s->moved, 16);
  EXPECT_EQ(s->draws, 0);
  component.setDXDraw(&display);
  component.draw();
  EXPECT_EQ(s->draws, 0);
  EXPECT_EQ(component.engine.surface(), nullptr);

  display.initialize();
  EXPECT_EQ(component.engine.surface(), &display.surface());
  EXPECT_EQ(component.engine.surfaceRect(), (TRect{0, 0, 64, 48}));
  EXPECT_EQ(component.engine.width, 64);
  component.draw();
  EXPECT_EQ(s->draws, 1);
  EXPECT_EQ(component.engine.drawCount(), 1);

  display.finalize();
  EXPECT_EQ(component.engine.surface(), nullptr);
  component.draw();
  EXPECT_EQ(s->draws, 1);

  // The dead call frees what was killed during the move pass.
  s->kill();
  component.dead();
  EXPECT_EQ(component.engine.count(), 0);
}

TEST(SpriteComponent, RebindingAndDisplayDestructionLeaveNoDanglingSurface) {
  TDXDraw first;
  first.initialize();
  TDXSpriteEngine component;
  // Bound to an already initialised display, it draws on it straight away.
  component.setDXDraw(&first);
  EXPECT_EQ(component.engine.surface(), &first.surface());
  {
    TDXDraw second;
    component.setDXDraw(&second);
    EXPECT_EQ(component.engine.surface(), nullptr);
    // The old display no longer reaches us.
    first.finalize();
    first.initialize();
    EXPECT_EQ(component.engine.surface(), nullptr);
    second.initialize();
    EXPECT_EQ(component.engine.surface(), &second.surface());
  }
  EXPECT_EQ(component.DXDraw(), nullptr);
  EXPECT_EQ(component.engine.surface(), nullptr);
  component.draw();  // nothing bound: nothing happens
}

}  // namespace
}  // namespace mv
