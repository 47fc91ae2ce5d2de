// Dying, scoring and coming back, through the whole game on the shooting range: shot dummies fall as
// corpses or gibs and drop their guns, a walk into acid tears the player apart, the dead are back after
// three seconds of frames, and taken weapons come back after their passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "FightRange.h"
#include "engine/archive/PictureCollection.h"
#include "game/combatants/Shot.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "game/world/Item.h"

namespace mv {
namespace {

class FightDeath : public FightRange {
 protected:
  // A fighter of the match that only stands where it is put: a target.
  TMan& dummy(double x, double y) {
    auto* man = new TMan(&root());
    man->setModel("Doom");
    man->name = "Dummy";
    form.state().match->addFighter(man);
    man->respawnAt(x, y);
    return *man;
  }
  void select(int w) {
    for (int tries = 0; tries < 8 && player().currentWeapon != w; ++tries) {
      tap('Q');
      for (int i = 0; i < 13; ++i) frame();
    }
    ASSERT_EQ(player().currentWeapon, w);
  }
  std::vector<TItem*> droppedItems() {
    std::vector<TItem*> out;
    for (TItem* item : live<TItem>())
      if (item->dropped) out.push_back(item);
    return out;
  }
  // Where on the screen the announcement above the player shows.
  TRect announcementArea() {
    TPlayer& p = player();
    const std::string banner = p.announcement;
    form.drawSingleView(&p);
    const TSurface& back = form.DXDraw.surface();
    const std::vector<uint16_t> with(back.pixels(), back.pixels() + back.width() * back.height());
    p.announcement.clear();
    form.drawSingleView(&p);
    p.announcement = banner;
    TRect box{800, 600, -1, -1};
    for (int y = 0; y < back.height(); ++y)
      for (int x = 0; x < back.width(); ++x)
        if (with[static_cast<size_t>(y * back.width() + x)] != back.row(y)[x])
          box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                 std::max(box.Bottom, y + 1)};
    form.drawSingleView(&p);
    return box;
  }
};

TEST_F(FightDeath, ShotFightersFallAsCorpsesOrGibsDropTheirGunAndScoreTheShooter) {
  TPlayer& p = armedOnTheRange();
  TMan& target = dummy(400, 130);
  for (int i = 0; i < 20; ++i) frame();
  const double standX = target.x, standY = target.y;
  ASSERT_NEAR(standY + target.height, kRangeFloor, 0.5);

  // The rifle in the body: 60 of 100; the next one kills.
  select(1);
  fireOnce();
  for (int i = 0; i < 30; ++i) frame();
  EXPECT_EQ(target.health, 40);
  for (int i = 0; i < 35; ++i) frame();
  fireOnce();
  int k = 0;
  while (target.alive() && k++ < 30) frame();
  ASSERT_FALSE(target.alive());
  EXPECT_EQ(p.frags, 1);
  EXPECT_TRUE(p.announcement.empty());
  // Facing left, the corpse starts at the last pattern of its strip and plays it backwards; its feet
  // stay on the floor and it is centred where the body stood.
  const TPictureCollectionItem& corpse = *target.image;
  EXPECT_EQ(corpse.Name, "Doom_Dead_L");
  EXPECT_EQ(target.x, standX + 16 - corpse.width() / 2.0);
  EXPECT_EQ(target.y + target.height, standY + 46);
  EXPECT_LT(target.frameSpeed, 0);
  EXPECT_GT(target.framePos, corpse.patternCount() - 2);
  const TRect shown = shownArea({&target});
  EXPECT_FALSE(shown.empty());
  EXPECT_GE(shown.Left, target.x + root().x - 1);
  EXPECT_LE(shown.Right, target.x + target.width + root().x + 1);
  snap("corpse");

  // The gun it held drops at its hips and falls to the floor.
  std::vector<TItem*> dropped = droppedItems();
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0]->kind, "Weapon0Item");
  EXPECT_EQ(dropped[0]->x, std::trunc(standX) + 10);
  for (int i = 0; i < 40; ++i) frame();
  EXPECT_NEAR(dropped[0]->y + dropped[0]->height, kRangeFloor, 0.5);

  // Two fighters close together, barely alive: one rocket, one explosion, both torn apart, and the
  // second kill within two seconds of the first is a double kill.
  for (int i = 0; i < 200 && !target.alive(); ++i) frame();
  ASSERT_TRUE(target.alive());
  // Short of the gun lying on the floor, which they would pick up.
  target.respawnAt(340, 130);
  TMan& second = dummy(360, 130);
  for (int i = 0; i < 20; ++i) frame();
  target.health = second.health = 10;
  select(3);
  const std::vector<TGib*> gibsBefore = live<TGib>();
  fireOnce();
  k = 0;
  while ((target.alive() || second.alive()) && k++ < 60) frame();
  EXPECT_FALSE(target.alive());
  EXPECT_FALSE(second.alive());
  EXPECT_FALSE(target.visible);
  EXPECT_FALSE(second.visible);
  EXPECT_EQ(live<TGib>().size(), gibsBefore.size() + 14);
  EXPECT_EQ(p.frags, 3);
  EXPECT_EQ(p.announcement, "DoubleKill");
  EXPECT_TRUE(live<TShot>().empty());
  const TPictureCollectionItem& banner = form.ImageList.Items.find("DoubleKill");
  const TRect above = announcementArea();
  const int bannerLeft = static_cast<int>(std::nearbyint(p.x + root().x)) - banner.width() / 2 + 16;
  const int bannerTop = static_cast<int>(std::nearbyint(p.y + root().y)) - 24;
  EXPECT_FALSE(above.empty());
  EXPECT_GE(above.Left, bannerLeft);
  EXPECT_GE(above.Top, bannerTop);
  EXPECT_LE(above.Right, bannerLeft + banner.width());
  EXPECT_LE(above.Bottom, bannerTop + banner.height());
  snap("double-kill");
  EXPECT_EQ(p.health, 100);

  // Every dropped gun is there to be taken: walking over them raises the energy gun a level each.
  EXPECT_EQ(droppedItems().size(), 3u);
  hold('D', true);
  for (int i = 0; i < 70; ++i) frame();
  hold('D', false);
  frame();
  EXPECT_LT(p.x + p.width, kRangeAcidLeft);
  EXPECT_TRUE(droppedItems().empty());
  EXPECT_EQ(p.ammo[0], 4);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(FightDeath, AcidTearsTheFighterApartAndHeIsBackExactlyThreeSecondsLater) {
  for (const int ms : {20, 16}) {
    SCOPED_TRACE(ms);
    TPlayer& p = armedOnTheRange(ms);
    ASSERT_TRUE(p.hasWeapon[3]);
    const int fragsBefore = p.frags;
    const std::vector<TGib*> gibsBefore = live<TGib>();
    hold('D', true);
    int walked = 0;
    while (p.alive() && walked++ < 200) frame(ms);
    hold('D', false);
    ASSERT_FALSE(p.alive());
    EXPECT_GT(p.x + p.width, kRangeAcidLeft);
    EXPECT_FALSE(p.visible);
    EXPECT_EQ(p.frags, fragsBefore - 1);
    EXPECT_EQ(live<TGib>().size(), gibsBefore.size() + 7);
    EXPECT_TRUE(droppedItems().empty());  // the acid keeps no weapon
    if (ms == 20) {
      frame(ms);
      snap("gibs");
    }
    // Back at the first frame by which 3000 ms have passed since the death: 150 of 20 ms, or 188 of
    // 16 ms (3008 ms).
    const int frames = (3000 + ms - 1) / ms;
    for (int i = ms == 20 ? 1 : 0; i < frames - 1; ++i) frame(ms);
    EXPECT_FALSE(p.alive());
    frame(ms);
    ASSERT_TRUE(p.alive());
    EXPECT_EQ(p.x, 160);
    EXPECT_EQ(p.y, 130);
    EXPECT_TRUE(p.visible);
    EXPECT_EQ(p.frags, fragsBefore - 1);
    EXPECT_EQ(p.health, 100);
    EXPECT_EQ(p.hasWeapon[3], 0);
    EXPECT_EQ(p.ammo[0], 1);
    form.abandonMatch();
  }
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(FightDeath, ATakenWeaponComesBackAfterItsPassesAndFadesIn) {
  startOn(rangeRows(), {{"Respawn", 160, 130}, {"Weapon1Item", 168, 150}, {"Weapon7Item", 168, 150}});
  std::vector<TItem*> items = live<TItem>();
  ASSERT_EQ(items.size(), 2u);
  TItem& rifle = *items[0];
  TItem& minigun = *items[1];
  for (int i = 0; i < 10 && rifle.respawnDelay == 0; ++i) frame();
  ASSERT_EQ(rifle.respawnDelay, 1200);
  ASSERT_EQ(minigun.respawnDelay, 5000);
  EXPECT_EQ(player().ammo[1], 5);
  int since = 0;  // passes after the one that took them
  auto frames = [&](int n) {
    for (int i = 0; i < n; ++i, ++since) frame();
  };
  auto fast = [&](int n) {  // passes without drawing
    for (int i = 0; i < n; ++i, ++since) {
      form.SpriteEngine.move(16);
      form.SpriteEngine.dead();
    }
  };
  // Out of the way, so that nobody takes them again when they come back.
  hold('A', true);
  frames(50);
  hold('A', false);
  frames(1);
  EXPECT_LT(player().x + player().width, rifle.x);
  // Gone for 1200 passes, back with the first step of its fade-in.
  fast(1200 - since);
  EXPECT_FALSE(rifle.visible);
  fast(1);
  EXPECT_TRUE(rifle.visible);
  EXPECT_EQ(rifle.alpha, 3);
  fast(84);
  EXPECT_EQ(rifle.alpha, 255);
  frames(1);
  const TRect shown = shownArea({&rifle});
  EXPECT_FALSE(shown.empty());
  EXPECT_NEAR((shown.Left + shown.Right) / 2.0, rifle.x + rifle.width / 2.0 + root().x, 2.0);
  snap("rifle-back");
  // The minigun stays away for 5000.
  fast(5000 - since);
  EXPECT_FALSE(minigun.visible);
  fast(1);
  EXPECT_TRUE(minigun.visible);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(FightDeath, ABotMatchKeepsItsLeftoversInBoundsAndReportsNothing) {
  // Sixteen hard bots on the biggest level for 48 seconds of play: deaths over the acid, gibs, blood
  // and dropped guns by the dozen. Whatever piles up must also go away again.
  form.startMatch({.level = "canyon", .bots = 16, .skill = 100, .hotseat = false});
  TMatch& match = *form.state().match;
  const Grid& grid = form.state().grid;
  size_t most[4] = {};
  for (int f = 1; f <= 3000; ++f) {
    frame();
    if (f % 50) continue;
    const size_t counts[4] = {droppedItems().size(), live<TGib>().size(), live<TBlood>().size(),
                              live<TShot>().size()};
    for (int i = 0; i < 4; ++i) most[i] = std::max(most[i], counts[i]);
    // A dropped gun lies where a living fighter can fetch it: never sunk in a lethal pool.
    for (const TItem* item : droppedItems()) {
      const int64_t col = (static_cast<int64_t>(std::nearbyint(item->x)) + item->width / 2) / 16;
      const int64_t row = (static_cast<int64_t>(std::nearbyint(item->y)) + item->height - 1) / 16;
      EXPECT_NE(grid.at(col, row), CellLethal)
          << item->kind << " at " << item->x << "," << item->y << " frame " << f;
    }
  }
  int kills = 0;
  for (int i = 0; i < match.fighterCount(); ++i) kills += std::max(match.fighter(i)->frags, 0);
  EXPECT_GT(kills, 30);
  // At most two guns per fighter lie about at a time, and the effects stay few.
  const size_t fighters = static_cast<size_t>(match.fighterCount());
  EXPECT_LE(most[0], 2 * fighters);
  EXPECT_LE(most[1], 7 * fighters);
  EXPECT_LE(most[2], 300u);
  EXPECT_LE(most[3], 200u);
  RecordProperty("most_dropped", static_cast<int>(most[0]));
  RecordProperty("most_gibs", static_cast<int>(most[1]));
  RecordProperty("most_blood", static_cast<int>(most[2]));
  RecordProperty("most_shots", static_cast<int>(most[3]));
  EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace mv
