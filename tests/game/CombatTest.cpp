#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "FighterWorld.h"
#include "game/world/Gib.h"
#include "game/world/Item.h"
#include "platform/Error.h"

namespace mv {
namespace {

class CombatTest : public FighterWorld {
 protected:
  // A body hit far beyond what it takes, with a threshold no overkill reaches: an ordinary corpse.
  static void kill(TMan* victim, TMan* attacker, uint8_t kind = HitOrdinary) {
    victim->takeHit(attacker, 1000, kind, static_cast<int32_t>(victim->y) + 20, 0, 100000);
  }
  std::set<int> gibPieces() {
    std::set<int> pieces;
    for (TGib* gib : all<TGib>()) pieces.insert(static_cast<int>(gib->framePos));
    return pieces;
  }
};

TEST_F(CombatTest, ArmourAndHitZonesShareOutTheDamage) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(100, 100);  // head rows 100 .. 109, legs from 131
  struct Case {
    int32_t armor, damage;
    uint8_t kind;
    int32_t hitY, armorAfter, healthAfter;
  } cases[] = {
      {50, 60, HitOrdinary, 120, 11, 74},   // two thirds off the vest, 44 per cent off health
      {10, 60, HitOrdinary, 120, 0, 45},    // the 29 a thin vest cannot hold reach health too
      {0, 60, HitOrdinary, 120, 0, 40},     // no vest: the whole hit, once
      {0, 10, HitOrdinary, 109, 0, 80},     // head: doubled
      {0, 10, HitOrdinary, 110, 0, 90},     // the 11th row is the body again
      {0, 10, HitCutting, 100, 0, 80},
      {0, 10, HitTearApart, 100, 0, 90},    // explosions are not doubled
      {0, 5, HitOrdinary, 131, 0, 98},      // legs: half, halves to the even neighbour
      {0, 7, HitOrdinary, 131, 0, 96},
      {0, 7, HitOrdinary, 130, 0, 93},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "damage " << c.damage << " at " << c.hitY);
    v->health = 100;
    v->armor = c.armor;
    v->takeHit(a, c.damage, c.kind, c.hitY, 0, 100);
    EXPECT_EQ(v->armor, c.armorAfter);
    EXPECT_EQ(v->health, c.healthAfter);
  }
  EXPECT_EQ(a->frags, 0);
}

TEST_F(CombatTest, KnockBackReachesGodModeAndTheDeadButDamageDoesNot) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(100, 100);
  v->godMode = true;
  v->velX = 0.3;
  v->velY = -0.5;
  v->takeHit(a, 500, HitTearApart, 100, 3, 0);
  EXPECT_DOUBLE_EQ(v->velX, 0.33);
  EXPECT_DOUBLE_EQ(v->velY, -0.56);
  EXPECT_EQ(v->health, 100);
  EXPECT_TRUE(v->visible);

  v->godMode = false;
  kill(v, a);
  ASSERT_EQ(a->frags, 1);
  const double corpseX = v->x;
  v->velX = 0.1;
  v->takeHit(a, 500, HitTearApart, 100, 30, 0);
  EXPECT_DOUBLE_EQ(v->velX, 0.2);
  EXPECT_EQ(v->health, 0);
  EXPECT_EQ(v->x, corpseX);
  EXPECT_TRUE(v->visible);  // a corpse is not torn apart by a second blast
  EXPECT_EQ(a->frags, 1);   // nor does it score again
  EXPECT_TRUE(all<TGib>().empty());
}

