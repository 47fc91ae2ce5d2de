// The statistics line of long headless runs: sprites counted by what they are, including those deep in
// the tree, frame times averaged, and the real program printing a line every N ticks.

#include <gtest/gtest.h>

#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Man.h"
#include "game/combatants/Shot.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "game/world/Item.h"
#include "shell/RunStats.h"

namespace mv {
namespace {

TEST(RunStats, CountsEverySpriteByWhatItIs) {
  TSpriteEngine root;
  new TMan(&root);
  new TMan(&root);
  new TItem(&root);
  auto* dropped = new TItem(&root);
  dropped->dropped = true;
  new TBlood(&root);
  auto* stain = new TBlood(&root);
  stain->stuck = true;
  new TGib(&root);
  auto* shot = new TShot(&root);
  new TAnim(shot);  // a child of a child still counts
  const SpriteCensus c = takeCensus(root);
  EXPECT_EQ(c.all, 9);
  EXPECT_EQ(c.fighters, 2);
  EXPECT_EQ(c.items, 1);
  EXPECT_EQ(c.dropped, 1);
  EXPECT_EQ(c.blood, 1);
  EXPECT_EQ(c.stains, 1);
  EXPECT_EQ(c.gibs, 1);
  EXPECT_EQ(c.shots, 1);
  EXPECT_EQ(c.effects, 1);
}

TEST(RunStats, TheLineCarriesAverageAndSlowestFrame) {
  FrameTimes t;
  EXPECT_NE(statsLine(0, 0, 0, {}, t).find("frame_ms=0.00 frame_ms_max=0.00"), std::string::npos);
  t.add(1000);
  t.add(3000);
  t.add(2000);
  SpriteCensus c;
  c.all = 7, c.dropped = 2;
  EXPECT_EQ(statsLine(3750, 60000, 20480, c, t),
            "stats tick=3750 game_s=60 rss_kb=20480 sprites=7 fighters=0 items=0 dropped=2 blood=0 stains=0 "
            "gibs=0 shots=0 effects=0 frame_ms=2.00 frame_ms_max=3.00");
}

}  // namespace
}  // namespace mv
