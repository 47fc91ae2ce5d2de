#include "game/combatants/Shot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/combatants/Man.h"
#include "game/combatants/ShotMath.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Grid.h"
#include "game/world/Images.h"

namespace mv {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The picture is found before the sprite exists, so a missing one leaves nothing half-made behind.
void playAnim(TSprite* root, const std::string& name, int32_t angle, double x, double y, double speed,
              int32_t z) {
  if (!root) return;
  gameImage(name);
  (new TAnim(root))->start(name, angle, x, y, speed, z);
}

void spawnBlood(TSprite* root, double x, double y, double velX, double velY) {
  if (!root) return;
  gameImage("MeatBlood");
  (new TBlood(root))->setup(x, y, velX, velY);
}

// One of three variants of a sound, "Ricoshet1" .. "Ricoshet3".
std::string variant(const char* name) {
  return name + std::to_string(1 + globals().random.random(3));
}

}  // namespace

TShot::TShot(TSprite* parent) : TPhyzObj(parent) {
  gravity = 0;
  friction = 0;
  keepVelocity = true;
  collidable = false;
  // A disk turns its own direction at a wall; nothing else takes the body's reflection but flak.
  noReflect = true;
  setZ(5);
}

void TShot::launch(double px, double py, int32_t weapon, int32_t level) {
  ProjectileRow row;
  if (!projectileRow(weapon, level, row)) return;
  launch(px, py, row);
}

void TShot::launch(double px, double py, const ProjectileRow& row) {
  TPictureCollectionItem& picture = gameImage(row.image);
  image = &picture;
  width = picture.width();
  height = picture.height();
  hitBox = {0, 0, width, height};
  x = px;
  y = py;
  weaponNumber = row.weapon;
  damage = row.damage;
  speed = row.speed;
  knock = row.knock;
  gibThreshold = row.gibThreshold;
  hitKind = row.hitKind;
  splashRadius = row.splashRadius;
  maxBounces = bounces = row.bounces;
  ricochetImage = row.ricochetImage;
  bounceSound = row.bounceSound;
  explosionImage = row.explosionImage;
  explosionSound = row.explosionSound;
  explosive = row.explosive;
  guided = row.guided;
  frameCount = row.frames;
  frameLooped = row.frames > 0;
  frameSpeed = row.frames > 0 ? 0.01 : 0;
  framePos = 0;
  if (row.falls) {
    gravity = 1;
    friction = 1;
    bounce = 0.3;
    keepVelocity = false;
    bouncing = true;
    noReflect = false;
  }
}

void TShot::setDirection(int32_t d) {
  direction = d;
  const double a = (d - 90) * kDegree;
  velX = std::cos(a) * speed * 0.2;
  velY = -std::sin(a) * speed * 0.2;
}

bool TShot::outsideGrid() const {
  // Pixels -255 .. 1855 fall in the grid's cells -15 .. 115 (cells are found truncating toward zero).
  constexpr int64_t lowest = Grid::First * 16 - 15, highest = (Grid::Last + 1) * 16 - 1;
  const int64_t X = nearPixel(x), Y = nearPixel(y);
  return X + hitBox.Right - 1 < lowest || X + hitBox.Left > highest || Y + hitBox.Bottom - 1 < lowest ||
         Y + hitBox.Top > highest;
}

bool TShot::touchesLevel() const {
  return !(canMove(Left) && canMove(Right) && canMove(Up) && canMove(Down));
}

void TShot::steer() {
  if (!guided) return;
  // A dead owner lets go of the missile for good: once respawned he looks through his own eyes again.
  if (!owner || !owner->alive()) {
    guided = false;
    return;
  }
  if (!owner->isHuman()) return;
  setDirection(owner->fireAngle());
  const int32_t W = engine ? engine->width : 0, H = engine ? engine->height : 0;
  owner->cameraX = W / 2 - x - width / 2;
  owner->cameraY = H / 2 - y - height / 2;
}

