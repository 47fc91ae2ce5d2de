// The weapons fired on a shooting range through the whole game: the player picks the guns up, turns
// with the move key, switches with NEXTWEAPON and fires with the mouse button; the projectiles must
// fly, show on the screen and end at the far wall exactly where the flight arithmetic puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "FightRange.h"
#include "game/combatants/Shot.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"

namespace mv {
namespace {

double nearest(double v) {
  return std::nearbyint(v);
}

// A projectile's straight flight from its first position, step by step (one step per 16 ms frame; it
// first moves in the frame after it was fired), and where it first touches the floor or the far wall.
struct Flight {
  double x0, y0, stepX, stepY;
  int w, h;

  static Flight of(const TShot& s) {
    const double a = (s.direction - 90) * std::numbers::pi / 180, v = s.speed * 0.2 * 16;
    return {s.x, s.y, std::cos(a) * v, std::sin(a) * v, s.width, s.height};
  }
  double x(int k) const { return x0 + k * stepX; }
  double y(int k) const { return y0 + k * stepY; }
  bool reachesWall(int k) const { return nearest(x(k)) + w >= kRangeRightWall; }
  bool reachesFloor(int k) const { return nearest(y(k)) + h >= kRangeFloor; }
  int impact() const {
    int k = 1;
    while (!reachesWall(k) && !reachesFloor(k)) ++k;
    return k;
  }
  // The body walks pixel by pixel and stops flush against what it meets.
  double impactX() const { return reachesWall(impact()) ? kRangeRightWall - w : x(impact()); }
  double impactY() const { return reachesFloor(impact()) ? kRangeFloor - h : y(impact()); }
};

struct Impact {
  int frame;
  std::string image;
  double cx, cy;
  int angle;
};

class WeaponRange : public FightRange {
 protected:
  void select(int w) {
    for (int tries = 0; tries < 8 && player().currentWeapon != w; ++tries) {
      tap('Q');
      for (int i = 0; i < 13; ++i) frame();  // the switch holds the gun back for 200 ms
    }
    ASSERT_EQ(player().currentWeapon, w);
  }

  // Fires once and returns the projectiles of that shot, checked against the muzzle.
  std::vector<TShot*> fire(int w) {
    const std::vector<TShot*> before = live<TShot>();
    fireOnce();
    std::vector<TShot*> shots;
    for (TShot* s : live<TShot>())
      if (std::find(before.begin(), before.end(), s) == before.end()) shots.push_back(s);
    const TPlayer& p = player();
    for (TShot* s : shots) {
      EXPECT_EQ(s->weaponNumber, w);
      EXPECT_EQ(s->owner, &p);
      if (w == 7) {  // the minigun's barrel is at a fixed place, centred only up and down
        EXPECT_EQ(s->x, nearest(p.x) + 16);
        EXPECT_GE(s->direction, 85);
        EXPECT_LE(s->direction, 95);
      } else {
        EXPECT_EQ(s->x + s->width / 2.0, nearest(p.x + p.width / 2.0));
      }
      EXPECT_EQ(s->y + s->height / 2.0, nearest(p.y) + 16);
    }
    return shots;
  }

