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
  struct Case {
    uint32_t seed;
    int zValues;
  };
  for (const Case& test : {Case{1, 3}, Case{2, 3}, Case{3, 40}, Case{4, 40}}) {
    SCOPED_TRACE(test.seed);
    std::mt19937 random(test.seed);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    struct Placed {
      TSprite* sprite;
      uint64_t when;
    };
    std::vector<Placed> placed;
    uint64_t placings = 0;
    TSpriteEngine root;
    for (int step = 0; step < 3000; ++step) {
      const size_t op = pick(10);
      if (op < 5 || placed.empty()) {
        auto* sprite = new TSprite(&root);
        sprite->setZ(static_cast<int32_t>(pick(test.zValues)) - 1);
        placed.push_back({sprite, ++placings});
      } else {
        Placed& chosen = placed[pick(placed.size())];
        if (op < 8) {
          delete chosen.sprite;
          chosen = placed.back();
          placed.pop_back();
        } else {
          const int32_t z = chosen.sprite->z();
          chosen.sprite->setZ(static_cast<int32_t>(pick(test.zValues)) - 1);
          if (chosen.sprite->z() != z) chosen.when = ++placings;
        }
      }
      std::vector<Placed> expected = placed;
      std::sort(expected.begin(), expected.end(), [](const Placed& a, const Placed& b) {
        return a.sprite->z() != b.sprite->z() ? a.sprite->z() < b.sprite->z() : a.when > b.when;
      });
      std::vector<TSprite*> order;
      for (const Placed& p : expected) order.push_back(p.sprite);
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
