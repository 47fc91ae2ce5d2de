#include "game/combatants/Man.h"

namespace mv {

void TMan::fire() {}
bool TMan::addAmmo(int32_t, double) { return false; }
bool TMan::takeAmmoPack(int32_t) { return false; }
bool TMan::takeWeapon(int32_t) { return false; }
int32_t TMan::fireAngle() const { return facing == 1 ? aimAngle + 90 : aimAngle - 90; }

}  // namespace mv
