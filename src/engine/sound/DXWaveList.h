#pragma once
// The sound list of the main window: one wave collection bound to the platform's mixer. Without a
// mixer every item stays silent; binding one makes every item's buffers.

#include "engine/sound/WaveCollection.h"

namespace mv {

class Mixer;

class TDXWaveList {
 public:
  explicit TDXWaveList(Mixer* mixer = nullptr) { Items.setMixer(mixer); }
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;

  TWaveCollection Items;

  Mixer* mixer() const { return Items.mixer(); }
  void setMixer(Mixer* mixer) { Items.setMixer(mixer); }
};

}  // namespace mv
