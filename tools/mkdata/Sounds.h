#pragma once
#include <string>

namespace mv {

// Synthesises every sound the game plays and writes gameDir/SYSTEM/sounds.dat.
void writeSounds(const std::string& gameDir);

}  // namespace mv
