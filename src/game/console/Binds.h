#pragma once
// A person's bind table: which key drives each of the nine actions, and which held keys run a
// console command.

#include <cstdint>
#include <string>

namespace mv {

class TPlayer;

// The name of action slot 0 .. 8 ("JUMP", ...), as bind lines give it; empty for any other slot.
std::string actionName(int32_t slot);

// Slot 0 .. 8 of an action name ("JUMP", "FIRE", ...), compared exactly; -1 for anything else.
int32_t actionIndex(const std::string& text);

enum class BindResult { Stored, BadKeyName, TableFull };

// Binds an upper-cased key name to an action, replacing that action's key, or adds a command bind.
// Command binds are never replaced; once the table's 11 are in use a further one is refused.
BindResult bindKey(TPlayer& player, const std::string& keyName, const std::string& command);

}  // namespace mv