TEST_F(CombatTest, OverkillDecidesBetweenCorpseAndGibs) {
  TMan* a = fighter(0, 0);
  struct Case {
    uint8_t kind;
    int32_t damage, threshold;
    bool torn;
  } cases[] = {
      {HitTearApart, 24, 15, false},  // a rocket that leaves -14: an ordinary corpse
      {HitTearApart, 25, 15, true},   // -15 exactly tears apart
      {HitTearApart, 90, 15, true},
      {HitTearApart, 11, 0, true},    // the Redeemer's threshold 0: every kill
      {HitOrdinary, 14, 5, false},    // a shotgun pellet
      {HitOrdinary, 15, 5, true},
      {HitCutting, 500, 38, false},   // a disk in the body never tears apart
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " damage " << c.damage);
    TMan* v = fighter(100, 100);
    v->health = 10;
    v->takeHit(a, c.damage, c.kind, 120, 2, c.threshold);
    EXPECT_EQ(v->health, 0);
    EXPECT_EQ(v->cooldown, 3000);
    EXPECT_EQ(v->z(), 0);
    EXPECT_EQ(v->visible, !c.torn);
    EXPECT_EQ(gibPieces(), c.torn ? (std::set<int>{0, 1, 2, 3, 4, 5, 6}) : std::set<int>{});
    if (!c.torn) {
      EXPECT_EQ(v->image, &models.Items.find("Doom_Dead_R"));
    }
    for (TGib* gib : all<TGib>()) gib->kill();
    root.freeKilled();
  }
  EXPECT_EQ(a->frags, 7);

  // With the gore off a torn body still vanishes, leaving nothing behind.
  scope.get().settings.meatOff = 1;
  TMan* v = fighter(100, 100);
  v->takeHit(a, 400, HitTearApart, 100, 30, 0);
  EXPECT_FALSE(v->visible);
  EXPECT_EQ(v->health, 0);
  EXPECT_TRUE(all<TGib>().empty());
}

TEST_F(CombatTest, TheCorpseFallsFromWhereTheFighterStood) {
  TMan* right = fighter(100, 200);
  kill(right, nullptr);
  EXPECT_EQ(right->image, &models.Items.find("Doom_Dead_R"));
  EXPECT_EQ(right->x, 84);  // centred: 16 - 64 / 2
  EXPECT_EQ(right->y, 200);
  EXPECT_EQ(right->width, 64);
  EXPECT_EQ(right->height, 46);
  EXPECT_EQ(right->hitBox, (TRect{32, 0, 32, 46}));
  EXPECT_EQ(right->frameCount, 8);
  EXPECT_FALSE(right->frameLooped);
  EXPECT_EQ(right->framePos, 0);
  EXPECT_DOUBLE_EQ(right->frameSpeed, 0.0064);  // 1250 ms for the whole strip

  // The left strip plays backwards and starts on its last pattern, not past it.
  TMan* left = fighter(100, 200);
  left->facing = 0;
  kill(left, nullptr);
  EXPECT_EQ(left->image, &models.Items.find("Doom_Dead_L"));
  EXPECT_EQ(left->drawFrame(), 7);
  EXPECT_DOUBLE_EQ(left->frameSpeed, -0.0064);

  // Crouched, the fighter's feet are 33 below its top; the corpse stands on the same row.
  TMan* low = fighter(100, 213);
  low->crouched = true;
  low->height = 33;
  low->image = &models.Items.find("Doom_Crouch_R");
  kill(low, nullptr);
  EXPECT_EQ(low->y + low->height, 246);

  // A head kill shows the headless body, whatever its own size.
  TMan* head = fighter(100, 200);
  head->takeHit(nullptr, 200, HitOrdinary, 200, 0, 100000);
  EXPECT_EQ(head->image, &models.Items.find("Doom_Headshot_R"));
  EXPECT_EQ(head->x, 86);
  EXPECT_EQ(head->y, 206);
  EXPECT_EQ(head->frameCount, 5);
}

TEST_F(CombatTest, ACrouchedVictimStandsUpToDieEvenUnderALowCeiling) {
  for (int col = 0; col < 20; ++col) solid(col, 12);  // right above a standing head at y 208
  TMan* low = fighter(100, 221);
  low->crouched = true;
  low->height = low->hitBox.Bottom = 33;
  low->takeHit(nullptr, 1000, HitTearApart, 241, 0, 0);
  // Torn apart, it is not left crouching until it comes back, and its weapon drops from a standing
  // body's middle.
  EXPECT_FALSE(low->crouched);
  EXPECT_EQ(low->y, 208);
  ASSERT_EQ(all<TItem>().size(), 1u);
  EXPECT_EQ(all<TItem>()[0]->y, 228);
}

