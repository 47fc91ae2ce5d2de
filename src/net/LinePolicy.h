#pragma once
// Which console lines of a network match run where. Every machine runs the same world, so a line may
// touch it only if it runs on every machine at the same step: "say" and "name" travel with the person's
// input and do. Settings that decide the world ("meatoff", the limits) are the host's as they stood when
// it started the match, carried in the start; changing one on one machine alone is refused (scripts
// included: each machine runs its own person's), as is "godmode", which would only ever reach this
// machine's copy of the fighter. Everything else (binds, aiming, sound, screenshots, scripts) stays on
// the machine where it was given.

#include <string>

namespace mv {

enum class LineRoute { Here, Travel, Refused };

// The command word as the interpreter reads it: before the first space, lower-cased.
std::string commandWord(const std::string& line);

// What becomes of a line this machine's person gives. A "name" without a name only asks, and is
// answered here.
LineRoute routeLine(const std::string& line);

// Whether a line that came over the network may run here: "say" or "name", in printable text.
bool sharedLine(const std::string& line);

// A line as it can travel: cut to the length the network carries, control characters made printable.
std::string travellingLine(std::string line);

constexpr size_t kMaxLineLength = 160;  // beyond the interpreter's 100 characters of argument

}  // namespace mv
