#pragma once
// Playing the game's sounds by name: positioned sounds grow quieter with distance from the listener.
// Nothing plays while the "sound" setting is off. A name missing from the sound list is reported
// (once, by the application's error report) and the sound is skipped: the frame goes on.

#include <cstdint>
#include <string>

namespace mv {

// A named sound of the sound list at a world point. The listener is player 1's centre; in Hotseat, with
// "hotseatsound" on, the nearer human sets the volume and the pan stays centred (one speaker pair serves
// both views), and with it off the sound keeps the volume and pan it last had; with no player the sound
// plays at full volume, centred.
void playSoundAt(const std::string& name, double x, double y);
// A named sound at its stored volume and pan, not positioned.
void playSound(const std::string& name);

// How a sound at (x, y) is heard from a listener centred at (listenerX, listenerY): 2 hundredths of a
// decibel quieter per whole pixel of distance, down to silence; panned toward the sound's side by 3
// hundredths of a decibel per pixel of horizontal offset, so a sound at the edge of the screen (400
// pixels) still reaches the far ear, 12 dB down, and only sounds beyond about 3300 pixels are
// one-sided.
struct SoundPlacement {
  int32_t volume = 0;
  int32_t pan = 0;
};
SoundPlacement placeSound(double listenerX, double listenerY, double x, double y);

}  // namespace mv
