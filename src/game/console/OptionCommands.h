#pragma once
// Settings of the program rather than of the game's rules: the master volume, the display, and the
// setup screen's remembered choices. "classic" leaves them alone.

#include <string>

namespace mv {

struct CommandCall;

// Runs the line's command when it is one of these; false when it is not.
bool runOptionCommand(const std::string& word, const CommandCall& call);

// Applies the volume setting to the sound list's mixer, where there is one.
void applyVolume();

}  // namespace mv
