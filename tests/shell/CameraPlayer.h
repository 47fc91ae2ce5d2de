#pragma once
// A human fighter that only lends its camera to the views: it neither moves nor draws.

#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Player.h"

namespace mv {

inline TPlayer& cameraPlayer(TSpriteEngine& engine, double cameraX, double cameraY) {
  auto* p = new TPlayer(&engine);
  p->movable = false;
  p->visible = false;
  p->cameraX = cameraX;
  p->cameraY = cameraY;
  return *p;
}

}  // namespace mv