void TShot::moveSelf(int moveCount) {
  TPhyzObj::moveSelf(moveCount);
  // Off an open level there is nothing left to hit: the shot just ends.
  if (outsideGrid()) {
    kill();
    return;
  }
  steer();

  bool flySound = false, flame = false;
  double flameX = 0, flameY = 0;
  if (explosive) {
    if (flightSoundTimer <= 0) {
      flightSoundTimer = 300;
      flySound = true;
    }
    if (flightSoundTimer > 0) flightSoundTimer -= moveCount;
    if (flameTimer <= 0) {
      flameTimer = 160;
      flame = true;
      // 18 pixels behind the centre, against the flight.
      const double a = (90 - direction) * kDegree;
      flameX = centreX() - std::cos(a) * 18;
      flameY = centreY() + std::sin(a) * 18;
    }
    if (flameTimer > 0) flameTimer -= truncRound(moveCount * speed);
  }
  angle = nearRound(direction * 256.0 / 360);

  hitFighters();
  // A shot that has just struck someone is spent; it does not go on to ricochet off the wall behind.
  if (!killed()) touchLevel();

  if (flySound) playSoundAt("RocketFly", x + 5, y + 5);
  if (flame) playAnim(engine, "RocketFlame", 0, flameX, flameY, 0.04, 14);
}

void TShot::touchLevel() {
  if (!touchesLevel()) return;
  if (bounces > 0) {
    // The disk turns itself; flak has already taken the body's own bounce.
    if (noReflect) setDirection(canMove(Up) && canMove(Down) ? 360 - direction : 180 - direction);
    bounced = true;
    damage = maxBounces > 0 ? nearRound(static_cast<double>(damage) * bounces / maxBounces) : damage;
    bounces -= 1;
    if (bounces <= 0) kill();
    playSoundAt(bounceSound, x + 5, y + 5);
  } else if (splashRadius <= 0) {
    kill();
    playSoundAt(variant("Ricoshet"), x, y);
    playAnim(engine, ricochetImage, angle, x, y, 0.03, 25);
  } else {
    explode();
  }
}

void TShot::strike(TMan& victim, int32_t damage, uint8_t kind, int32_t hitY, int32_t knock,
                   int32_t gibThreshold) {
  const bool wasAlive = victim.alive();
  victim.takeHit(owner, damage, kind, hitY, knock, gibThreshold);
  if (wasAlive && !victim.alive()) victim.countDeath(owner, weaponNumber);
}

void TShot::hitFighters() {
  TMatch* match = globals().match;
  if (!match) return;
  match->forEachFighterNear(*this, [this](int32_t, TMan* victim) {
    if (!victim || !victim->alive() || (victim == owner && !bounced)) return true;
    if (!mayCollide(*victim) || !testCollision(*victim)) return true;
    if (splashRadius >= 1) {
      explode();
      return true;
    }
    // Removal waits for the end of the pass, so a shot through two overlapping fighters hits both.
    kill();
    strike(*victim, damage, hitKind, truncRound(y), truncRound(knock), gibThreshold);
    playSoundAt(variant("BulletAttack"), x, y);
    spawnBlood(engine, x, y, 0, 0);
    spawnBlood(engine, x, y, velX / 10, velY / 15);
    return true;
  });
}

void TShot::explode() {
  if (exploded) return;
  exploded = true;
  // Gone first: whatever happens below, the missile does not fly on and explode again.
  kill();

  const TMatch* match = globals().match;
  const int32_t n = match && splashRadius > 0 ? match->fighterCount() : 0;
  for (int32_t i = 0; i < n; ++i) {
    TMan* victim = match->fighter(i);
    if (!victim || victim->gone) continue;
    const double distance = std::hypot(x - (victim->x + 16), y - (victim->y + 23));
    // Whole pixels count: 90.5 from a rocket is still 90, in reach (no damage, but the push).
    if (!(distance < splashRadius + 1.0)) continue;
    // Closer than 48 pixels counts as 48: the push and the damage stop growing there.
    const int32_t d = std::max(truncRound(distance), 48);
    victim->velX += ((victim->x + 16 - x - width / 2.0) / d) * knock / (d - 30);
    victim->velY -= ((victim->y + 23 - y - height / 2.0) / d) * knock / (d - 35);
    strike(*victim, nearRound(static_cast<double>(damage) * (splashRadius - d) / splashRadius), hitKind,
           truncRound(y), 0, gibThreshold);
    const double bx = victim->x, by = victim->y;
    spawnBlood(engine, bx, by, -0.05, 0.1);
    spawnBlood(engine, bx, by, 0, 0);
    spawnBlood(engine, bx, by, 0.05, 0.1);
    spawnBlood(engine, bx, by, -0.1, -0.05);
    spawnBlood(engine, bx, by, 0.1, -0.05);
  }
  playAnim(engine, explosionImage, 0, x, y, 0.02, 30);
  playSoundAt(explosionSound, x, y);
}

}  // namespace mv
