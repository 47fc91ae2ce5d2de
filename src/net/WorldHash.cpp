#include "net/WorldHash.h"

#include <cstring>

#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/combatants/Shot.h"
#include "game/world/Item.h"
#include "game/world/Match.h"

namespace mv {
namespace {

class Digest {
 public:
  template <typename T>
  void add(T value) {
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (uint8_t b : bytes) {
      hash_ ^= b;
      hash_ *= 0x100000001b3ull;
    }
  }
  void body(const TPhyzObj& o) {
    add(o.x);
    add(o.y);
    add(o.velX);
    add(o.velY);
  }
  uint64_t value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ull;
};

void addFighter(Digest& d, const TMan& m) {
  d.body(m);
  for (int32_t v : {m.health, m.armor, m.frags, m.deaths, m.aimAngle, m.cooldown, int32_t{m.currentWeapon}})
    d.add(v);
  for (int32_t a : m.ammo) d.add(a);
  for (uint8_t w : m.hasWeapon) d.add(w);
  d.add(m.facing);
  d.add(m.crouched);
  d.add(m.gone);
  if (auto* person = dynamic_cast<const TPlayer*>(&m)) d.add(person->padAimRest);
}

// Projectiles and pick-ups lie in the sprite tree in the order they were made, the same on every machine.
void addSprites(Digest& d, const TSprite& parent) {
  for (const TSprite* s : parent.children()) {
    if (auto* shot = dynamic_cast<const TShot*>(s)) {
      d.add(uint8_t{1});
      d.body(*shot);
      d.add(shot->weaponNumber);
      d.add(shot->direction);
    } else if (auto* item = dynamic_cast<const TItem*>(s)) {
      d.add(uint8_t{2});
      d.body(*item);
      d.add(item->visible);
      d.add(item->respawnDelay);
    }
    addSprites(d, *s);
  }
}

}  // namespace

uint64_t worldHash(const Globals& g) {
  Digest d;
  d.add(g.random.state());
  if (g.match) d.add(g.match->rules.clockMs());
  if (g.match)
    for (int32_t i = 0; i < g.match->fighterCount(); ++i)
      if (const TMan* m = g.match->fighter(i)) addFighter(d, *m);
  if (g.spriteEngine) addSprites(d, *g.spriteEngine);
  return d.value();
}

}  // namespace mv
