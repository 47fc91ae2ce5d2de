#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/Sprite.h"
#include "engine/SpriteEngine.h"

namespace mv {
namespace {

// Records every pass it takes part in, by name, into one shared log.
class Probe : public TSprite {
 public:
  Probe(TSprite* parent, std::vector<std::string>& log, std::string name, int32_t z = 0)
      : TSprite(parent), log_(log), name_(std::move(name)) {
    setZ(z);
  }
  ~Probe() override { log_.push_back("~" + name_); }
  void moveSelf(int moveCount) override {
    log_.push_back("move " + name_);
    if (onMove) onMove();
  }
  void drawSelf() override { log_.push_back("draw " + name_); }

  std::function<void()> onMove;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

std::vector<std::string> drawOrder(const TSprite& parent) {
  std::vector<std::string> names;
  for (TSprite* s : parent.drawList()) names.push_back(std::to_string(s->z()));
  return names;
}

TEST(SpriteTree, AttachKeepsDrawListOrderedAndNewestEqualZUnderneath) {
  std::vector<std::string> log;  // outlives the sprites, which write to it as they go
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a", 10);
  auto* b = new Probe(&root, log, "b", 5);
  auto* c = new Probe(&root, log, "c", 10);
  auto* d = new Probe(&root, log, "d", 20);
  auto* e = new Probe(&root, log, "e", -3);

  EXPECT_EQ(root.count(), 5);
  EXPECT_EQ(root.allCount(), 5);
  // Insertion order is kept apart from drawing order.
  EXPECT_EQ(root.item(0), a);
  EXPECT_EQ(root.item(4), e);
  ASSERT_EQ(root.drawList().size(), 5u);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{e, b, c, a, d}));

  // A grandchild's engine is the root, not its own parent, and counts towards the root.
  auto* g = new Probe(a, log, "g");
  EXPECT_EQ(g->engine, &root);
  EXPECT_EQ(a->engine, &root);
  EXPECT_EQ(root.engine, nullptr);
  EXPECT_EQ(root.allCount(), 6);

  // setZ re-inserts: in front of equal z, behind lower z; the same z changes nothing.
  d->setZ(10);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{e, b, d, c, a}));
  d->setZ(10);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{e, b, d, c, a}));
  e->setZ(INT32_MAX);
  b->setZ(INT32_MIN);
  EXPECT_EQ(drawOrder(root), (std::vector<std::string>{std::to_string(INT32_MIN), "10", "10", "10",
                                                       std::to_string(INT32_MAX)}));
}

TEST(SpriteTree, DestroyTakesSubtreeLastChildFirstAndDetaches) {
  std::vector<std::string> log;
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a");
  new Probe(a, log, "a0");
  auto* a1 = new Probe(a, log, "a1");
  new Probe(a1, log, "a1x");
  auto* b = new Probe(&root, log, "b");
  EXPECT_EQ(root.allCount(), 5);

  delete a;
  // The sprite's own part goes first, then its children, last index first, each with its own subtree.
  EXPECT_EQ(log, (std::vector<std::string>{"~a", "~a1", "~a1x", "~a0"}));
  EXPECT_EQ(root.count(), 1);
  EXPECT_EQ(root.item(0), b);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{b}));
  EXPECT_EQ(root.allCount(), 1);

  log.clear();
  new Probe(&root, log, "c");
  root.clear();
  EXPECT_EQ(log, (std::vector<std::string>{"~c", "~b"}));
  EXPECT_EQ(root.count(), 0);
  EXPECT_EQ(root.allCount(), 0);
  EXPECT_TRUE(root.drawList().empty());
}

TEST(SpriteTree, ItemOutOfRangeErrors) {
  std::vector<std::string> log;
  TSpriteEngine root;
  try {
    root.item(0);
    FAIL() << "no child list must throw";
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (0)");
  }
  auto* a = new Probe(&root, log, "a");
  EXPECT_EQ(root.item(0), a);
  EXPECT_THROW(root.item(1), Error);
  EXPECT_THROW(root.item(-1), Error);
  try {
    root.item(7);
  } catch (const ESpriteError&) {
    ADD_FAILURE() << "with a child list the list's own error is raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (7)");
  }
  // Once the last child leaves, the sprite is back to having no list at all.
  delete a;
  EXPECT_THROW(root.item(0), ESpriteError);
}

