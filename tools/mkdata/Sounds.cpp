#include "Sounds.h"

#include <filesystem>

#include "Synth.h"
#include "SynthVoices.h"
#include "engine/sound/WaveCollection.h"

namespace mv {

void writeSounds(const std::string& gameDir) {
  // Written by the game's own collection, so the archive is exactly what its loader reads.
  TWaveCollection sounds;
  for (const synth::Voice& voice : synth::gameVoices()) {
    TWaveCollectionItem& item = sounds.add();
    item.setName(voice.name);
    item.setLooped(voice.looped);
    item.setMaxPlayingCount(voice.maxPlayingCount);
    item.Wave.setPcm16(voice.samples, synth::kRate);
  }
  const std::filesystem::path dir = std::filesystem::path(gameDir) / "SYSTEM";
  std::filesystem::create_directories(dir);
  sounds.saveToFile((dir / "sounds.dat").string());
}

}  // namespace mv