  // Runs the flight of a shot's projectiles, checking each step and, three steps out, where the screen
  // shows them; returns the effects that started where they ended.
  std::vector<Impact> flyOut(const std::vector<TShot*>& shots, int frames, const std::string& name = "") {
    std::vector<Flight> flights;
    for (const TShot* s : shots) flights.push_back(Flight::of(*s));
    std::vector<TAnim*> seen = live<TAnim>();
    std::vector<Impact> impacts;
    for (int k = 1; k <= frames; ++k) {
      frame();
      for (size_t i = 0; i < shots.size(); ++i) {
        if (flights[i].impact() <= k) continue;
        if (shots[i]->killed()) {
          ADD_FAILURE() << "shot " << i << " ended early, step " << k;
          return impacts;
        }
        EXPECT_NEAR(shots[i]->x, flights[i].x(k), 1e-9) << "shot " << i << " step " << k;
        EXPECT_NEAR(shots[i]->y, flights[i].y(k), 1e-9) << "shot " << i << " step " << k;
      }
      if (k == 3) {
        const TRect shown = shownArea({shots.begin(), shots.end()});
        double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (const TShot* s : shots) {
          left = std::min(left, s->x + s->width / 2.0), right = std::max(right, s->x + s->width / 2.0);
          top = std::min(top, s->y + s->height / 2.0), bottom = std::max(bottom, s->y + s->height / 2.0);
        }
        const double ex = root().x, ey = root().y;
        EXPECT_NEAR((shown.Left + shown.Right) / 2.0, (left + right) / 2 + ex, 2.0);
        EXPECT_NEAR((shown.Top + shown.Bottom) / 2.0, (top + bottom) / 2 + ey, 2.0);
        if (!name.empty()) snap(name + "-flight");
      }
      // Only what lives now counts as seen: a new effect may take the place an ended one was freed from.
      const std::vector<TAnim*> now = live<TAnim>();
      const std::vector<TAnim*> before = std::exchange(seen, now);
      for (TAnim* a : now) {
        if (std::find(before.begin(), before.end(), a) != before.end()) continue;
        if (a->image->Name == "RocketFlame") continue;
        impacts.push_back({k, a->image->Name, a->x + a->width / 2.0, a->y + a->height / 2.0, a->angle});
        if (!name.empty() && impacts.size() == 1) snap(name + "-impact");
      }
    }
    return impacts;
  }
};

TEST_F(WeaponRange, BulletsFlyStraightAndRicochetOffTheFarWall) {
  armedOnTheRange();
  const struct {
    int weapon;
    size_t pellets;
    const char* ricochet;
  } guns[] = {{0, 1, "SmallRico"}, {1, 1, "Rickoshet"}, {2, 5, "SmallRico"}, {7, 1, "SmallRico"}};
  for (const auto& gun : guns) {
    SCOPED_TRACE(gun.weapon);
    select(gun.weapon);
    const int before = player().ammo[static_cast<size_t>(gun.weapon)];
    const std::vector<TShot*> shots = fire(gun.weapon);
    ASSERT_EQ(shots.size(), gun.pellets);
    // The energy gun's level is never spent; everything else spends one round per shot.
    EXPECT_EQ(player().ammo[static_cast<size_t>(gun.weapon)], gun.weapon == 0 ? before : before - 1);
    std::vector<Flight> flights;
    std::vector<int> angles;
    for (const TShot* s : shots) {
      flights.push_back(Flight::of(*s));
      angles.push_back(static_cast<int>(nearest(s->direction * 256.0 / 360)));
    }
    if (gun.weapon == 2) {  // a fan of five, a degree apart
      for (size_t i = 0; i < 5; ++i) EXPECT_EQ(shots[i]->direction, 88 + static_cast<int>(i));
    }

    std::vector<Impact> impacts = flyOut(shots, 60, "weapon" + std::to_string(gun.weapon));
    ASSERT_EQ(impacts.size(), gun.pellets);
    std::vector<Impact> expected;
    for (size_t i = 0; i < flights.size(); ++i)
      expected.push_back(
          {flights[i].impact(), gun.ricochet, flights[i].impactX(), flights[i].impactY(), angles[i]});
    auto byHeight = [](const Impact& a, const Impact& b) { return a.cy < b.cy; };
    std::sort(impacts.begin(), impacts.end(), byHeight);
    std::sort(expected.begin(), expected.end(), byHeight);
    for (size_t i = 0; i < impacts.size(); ++i) {
      EXPECT_EQ(impacts[i].frame, expected[i].frame) << i;
      EXPECT_EQ(impacts[i].image, expected[i].image) << i;
      // Centred on the projectile's corner, turned as it flew.
      EXPECT_NEAR(impacts[i].cx, expected[i].cx, 1.0) << i;
      EXPECT_NEAR(impacts[i].cy, expected[i].cy, 1.0) << i;
      EXPECT_EQ(impacts[i].angle, expected[i].angle) << i;
    }
    EXPECT_TRUE(live<TShot>().empty());  // every pellet is gone (and freed) after its impact
  }
  EXPECT_EQ(player().health, 100);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(WeaponRange, RocketsTrailFlameAndExplodeAtTheWallTheRedeemerCarriesTheView) {
  TPlayer& p = armedOnTheRange();
  select(3);
  std::vector<TShot*> rocket = fire(3);
  ASSERT_EQ(rocket.size(), 1u);
  const Flight flight = Flight::of(*rocket[0]);
  // A puff every 160 units of 32 per step (speed 2 for 16 ms), 18 pixels behind the middle.
  std::vector<TAnim*> old = live<TAnim>();
  for (int k = 1; k < 12; ++k) {
    frame();
    for (TAnim* a : live<TAnim>()) {
      if (std::find(old.begin(), old.end(), a) != old.end()) continue;
      old.push_back(a);
      ASSERT_EQ(a->image->Name, "RocketFlame");
      EXPECT_TRUE(k == 1 || k == 6 || k == 11) << k;
      EXPECT_NEAR(a->x + a->width / 2.0, flight.x(k) + flight.w / 2.0 - 18, 1e-9);
      EXPECT_NEAR(a->y + a->height / 2.0, flight.y(k) + flight.h / 2.0, 1e-9);
      EXPECT_EQ(a->z(), 14);
    }
  }
  std::vector<Impact> blast = flyOut(rocket, 80, "weapon3");
  ASSERT_EQ(blast.size(), 1u);
  EXPECT_EQ(blast[0].image, "Explosion");
  EXPECT_EQ(blast[0].frame, flight.impact() - 11);
  EXPECT_NEAR(blast[0].cx, kRangeRightWall - flight.w, 1.0);
  EXPECT_NEAR(blast[0].cy, flight.y0, 1e-9);
  EXPECT_EQ(p.ammo[3], 5);

  select(4);
  std::vector<TShot*> redeemer = fire(4);
  ASSERT_EQ(redeemer.size(), 1u);
  TShot& missile = *redeemer[0];
  for (int k = 1; k <= 20; ++k) frame();
  // The owner's view rides on the missile: it is in the middle of his screen.
  EXPECT_EQ(p.cameraX, 800 / 2 - missile.x - missile.width / 2);
  EXPECT_EQ(p.cameraY, 600 / 2 - missile.y - missile.height / 2);
  const TRect shown = shownArea({&missile});
  EXPECT_NEAR((shown.Left + shown.Right) / 2.0, missile.x + missile.width / 2.0 + root().x, 2.0);
  EXPECT_NEAR((shown.Top + shown.Bottom) / 2.0, missile.y + missile.height / 2.0 + root().y, 2.0);
  EXPECT_NEAR((shown.Left + shown.Right) / 2.0, 400, 2.0);
  EXPECT_NEAR((shown.Top + shown.Bottom) / 2.0, 300, 2.0);
  const Flight guided = Flight::of(missile);
  std::vector<Impact> big = flyOut(redeemer, 80, "weapon4");
  ASSERT_EQ(big.size(), 1u);
  EXPECT_EQ(big[0].image, "RedeemerExplo");
  EXPECT_NEAR(big[0].cx, kRangeRightWall - guided.w, 1.0);
  // Far outside both blasts, and the view is his own again.
  EXPECT_EQ(p.health, 100);
  EXPECT_EQ(p.cameraX, 800 / 2 - p.x - p.width / 2);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(WeaponRange, DisksComeBackOffTheWallAndFlakBouncesAlongTheFloor) {
  TPlayer& p = armedOnTheRange();
  form.Console->submit("godmode 1");
  ASSERT_TRUE(p.godMode);

  select(5);
  std::vector<TShot*> flak = fire(5);
  ASSERT_EQ(flak.size(), 5u);
  std::vector<int> bouncesLeft(5, 3);
  for (int k = 0; k < 300; ++k) {
    form.SpriteEngine.move(16);  // the pellets are freed at the end of the frame: watched before that
    for (size_t i = 0; i < 5; ++i) {
      if (bouncesLeft[i] == 0) continue;
      EXPECT_LE(flak[i]->y + flak[i]->height, kRangeFloor + 0.5) << i;  // never through the floor
      bouncesLeft[i] = flak[i]->bounces;
      if (flak[i]->killed()) bouncesLeft[i] = 0;
    }
    if (std::all_of(bouncesLeft.begin(), bouncesLeft.end(), [](int b) { return b == 0; })) break;
    form.SpriteEngine.dead();
    form.drawSingleView(&p);
  }
  form.SpriteEngine.dead();
  EXPECT_TRUE(live<TShot>().empty());

  select(6);
  std::vector<TShot*> disk = fire(6);
  ASSERT_EQ(disk.size(), 1u);
  const Flight out = Flight::of(*disk[0]);
  std::vector<Impact> none = flyOut(disk, out.impact(), "weapon6");
  EXPECT_TRUE(none.empty());  // a disk rings off the wall and flies on
  TShot& d = *disk[0];
  ASSERT_FALSE(d.killed());
  EXPECT_EQ(d.direction, 270);
  EXPECT_EQ(d.bounces, 5);
  EXPECT_EQ(d.damage, 30);
  EXPECT_TRUE(d.bounced);
  EXPECT_NEAR(d.x, kRangeRightWall - d.width, 1.0);
  const double turnedAt = d.x;
  int k = 0;
  while (!d.killed() && k < 60) {
    form.SpriteEngine.move(16);
    ++k;
    if (!d.killed()) {
      EXPECT_NEAR(d.x, turnedAt - k * 1.2 * 16, 1e-9);
    }
  }
  // Once it has bounced it may cut its owner: it ends in him, and his god mode keeps him whole.
  ASSERT_TRUE(d.killed());
  EXPECT_LT(d.x, p.x + p.width);
  EXPECT_GT(d.x + d.width, p.x);
  const std::vector<TBlood*> blood = live<TBlood>();
  EXPECT_EQ(std::count_if(blood.begin(), blood.end(), [&](TBlood* b) { return b->x == d.x && b->y == d.y; }),
            2);
  form.SpriteEngine.dead();
  EXPECT_EQ(p.health, 100);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace mv
