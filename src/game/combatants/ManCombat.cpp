// Being hit: damage with armour and hit zones, death into a corpse or gibs, the dropped weapon, frags,
// multi-kills and the announcer, and the instant death in a lethal cell.
//
// Everything a death needs (corpse, gib and dropped-item pictures) is looked up before the fighter
// changes, and sounds play last, so a missing name never leaves a half-dead fighter behind.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/combatants/Man.h"
#include "game/world/Gib.h"
#include "game/world/Images.h"
#include "game/world/Item.h"

namespace mv {
namespace {

constexpr int32_t kRespawnDelay = 3000;
constexpr int32_t kMultiKillWindow = 2000;
constexpr int32_t kAnnounceTime = 3000;
constexpr double kCorpseFramesPerMs = 0.0008;  // the fall takes 1250 ms whatever the strip's length
constexpr int32_t kHeadZone = 10;               // pixels below the top of the fighter
constexpr int32_t kLegZone = 30;
constexpr int32_t kGibPieces = 7;  // piece 0 is the head

int32_t clampInt(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Halves to the even neighbour: a 5 in the legs does 2, a 7 does 4.
int64_t halfToEven(int64_t damage) {
  return static_cast<int64_t>(std::nearbyint(static_cast<double>(damage) * 0.5));
}

}  // namespace

void TMan::takeHit(TMan* attacker, int32_t damage, uint8_t hitKind, int32_t hitY, int32_t knock,
                   int32_t gibThreshold) {
  // The knock-back speeds up whatever motion the body has, dead, alive or in god mode.
  velX += knock * velX / 30;
  velY += knock * velY / 25;
  if (health <= 0 || godMode) return;

  uint8_t kind = hitKind;
  int64_t hurt = damage;
  if (hitY - y < kHeadZone) {
    if (kind == HitOrdinary) {
      kind = HitHeadSmack;
      hurt *= 2;
    } else if (kind == HitCutting) {
      kind = HitHeadCut;
      hurt *= 2;
    }
  }
  if (hitY > y + kLegZone) hurt = halfToEven(hurt);

  // Armour soaks two thirds of the hit and the body still takes 44 per cent on top; what the armour
  // cannot hold goes to health as well. Only without armour does the whole hit reach health.
  int64_t newHealth = health;
  int64_t newArmor = armor;
  if (newArmor > 0) {
    newArmor -= hurt * 66 / 100;
    if (newArmor < 0) {
      newHealth += newArmor;
      newArmor = 0;
    }
    newHealth -= hurt * 44 / 100;
  } else {
    newHealth -= hurt;
  }
  if (newHealth > 0) {
    health = clampInt(newHealth);
    armor = clampInt(newArmor);
    return;
  }

  // Dead. An explosion that barely kills leaves a body; a bullet with enough to spare tears it apart.
  const int64_t threshold = -int64_t{gibThreshold};
  if (kind == HitTearApart && newHealth >= threshold) kind = HitOrdinary;
  if (kind == HitOrdinary && newHealth <= threshold) kind = HitTearApart;
  const bool meat = globals().settings.meatOff == 0;
  const bool headCut = kind == HitHeadCut;
  const bool headSmack = kind == HitHeadSmack;
  const bool torn = kind == HitTearApart;

  // Every picture first: nothing below may fail halfway.
  std::string dropKind;
  if (currentWeapon >= 0 && currentWeapon < kWeapons && ammo[static_cast<size_t>(currentWeapon)] > 0) {
    dropKind = "Weapon" + std::to_string(currentWeapon) + "Item";
    checkPickupKind(dropKind);
    gameImage(dropKind);
  }
  if (meat && (headCut || torn)) modelImage(modelName + "_Gibs");
  std::string corpse = modelName;
  if (kind == HitOrdinary || kind == HitCutting) corpse += "_Dead";
  if (headCut || headSmack) corpse += "_Headshot";
  corpse += facing == 0 ? "_L" : "_R";
  TPictureCollectionItem* corpseImage = torn ? nullptr : &modelImage(corpse);

  // A hit from nobody's projectile scores for nobody.
  if (attacker == this) {
    frags -= 1;
  } else if (attacker) {
    attacker->frags += 1;
    if (attacker->multiKillTime > 0) {
      attacker->announcement = attacker->announcement == "DoubleKill" ? "TripleKill" : "DoubleKill";
      attacker->announceTime = kAnnounceTime;
    }
    attacker->multiKillTime = kMultiKillWindow;
  }

  // The corpse keeps the feet row the fighter had when hit, crouched or not.
  const double feet = y + height;
  health = 0;  // before the stand-up, so that a low ceiling does not crouch the dead again
  command(CmdStandUp);
  armor = clampInt(newArmor);
  cooldown = kRespawnDelay;
  setZ(0);
  const double soundX = x + 24, soundY = y + 16;
  const int32_t dropX = truncPixel(x) + 10, dropY = truncPixel(y) + 20;

  if ((headCut || headSmack) && attacker) {
    attacker->announcement = "Impressive";
    attacker->announceTime = kAnnounceTime;
  }

  int32_t deathSound = 0;
  if (kind == HitOrdinary || kind == HitCutting) deathSound = 1 + globals().random.random(3);
  if (headCut && meat) spawnGib(10 + globals().random.random(20), globals().random.random(90), 0, knock);
  if (torn) {
    if (meat)
      for (int32_t part = 0; part < kGibPieces; ++part)
        spawnGib(10 + globals().random.random(20), globals().random.random(90), part, knock);
    visible = false;
  } else {
    command(CmdStandUp);
    image = corpseImage;
    const int32_t w = corpseImage->width(), h = corpseImage->height();
    const int32_t n = corpseImage->patternCount();
    boxMayChange();
    x = x + 16 - w / 2.0;
    y = feet - h;
    width = w;
    height = h;
    // No width: the body meets the level only along its middle, so it settles on a ledge's edge.
    hitBox = {w / 2, 0, w / 2, h};
    frameCount = n;
    frameLooped = false;
    // The left strip is the mirror of the right one and plays backwards from its last pattern.
    if (facing == 0) {
      framePos = std::max(n - 1, 0);
      frameSpeed = -n * kCorpseFramesPerMs;
    } else {
      framePos = 0;
      frameSpeed = n * kCorpseFramesPerMs;
    }
  }

  if (!dropKind.empty() && engine) createItem(engine, dropX, dropY, true, dropKind);

  if ((headCut || headSmack) && attacker && attacker->isHuman() && globals().settings.soundOn)
    playSound("Headshot");
  if (deathSound) playSoundAt("Death" + std::to_string(deathSound), soundX, soundY);
  if (headCut) playSoundAt("HeadCut", soundX, soundY);
  if (headSmack) playSoundAt("Headsmack", soundX, soundY);
  if (torn) playSoundAt("SmackDown", soundX, soundY);
}

void TMan::smackDown() {
  // Only the living die; a second touch in the same step must not cost another frag.
  if (godMode || health <= 0) return;
  const bool meat = globals().settings.meatOff == 0;
  if (meat) modelImage(modelName + "_Gibs");

  frags -= 1;
  health = 0;
  visible = false;
  cooldown = kRespawnDelay;
  const double soundX = x + 24, soundY = y + 16;

  if (meat && engine) {
    // The head pops straight out of the top, the rest scatters.
    (new TGib(engine))->setup(modelName, truncPixel(x) + 19, truncPixel(y) + 3, aimAngle, 2, 0);
    for (int32_t part = 1; part < kGibPieces; ++part)
      spawnGib(10 + globals().random.random(20), globals().random.random(90), part, 2);
  }
  playSoundAt("SmackDown", soundX, soundY);
}

void TMan::spawnGib(int32_t dy, int32_t dAngle, int32_t part, int32_t strength) {
  if (!engine) return;
  modelImage(modelName + "_Gibs");  // before the sprite exists, so a missing picture leaves none
  (new TGib(engine))
      ->setup(modelName, truncPixel(x) + 11, truncPixel(y) + dy, aimAngle + dAngle - 45, strength, part);
}

}  // namespace mv
