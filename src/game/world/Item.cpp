#include "game/world/Item.h"

#include <algorithm>
#include <vector>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/combatants/Man.h"
#include "game/world/Grid.h"
#include "game/world/Images.h"
#include "game/world/Match.h"
#include "platform/Error.h"

namespace mv {
namespace {

enum class Rule { Health25, Health200, Armor, Weapon, Ammo, None };

struct KindRule {
  Rule rule = Rule::None;
  int32_t weapon = -1;  // Weapon and Ammo only; -1 when the character after the prefix is no weapon
  std::string digit;    // that character, for the refusal message
};

// Weapon and ammunition kinds are known by their first letters and carry the weapon number right after.
KindRule ruleOf(const std::string& kind) {
  KindRule r;
  if (kind == "Health25") {
    r.rule = Rule::Health25;
  } else if (kind == "Health200") {
    r.rule = Rule::Health200;
  } else if (kind == "Armor") {
    r.rule = Rule::Armor;
  } else {
    size_t at = 0;
    if (kind.starts_with("Weapon")) {
      r.rule = Rule::Weapon;
      at = 6;
    } else if (kind.starts_with("Ammo")) {
      r.rule = Rule::Ammo;
      at = 4;
    } else {
      return r;
    }
    if (at < kind.size()) {
      r.digit = kind.substr(at, 1);
      const char c = kind[at];
      if (c >= '0' && c < '0' + kWeapons) r.weapon = c - '0';
    }
  }
  return r;
}

constexpr size_t kMinDroppedItems = 16;  // with a new one, at most this or two per fighter lie about
constexpr int32_t kFadeStep = 3;             // alpha per pass: 85 passes from clear to opaque
constexpr double kBobMsPerPixel = 42;        // hovering speed
constexpr double kBobHeight = 10;            // pixels
constexpr double kFallenOut = (Grid::Last + 1) * 16.0;  // below every cell: nothing there to land on

// Passes (not milliseconds) until a taken pick-up is back.
constexpr int32_t kHealth25Delay = 700;
constexpr int32_t kHealth200Delay = 3000;
constexpr int32_t kArmorDelay = 1000;
constexpr int32_t kBigWeaponDelay = 5000;  // the Redeemer and the minigun
constexpr int32_t kWeaponDelay = 1200;
constexpr int32_t kAmmoDelay = 500;

}  // namespace

TItem::TItem(TSprite* parent) : TPhyzObj(parent) {
  setZ(10);
  collidable = false;
  gravity = 0;
  velX = velY = 0;
  bobUp = true;
}

void checkPickupKind(const std::string& kind) {
  const KindRule r = ruleOf(kind);
  if ((r.rule == Rule::Weapon || r.rule == Rule::Ammo) && r.weapon < 0)
    throw Error(format("'%s' is not a valid integer value", r.digit.c_str()));
}

void TItem::place(int32_t px, int32_t py, bool isDropped, const std::string& newKind) {
  checkPickupKind(newKind);
  TPictureCollectionItem& picture = gameImage(newKind);

  kind = newKind;
  image = &picture;
  width = picture.width();
  height = picture.height();
  frameCount = picture.patternCount();
  frameSpeed = 0.01;
  frameLooped = true;
  // No width: a falling pick-up rests on whatever lies under its middle.
  hitBox = {width / 2, 0, width / 2, height};
  x = px;
  y = py;
  baseY = py;
  dropped = isDropped;
  if (dropped) gravity = 1.0;
}

bool TItem::sunkInLethal() const {
  // The pick-up rests on its middle line; the cell holding that line's lowest pixel is where it lies.
  const int64_t X = nearPixel(x), Y = nearPixel(y);
  return globals().grid.at((X + width / 2) / 16, (Y + height - 1) / 16) == CellLethal;
}

void TItem::moveSelf(int moveCount) {
  TPhyzObj::moveSelf(moveCount);
  // A dropped weapon that fell out of an open level would fall for ever, and one that sank into a
  // lethal pool would lie there for the rest of the match: nobody can fetch it alive from either, and
  // in a long match they pile up with every death over the pit.
  if (dropped && (y > kFallenOut || sunkInLethal())) {
    kill();
    return;
  }

  // The delay and the fade-in count passes, whatever their length.
  if (respawnDelay > 0) {
    visible = false;
    alpha = 0;
    respawnDelay -= 1;
  } else {
    visible = true;
    if (alpha < 255) alpha = std::min(alpha + kFadeStep, 255);
  }

  const double step = moveCount / kBobMsPerPixel;
  bobOffset = std::clamp(bobUp ? bobOffset + step : bobOffset - step, 0.0, kBobHeight);
  if (bobOffset == 0 || bobOffset == kBobHeight) bobUp = !bobUp;
  if (!dropped) y = baseY - bobOffset;

  pickUpCheck();
}

void TItem::pickUpCheck() {
  TMatch* match = globals().match;
  if (!match || !visible) return;
  const KindRule r = ruleOf(kind);
  // Returns false where the pick-up is kept from everyone after this fighter.
  match->forEachFighterNear(*this, [&](int32_t, TMan* man) {
    if (!man || man->health <= 0 || !mayCollide(*man) || !testCollision(*man)) return true;

    // Still visible until the next pass: a second fighter touching it in this pass takes it as well.
    const char* sound = nullptr;
    switch (r.rule) {
      case Rule::Health25:
        // A fighter who cannot use it blocks it for everyone after him in this pass.
        if (man->health >= 100) return false;
        man->health = std::min(man->health + 25, 100);
        respawnDelay = kHealth25Delay;
        sound = "Health25";
        break;
      case Rule::Health200:
        if (man->health == 200) return false;
        man->health = 200;
        respawnDelay = kHealth200Delay;
        sound = "MegaHealth";
        break;
      case Rule::Armor:
        if (man->armor >= 100) return false;
        man->armor = std::min(man->armor + 50, 100);
        respawnDelay = kArmorDelay;
        sound = "ArmorGet";
        break;
      case Rule::Weapon:
        if (r.weapon < 0) break;  // refused when placed; only a kind changed afterwards gets here
        man->takeWeapon(r.weapon);  // owned even when the ammunition is full
        respawnDelay = (r.weapon == 4 || r.weapon == 7) ? kBigWeaponDelay : kWeaponDelay;
        sound = "WeaponGet";
        break;
      case Rule::Ammo:
        if (r.weapon < 0 || !man->takeAmmoPack(r.weapon)) return true;
        respawnDelay = kAmmoDelay;
        sound = "AmmoGet";
        break;
      case Rule::None:
        break;
    }
    if (dropped) kill();
    if (!sound) return true;
    match->events.add({.kind = MatchEvent::Kind::Pickup, .fighter = man, .pickup = kind});
    playSoundAt(sound, x + 10, y + 10);
    return true;
  });
}

namespace {

void makeRoomForDroppedItem(TSprite& parent) {
  // Dropped weapons stay until someone takes them, and bots never go looking for them: where fighters
  // keep dying out of everyone's way they would pile up for the whole match. The oldest goes first.
  const TMatch* match = globals().match;
  const size_t limit = std::max<size_t>(kMinDroppedItems, 2 * static_cast<size_t>(match ? match->fighterCount() : 0));
  std::vector<TItem*> dropped;
  for (TSprite* child : parent.children())
    if (auto* item = dynamic_cast<TItem*>(child); item && item->dropped && !item->killed()) dropped.push_back(item);
  for (size_t i = 0; i + limit <= dropped.size(); ++i) dropped[i]->kill();
}

}  // namespace

TItem* createItem(TSprite* parent, int32_t x, int32_t y, bool dropped, const std::string& kind) {
  checkPickupKind(kind);
  gameImage(kind);
  if (dropped && parent) makeRoomForDroppedItem(*parent);
  auto* item = new TItem(parent);
  item->place(x, y, dropped, kind);
  return item;
}

void placeLevelPickup(const std::string& kind, int32_t x, int32_t y) {
  TSpriteEngine* root = globals().spriteEngine;
  if (!root) throw Error("No sprite engine for pick-ups");
  createItem(root, x, y, false, kind);
}

}  // namespace mv