TEST_F(CombatTest, FragsGoToTheKillerAndSuicidesCostOne) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(100, 100);
  v->frags = 4;
  kill(v, a);
  EXPECT_EQ(a->frags, 1);
  EXPECT_EQ(v->frags, 4);

  // One's own rocket: a frag lost, no multi-kill bookkeeping, no announcement.
  a->multiKillTime = 500;
  a->announcement = "";
  a->takeHit(a, 110, HitTearApart, 20, 6, 15);
  EXPECT_EQ(a->frags, 0);
  EXPECT_EQ(a->health, 0);
  EXPECT_EQ(a->multiKillTime, 500);
  EXPECT_EQ(a->announcement, "");

  // A projectile nobody owns (or a lethal cell's hit) kills without scoring, head hits included.
  TMan* w = fighter(100, 100);
  w->takeHit(nullptr, 300, HitCutting, 100, 3, 38);
  EXPECT_EQ(w->health, 0);
  EXPECT_EQ(w->frags, 0);
  EXPECT_EQ(w->announcement, "");
  EXPECT_EQ(w->image, &models.Items.find("Doom_Headshot_R"));
  EXPECT_EQ(gibPieces(), (std::set<int>{0}));
}

TEST_F(CombatTest, MultiKillsAreAnnouncedWithinTheirWindow) {
  TMan* a = fighter(0, 0);
  std::vector<std::string> shown;
  for (int i = 0; i < 4; ++i) {
    kill(fighter(100, 100), a);
    EXPECT_EQ(a->multiKillTime, 2000);
    shown.push_back(a->announcement);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"", "DoubleKill", "TripleKill", "DoubleKill"}));
  EXPECT_EQ(a->announceTime, 3000);
  EXPECT_EQ(a->frags, 4);

  // The last millisecond of the window still counts; once it has run out a kill starts a new count.
  a->announcement = "";
  a->announceTime = 0;
  a->multiKillTime = 1;
  kill(fighter(100, 100), a);
  EXPECT_EQ(a->announcement, "DoubleKill");
  a->announcement = "";
  a->announceTime = 0;
  a->multiKillTime = 0;
  kill(fighter(100, 100), a);
  EXPECT_EQ(a->announcement, "");
  EXPECT_EQ(a->announceTime, 0);
  EXPECT_EQ(a->multiKillTime, 2000);
}

TEST_F(CombatTest, HeadKillsAreImpressiveAndACutHeadFlies) {
  TMan* a = fighter(0, 0);
  TMan* smacked = fighter(100, 100);
  smacked->takeHit(a, 50, HitOrdinary, 105, 2, 100);  // 100 damage in the head
  EXPECT_EQ(smacked->health, 0);
  EXPECT_EQ(a->announcement, "Impressive");
  EXPECT_EQ(a->announceTime, 3000);
  EXPECT_EQ(smacked->image, &models.Items.find("Doom_Headshot_R"));
  EXPECT_TRUE(all<TGib>().empty());

  a->announcement = "";
  TMan* cut = fighter(100.8, 100);
  cut->aimAngle = 10;
  cut->takeHit(a, 50, HitCutting, 100, 3, 38);
  EXPECT_EQ(a->announcement, "Impressive");
  EXPECT_EQ(cut->image, &models.Items.find("Doom_Headshot_R"));
  const std::vector<TGib*> gibs = all<TGib>();
  ASSERT_EQ(gibs.size(), 1u);
  EXPECT_EQ(gibs[0]->framePos, 0);
  EXPECT_EQ(gibs[0]->x, 111);  // trunc(x) + 11, before the corpse is centred
  EXPECT_GE(gibs[0]->y, 110);
  EXPECT_LE(gibs[0]->y, 129);

  // A disk in the body is an ordinary death.
  TMan* body = fighter(100, 100);
  body->takeHit(a, 300, HitCutting, 120, 3, 38);
  EXPECT_EQ(body->image, &models.Items.find("Doom_Dead_R"));
  EXPECT_EQ(all<TGib>().size(), 1u);

  // Without the gore the head stays on, but the kill is still a headshot.
  scope.get().settings.meatOff = 1;
  a->announcement = "";
  fighter(100, 100)->takeHit(a, 50, HitCutting, 100, 3, 38);
  EXPECT_EQ(a->announcement, "Impressive");
  EXPECT_EQ(all<TGib>().size(), 1u);
}

