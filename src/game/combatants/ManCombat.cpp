#include "game/combatants/Man.h"

namespace mv {

void TMan::takeHit(TMan*, int32_t, uint8_t, int32_t, int32_t, int32_t) {}
void TMan::smackDown() {}
void TMan::spawnGib(int32_t, int32_t, int32_t, int32_t) {}

}  // namespace mv
