#include "game/SoundPlay.h"

#include <algorithm>
#include <cmath>

#include "engine/sound/DXWaveList.h"
#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "platform/Error.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

constexpr double kVolumePerPixel = 2;  // hundredths of a decibel
constexpr double kPanPerPixel = 3;
// A fighter hears from the middle of its body picture.
constexpr double kEarX = 24, kEarY = 16;

int32_t volumeAt(double distance) {
  // Written so that a NaN distance falls to the quietest too.
  const double attenuation = std::trunc(distance) * kVolumePerPixel;
  if (!(attenuation < -Mixer::kVolumeMin)) return Mixer::kVolumeMin;
  return -static_cast<int32_t>(attenuation);
}

double distanceTo(const TPlayer& listener, double x, double y) {
  return std::hypot(listener.x + kEarX - x, listener.y + kEarY - y);
}

// The item of a name, or none when the sound list lacks it: reported, never raised, since a sound is
// played last in a step and the rest of the frame must still run. A rocket's flight sound plays every
// few hundred milliseconds, so each missing name is reported only the first time.
TWaveCollectionItem* lookUp(const std::string& name) {
  Globals& g = globals();
  if (!g.soundList) return nullptr;
  if (TWaveCollectionItem* item = g.soundList->Items.findOrNull(name)) return item;
  if (g.shell && g.missingSounds.insert(name).second)
    g.shell->reportError(format("Wave '%s' not found", name.c_str()));
  return nullptr;
}

}  // namespace

SoundPlacement placeSound(double listenerX, double listenerY, double x, double y) {
  SoundPlacement placement;
  placement.volume = volumeAt(std::hypot(x - listenerX, y - listenerY));
  const double pan = std::trunc(x - listenerX) * kPanPerPixel;
  if (!std::isnan(pan))
    placement.pan = static_cast<int32_t>(std::clamp<double>(pan, Mixer::kPanLeft, Mixer::kPanRight));
  return placement;
}

void playSoundAt(const std::string& name, double x, double y) {
  Globals& g = globals();
  if (g.settings.soundOn == 0) return;
  TWaveCollectionItem* item = lookUp(name);
  if (!item) return;
  SoundPlacement placement;
  if (g.player1 && g.player2) {
    if (!g.settings.hotseatSound) {
      item->play(false);  // as the sound was last placed
      return;
    }
    placement.volume = volumeAt(std::min(distanceTo(*g.player1, x, y), distanceTo(*g.player2, x, y)));
  } else if (const TPlayer* listener = g.player1 ? g.player1 : g.player2) {
    placement = placeSound(listener->x + kEarX, listener->y + kEarY, x, y);
  }
  item->setVolume(placement.volume);
  item->setPan(placement.pan);
  item->play(false);
}

void playSound(const std::string& name) {
  if (globals().settings.soundOn == 0) return;
  if (TWaveCollectionItem* item = lookUp(name)) item->play(false);
}

}  // namespace mv