TEST_F(CombatTest, TheDeadDropTheWeaponTheyHeldWithAmmunition) {
  TMan* v = fighter(100.7, 200.2);
  v->hasWeapon[3] = 1;
  v->ammo[3] = 5;
  v->currentWeapon = 3;
  kill(v, nullptr);
  std::vector<TItem*> items = all<TItem>();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0]->kind, "Weapon3Item");
  EXPECT_TRUE(items[0]->dropped);
  EXPECT_EQ(items[0]->x, 110);
  EXPECT_EQ(items[0]->y, 220);
  EXPECT_EQ(items[0]->gravity, 1.0);
  EXPECT_EQ(items[0]->z(), 10);

  // An empty weapon stays with the body; the energy gun always has its level, so it always drops.
  TMan* empty = fighter(100, 200);
  empty->hasWeapon[5] = 1;
  empty->currentWeapon = 5;
  kill(empty, nullptr);
  EXPECT_EQ(all<TItem>().size(), 1u);
  TMan* gun = fighter(100, 200);
  gun->takeHit(nullptr, 400, HitTearApart, 200, 30, 0);  // torn apart drops it too
  items = all<TItem>();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1]->kind, "Weapon0Item");
}

TEST_F(CombatTest, LethalCellsKillOutrightAndScoreForNobody) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(100.5, 200);
  v->frags = 2;
  v->aimAngle = 20;
  v->currentWeapon = 3;
  v->ammo[3] = 5;
  v->multiKillTime = 700;
  v->smackDown();
  EXPECT_EQ(v->frags, 1);
  EXPECT_EQ(v->health, 0);
  EXPECT_EQ(v->cooldown, 3000);
  EXPECT_FALSE(v->visible);
  EXPECT_EQ(v->multiKillTime, 700);
  EXPECT_EQ(a->frags, 0);
  EXPECT_TRUE(all<TItem>().empty());
  EXPECT_EQ(gibPieces(), (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
  const std::vector<TGib*> gibs = all<TGib>();
  // The head leaves from the top of the body, slowly, in the direction of the aim.
  auto head = std::find_if(gibs.begin(), gibs.end(), [](TGib* g) { return g->framePos == 0; });
  EXPECT_EQ((*head)->x, 119);
  EXPECT_EQ((*head)->y, 203);

  // Once dead, or in god mode, nothing more happens.
  v->smackDown();
  EXPECT_EQ(v->frags, 1);
  TMan* god = fighter(100, 200);
  god->godMode = true;
  god->smackDown();
  EXPECT_EQ(god->health, 100);
  EXPECT_TRUE(god->visible);

  scope.get().settings.meatOff = 1;
  fighter(100, 200)->smackDown();
  EXPECT_EQ(all<TGib>().size(), 7u);
}

TEST_F(CombatTest, AMissingPictureLeavesTheVictimAsItWas) {
  TMan* a = fighter(0, 0);
  TMan* v = fighter(100, 100);
  v->modelName = "Nobody";
  v->currentWeapon = 3;
  v->ammo[3] = 5;
  try {
    kill(v, a);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Image 'Nobody_Dead_R' not found");
  }
  EXPECT_EQ(v->health, 100);
  EXPECT_EQ(v->z(), 15);
  EXPECT_EQ(a->frags, 0);
  EXPECT_EQ(a->multiKillTime, 0);
  EXPECT_TRUE(all<TItem>().empty());

  EXPECT_THROW(v->smackDown(), Error);
  EXPECT_EQ(v->health, 100);
  EXPECT_EQ(v->frags, 0);
  EXPECT_EQ(root.count(), 2);
  // Hits that do not kill need no pictures.
  v->takeHit(a, 30, HitOrdinary, 120, 0, 100);
  EXPECT_EQ(v->health, 70);
}

}  // namespace
}  // namespace mv
