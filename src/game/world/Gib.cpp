#include "game/world/Gib.h"

#include <cmath>
#include <numbers>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Blood.h"
#include "game/world/Images.h"

namespace mv {

TGib::TGib(TSprite* parent) : TPhyzObj(parent) {
  life = 255;
  collidable = false;
  bouncing = true;
  bounce = 0.1;
  setZ(20);
}

void TGib::setup(const std::string& model, int32_t x, int32_t y, int32_t directionDeg, int32_t speed,
                 int32_t frame) {
  image = &modelImage(model + "_Gibs");
  const double radians = (directionDeg - 90.0) * std::numbers::pi / 180.0;
  velX = std::cos(radians) * speed / 30;
  velY = std::sin(radians) * speed / 20;
  bounce = 0.7;
  // Degrees go into the 256ths-of-a-turn angle unchanged: the pieces just spin to some angle.
  angle = globals().settings.quality ? directionDeg : 0;
  frameCount = 6;
  framePos = frame;
  width = image->width();
  height = image->height();
  hitBox = {0, 0, 10, 10};
  this->x = x;
  this->y = y;
}

void TGib::moveSelf(int moveCount) {
  TPhyzObj::moveSelf(moveCount);
  if (!canMove(Down)) {
    life -= 1;
  } else {
    // A fast gib bleeds more often; the first step in the air always bleeds.
    double spent = (std::fabs(velX * velY) + 1) * moveCount;
    if (!(spent < 1e9)) spent = 1e9;  // also catches a velocity gone NaN
    bleedTimer -= static_cast<int32_t>(spent);
    if (bleedTimer <= 0) {
      bleedTimer = 150;
      if (engine) (new TBlood(engine))->setup(x, y, 0, 0);
    }
  }
  if (life == 0) kill();
  if (globals().settings.quality) alpha = life;
}

}  // namespace mv
