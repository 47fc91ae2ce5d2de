// The statistics line of long runs: sprites counted by what they are, including those deep in the tree,
// frame times averaged and by percentile phase by phase, and the renderer that showed them.

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

TEST(RunStats, TheLineCarriesTheFrameTimesPhaseByPhaseAndTheRenderer) {
  FrameTimes t;
  EXPECT_NE(statsLine(0, 0, 0, {}, t, "headless").find("frame_ms=0.00 frame_ms_max=0.00 move_ms_p50=0.00"),
            std::string::npos);
  // A hundred frames: the move pass takes 1 to 100 ms, one presentation stalls.
  for (int i = 1; i <= 100; ++i)
    t.add(1000 + i * 40, {.move = i * 1000, .draw = 2000, .present = i == 50 ? 9000 : 500});
  SpriteCensus c;
  c.all = 7, c.dropped = 2;
  EXPECT_EQ(statsLine(3750, 60000, 20480, c, t, "gpu:opengl"),
            "stats tick=3750 game_s=60 rss_kb=20480 sprites=7 fighters=0 items=0 dropped=2 blood=0 stains=0 "
            "gibs=0 shots=0 effects=0 frame_ms=3.02 frame_ms_max=5.00 move_ms_p50=50.00 move_ms_p99=99.00 "
            "move_ms_max=100.00 draw_ms_p50=2.00 draw_ms_p99=2.00 draw_ms_max=2.00 present_ms_p50=0.50 "
            "present_ms_p99=0.50 present_ms_max=9.00 renderer=gpu:opengl");
  EXPECT_EQ(percentile({7}, 99), 7);
  EXPECT_EQ(percentile({3, 1, 2}, 50), 2);
  EXPECT_EQ(percentile({}, 50), 0);
}

}  // namespace
}  // namespace mv
