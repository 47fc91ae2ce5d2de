#pragma once
// Playing the game's sounds by name: positioned sounds grow quieter with distance from the listener.
// Nothing plays while the "sound" setting is off.

#include <string>

namespace mv {

// A named sound of the sound list at a world point.
void playSoundAt(const std::string& name, double x, double y);
// A named sound at its stored volume and pan, not positioned.
void playSound(const std::string& name);

}  // namespace mv
