#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/sprite/Sprite.h"
#include "engine/sprite/SpriteEngine.h"

namespace mv {
namespace {

using Log = std::vector<std::string>;

// Records the passes it takes part in and its own destruction into one shared log.
class Probe : public TSprite {
 public:
  Probe(TSprite* parent, Log& log, std::string name, int32_t z = 0)
      : TSprite(parent), log_(log), name_(std::move(name)) {
    setZ(z);
  }
  ~Probe() override { log_.push_back("~" + name_); }
  void moveSelf(int) override {
    log_.push_back(name_);
    if (onMove) onMove();
  }
  std::function<void()> onMove;

 private:
  Log& log_;
  std::string name_;
};

TEST(SpriteTree, DrawListOrderSetZAndDestruction) {
  Log log;  // outlives the sprites, which write to it as they go
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a", 10);
  auto* b = new Probe(&root, log, "b", 5);
  auto* c = new Probe(&root, log, "c", 10);
  auto* d = new Probe(&root, log, "d", 20);
  EXPECT_EQ(root.item(0), a);  // insertion order is kept apart from drawing order
  // Among equal z the newest is drawn first, underneath.
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{b, c, a, d}));
  d->setZ(10);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{b, d, c, a}));
  // Extreme keys must not wrap around when compared.
  b->setZ(INT32_MAX);
  d->setZ(INT32_MIN);
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{d, c, a, b}));

  auto* a0 = new Probe(a, log, "a0");
  new Probe(a0, log, "a0x");
  new Probe(a, log, "a1");
  EXPECT_EQ(a0->engine, &root);  // a grandchild's engine is the root
  EXPECT_EQ(root.allCount(), 7);

  // The sprite's own part goes first, then its children from the last, each with its subtree.
  delete a;
  EXPECT_EQ(log, (Log{"~a", "~a1", "~a0", "~a0x"}));
  EXPECT_EQ(root.children(), (std::vector<TSprite*>{b, c, d}));
  EXPECT_EQ(root.drawList(), (std::vector<TSprite*>{d, c, b}));
  EXPECT_EQ(root.allCount(), 3);
}

// The drawing order against the plain definition (ascending z, among equal z the latest placed first)
// over random placing, freeing and moving between z values: few z values with long runs of one, and
// more z values than the order keeps lists for.
TEST(SpriteTree, DrawOrderIsAscendingZLatestPlacedFirst) {
  for (const uint32_t zValues : {3u, 40u}) {
    std::mt19937 random(zValues);
    std::vector<std::pair<TSprite*, int>> placed;  // with the step it was last placed at
    TSpriteEngine root;
    for (int step = 0; step < 5000; ++step) {
      const uint32_t op = random() % 10;
      const auto z = static_cast<int32_t>(random() % zValues);
      if (op < 5 || placed.empty()) {
        placed.push_back({new TSprite(&root), step});
        placed.back().first->setZ(z);
      } else if (auto& chosen = placed[random() % placed.size()]; op < 8) {
        delete chosen.first;
        chosen = placed.back();
        placed.pop_back();
      } else if (chosen.first->z() != z) {
        chosen.second = step;
        chosen.first->setZ(z);
      }
      auto expected = placed;
      std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return a.first->z() != b.first->z() ? a.first->z() < b.first->z() : a.second > b.second;
      });
      std::vector<TSprite*> order;
      for (const auto& p : expected) order.push_back(p.first);
      ASSERT_EQ(root.drawList(), order) << "step " << step;
    }
  }
}

TEST(SpriteTree, ItemOutOfRangeErrors) {
  Log log;
  TSpriteEngine root;
  try {
    root.item(0);
    FAIL() << "a sprite without children must throw";
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (0)");
  }
  auto* a = new Probe(&root, log, "a");
  EXPECT_EQ(root.item(0), a);
  try {
    root.item(-1);
    FAIL() << "out of range must throw";
  } catch (const ESpriteError&) {
    FAIL() << "with children the list's own error is raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
  }
  delete a;
  EXPECT_THROW(root.item(0), ESpriteError);
}

TEST(SpriteTree, MovePassOrderMovableAndSpritesSpawnedMidPass) {
  Log log;
  TSpriteEngine root;
  auto* a = new Probe(&root, log, "a", 5);
  auto* b = new Probe(&root, log, "b", 1);
  new Probe(a, log, "a0");
  // A shot fired during a fighter's step waits for the next pass.
  int spawned = 0;
  a->onMove = [&] {
    if (spawned++ == 0) new Probe(&root, log, "late");
  };
  root.move(16);
  EXPECT_EQ(log, (Log{"a", "a0", "b"}));  // insertion order, depth first, z does not matter
  log.clear();
  // Not movable: the whole subtree stands still.
  b->movable = false;
  root.move(16);
  EXPECT_EQ(log, (Log{"a", "a0", "late"}));
}

TEST(SpriteTree, KillQueuesOnceAndFreeKilledCopesWithKilledFamilies) {
  Log log;
  TSpriteEngine root;
  root.kill();  // a root has no engine: nothing happens
  root.freeKilled();
  EXPECT_FALSE(root.killed());

  auto* a = new Probe(&root, log, "a");
  auto* a0 = new Probe(a, log, "a0");
  auto* b = new Probe(&root, log, "b");
  auto* p = new Probe(&root, log, "p");
  auto* q = new Probe(p, log, "q");
  b->kill();
  b->kill();
  EXPECT_EQ(root.deadList().size(), 1u);
  root.move(1);  // killed sprites still move until freed
  EXPECT_EQ(log, (Log{"a", "a0", "b", "p", "q"}));

  // Child queued before its parent and parent before its child: destroying a parent takes its
  // killed child off the list, so nothing is freed twice.
  log.clear();
  a0->kill();
  a->kill();
  p->kill();
  q->kill();
  root.freeKilled();
  EXPECT_EQ(log, (Log{"~q", "~p", "~a", "~a0", "~b"}));
  EXPECT_TRUE(root.deadList().empty());
  EXPECT_EQ(root.allCount(), 0);

  // Destroying the root with sprites still queued frees each once.
  log.clear();
  {
    TSpriteEngine other;
    auto* s = new Probe(&other, log, "s");
    new Probe(s, log, "s0");
    s->kill();
  }
  EXPECT_EQ(log, (Log{"~s", "~s0"}));
}

}  // namespace
}  // namespace mv
