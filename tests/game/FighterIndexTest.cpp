#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "FighterWorld.h"
#include "engine/sprite/ImageSpriteEx.h"

namespace mv {
namespace {

// A sprite that asks the match, in its own step, for the fighters near it, as shots and pick-ups do, and
// checks the answer against the box look over the whole list.
class Probe : public TImageSpriteEx {
 public:
  using TImageSpriteEx::TImageSpriteEx;
  void moveSelf(int) override {
    TMatch& match = *globals().match;
    std::vector<int32_t> asked, needed;
    match.forEachFighterNear(*this, [&](int32_t i, TMan* man) {
      EXPECT_EQ(man, match.fighter(i));
      asked.push_back(i);
      return true;
    });
    for (int32_t i = 0; i < match.fighterCount(); ++i)
      if (mayCollide(*match.fighter(i))) needed.push_back(i);
    EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
    EXPECT_TRUE(std::includes(asked.begin(), asked.end(), needed.begin(), needed.end())) << x << "," << y;
    looked += static_cast<int>(asked.size());
  }
  int looked = 0;
};

class FighterIndexTest : public FighterWorld {};

TEST_F(FighterIndexTest, ShotsAndPickUpsAreOfferedEveryFighterTheyMayMeetInListOrder) {
  for (int col = -40; col < 140; ++col) solid(col, 12);
  std::mt19937 random(11);
  // Fighters over a long floor, falling onto it and walking during the passes; a few far off the map or
  // lost to NaN, which the box look never turns away.
  for (int i = 0; i < 60; ++i) {
    TMan* man = fighter(static_cast<double>(random() % 2000) - 500, static_cast<double>(random() % 100));
    man->velX = (static_cast<int>(random() % 200) - 100) / 1000.0;
  }
  fighter(std::numeric_limits<double>::quiet_NaN(), 100);
  fighter(3e12, -3e12);
  std::vector<Probe*> probes;
  for (int i = 0; i < 300; ++i) {
    auto* p = new Probe(&root);
    p->x = static_cast<double>(random() % 2400) - 700 + (random() % 8) / 8.0;
    p->y = static_cast<double>(random() % 300) - 50;
    p->width = static_cast<int32_t>(random() % 40);
    p->height = static_cast<int32_t>(random() % 40);
    p->setZ(20);  // after the fighters' own steps
    probes.push_back(p);
  }
  probes.back()->x = std::numeric_limits<double>::infinity();
  for (int pass = 0; pass < 20; ++pass) root.move(16);

  // Outside a move pass nothing is known of where the fighters went: every one is offered.
  int looked = 0;
  match.forEachFighterNear(*probes.front(), [&](int32_t, TMan*) { return ++looked > 0; });
  EXPECT_EQ(looked, match.fighterCount());
  // Inside one, a probe is offered a few of them, not the crowd.
  looked = 0;
  for (const Probe* p : probes) looked += p->looked;
  EXPECT_LT(looked, 20 * 300 * 10);
}

}  // namespace
}  // namespace mv