TEST(SpriteTree, WorldPositionAddsParentsIncludingCameraOffset) {
  TSpriteEngine root;
  root.x = -100;
  root.y = 50;
  TSprite a(&root);
  a.x = 10.5;
  a.y = 2;
  auto* b = new TSprite(&a);
  b->x = 1.75;
  b->y = -60.5;
  b->width = 4;
  b->height = 3;
  EXPECT_DOUBLE_EQ(b->worldX(), -87.75);
  EXPECT_DOUBLE_EQ(b->worldY(), -8.5);
  // trunc, not floor: -87.75 -> -87, -8.5 -> -8.
  EXPECT_EQ(b->getBoundsRect(), (TRect{-87, -8, -83, -5}));
  EXPECT_TRUE(b->testCollision(a));
}

TEST(SpriteTree, MovePassOrderMovableAndChildrenAddedDuringPass) {
  std::vector<std::string> log;
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a", 5);
  auto* b = new Probe(&root, log, "b", 1);
  new Probe(a, log, "a0");
  new Probe(b, log, "b0");
  // Insertion order, depth first, regardless of z.
  root.move(16);
  EXPECT_EQ(log, (std::vector<std::string>{"move a", "move a0", "move b", "move b0"}));

  // A sprite spawned mid-pass (a shot fired from a fighter's step) waits for the next pass.
  log.clear();
  int spawned = 0;
  a->onMove = [&] {
    if (spawned++ == 0) new Probe(&root, log, "late");
  };
  root.move(16);
  EXPECT_EQ(log, (std::vector<std::string>{"move a", "move a0", "move b", "move b0"}));
  log.clear();
  root.move(16);
  EXPECT_EQ(log, (std::vector<std::string>{"move a", "move a0", "move b", "move b0", "move late"}));

  // Not movable: the subtree stands still, the rest moves.
  log.clear();
  a->movable = false;
  root.move(16);
  EXPECT_EQ(log, (std::vector<std::string>{"move b", "move b0", "move late"}));
}

TEST(SpriteTree, KillQueuesOnceAndFreeKilledDestroysAfterThePass) {
  std::vector<std::string> log;
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a");
  auto* a0 = new Probe(a, log, "a0");
  auto* b = new Probe(&root, log, "b");

  root.kill();  // a root has no engine
  EXPECT_FALSE(root.killed());
  root.freeKilled();  // empty list: nothing happens
  EXPECT_EQ(root.allCount(), 3);

  b->kill();
  b->kill();
  EXPECT_TRUE(b->killed());
  EXPECT_EQ(root.deadList().size(), 1u);
  // Killed sprites still take part until freed.
  root.move(1);
  EXPECT_EQ(log, (std::vector<std::string>{"move a", "move a0", "move b"}));

  // Child queued before its parent: destroying the parent removes the child from the list, so nothing
  // is freed twice.
  log.clear();
  a0->kill();
  a->kill();
  EXPECT_EQ(root.deadList(), (std::vector<TSprite*>{b, a0, a}));
  root.freeKilled();
  EXPECT_EQ(log, (std::vector<std::string>{"~a", "~a0", "~b"}));
  EXPECT_TRUE(root.deadList().empty());
  EXPECT_EQ(root.count(), 0);
  EXPECT_EQ(root.allCount(), 0);

  // Parent queued before its child works the same way round.
  log.clear();
  auto* p = new Probe(&root, log, "p");
  auto* q = new Probe(p, log, "q");
  p->kill();
  q->kill();
  root.freeKilled();
  EXPECT_EQ(log, (std::vector<std::string>{"~q", "~p"}));
  EXPECT_EQ(root.allCount(), 0);
}

TEST(SpriteTree, DestroyingTheRootFreesQueuedSprites) {
  std::vector<std::string> log;
  {
    TSpriteEngine root;
    auto* a = new Probe(&root, log, "a");
    new Probe(a, log, "a0");
    a->kill();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"~a", "~a0"}));
}

}  // namespace
}  // namespace mv
