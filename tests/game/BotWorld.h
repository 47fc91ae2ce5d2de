#pragma once
// The fighter's small world with what a bot needs besides: the projectile pictures of every weapon (a
// bot fires), a console to chat into, and fighters to look at. Bots and targets are placed by hand and
// stepped one by one, so each test sees exactly the decisions it asks for.

#include <string>
#include <vector>

#include "ManTestSupport.h"
#include "game/combatants/Bot.h"
#include "game/combatants/Shot.h"
#include "game/console/Console.h"

namespace mv {

class BotWorld : public ManWorld {
 protected:
  BotWorld() {
    for (auto [name, w, h, n] :
         std::vector<std::tuple<const char*, int, int, int>>{{"Laser", 6, 16, 1},
                                                             {"AdvLaser", 8, 18, 1},
                                                             {"Plasma", 14, 14, 1},
                                                             {"Shot", 4, 10, 1},
                                                             {"Rocket", 10, 22, 4},
                                                             {"Redeemer", 14, 30, 3},
                                                             {"Flak", 8, 8, 1},
                                                             {"Disk", 14, 14, 1},
                                                             {"SmallRico", 16, 16, 6},
                                                             {"Rickoshet", 20, 20, 6},
                                                             {"RickoEnergo", 24, 24, 6},
                                                             {"Explosion", 64, 64, 10},
                                                             {"RedeemerExplo", 40, 40, 12},
                                                             {"RocketFlame", 16, 16, 8},
                                                             {"MeatBlood", 10, 10, 6},
                                                             {"EarthBlood", 10, 10, 1}})
      addTestImage(images, name, w, h, n);
    g().console = &console;
    g().random.seed(11);
  }
  ~BotWorld() override { g().console = nullptr; }

  // A living bot standing with its top-left corner at (x, y), facing right, listed in the match.
  TBot* bot(double x, double y, int laziness = 0) {
    auto* b = fighterAt<TBot>(x, y);
    b->laziness = static_cast<int8_t>(laziness);
    b->facing = 1;
    match.addFighter(b);
    return b;
  }
  // A living fighter that only stands there to be looked at.
  TMan* target(double x, double y) {
    TMan* m = fighterAt(x, y);
    m->movable = false;  // the move pass leaves it where it is put
    match.addFighter(m);
    return m;
  }
  int shots() {
    int n = 0;
    for (TSprite* s : root.children()) n += dynamic_cast<TShot*>(s) && !s->killed();
    return n;
  }
  void clearShots() {
    for (TSprite* s : root.children())
      if (dynamic_cast<TShot*>(s)) s->kill();
    root.freeKilled();
  }

  TConsol console;
};

}  // namespace mv
