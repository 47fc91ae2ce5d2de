#include "game/Globals.h"

namespace mv {
namespace {

Globals defaultGlobals;
Globals* current = &defaultGlobals;

}  // namespace

Globals& globals() { return *current; }

GlobalsScope::GlobalsScope() : previous_(current) { current = &own_; }

GlobalsScope::~GlobalsScope() { current = previous_; }

}  // namespace mv
