#include "game/Random.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(Random, SameSeedSameSequenceAndEveryValueInRange) {
  Random a, b;
  a.seed(1234);
  b.seed(1234);
  int seen[7] = {};
  for (int i = 0; i < 7000; ++i) {
    int32_t v = a.random(7);
    ASSERT_EQ(v, b.random(7));
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    ++seen[v];
  }
  for (int count : seen) EXPECT_GT(count, 800);  // roughly uniform
  EXPECT_EQ(a.random(0), 0);
  EXPECT_EQ(a.random(-5), 0);
  double f = a.randomFloat();
  EXPECT_GE(f, 0.0);
  EXPECT_LT(f, 1.0);
}

TEST(Random, KnownSequenceFromSeedZero) {
  // The sequence is part of what makes recorded runs repeat: pin its first values.
  Random r;
  r.seed(0);
  EXPECT_EQ(r.random(100), 0);  // state 1
  EXPECT_EQ(r.state(), 1u);
  r.random(100);
  EXPECT_EQ(r.state(), 0x08088406u);
}

}  // namespace
}  // namespace mv
