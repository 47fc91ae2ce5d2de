#include "Sounds.h"

#include <filesystem>

#include "Synth.h"
#include "SynthVoices.h"
#include "common/WaveImage.h"
#include "engine/archive/ComponentStream.h"
#include "engine/archive/Picture.h"

namespace mv {

void writeSounds(const std::string& gameDir) {
  TComponentWriter out;
  out.writeHeader("TWaveCollectionComponent");
  out.writePropertyName("List");
  out.beginCollection();
  for (const synth::Voice& voice : synth::gameVoices()) {
    out.beginItem();
    // Properties at their defaults are left out, as the archive's own writer does.
    out.writePropertyName("Name");
    out.writeString(voice.name);
    if (voice.looped) {
      out.writePropertyName("Looped");
      out.writeBoolean(true);
    }
    if (voice.maxPlayingCount != 0) {
      out.writePropertyName("MaxPlayingCount");
      out.writeInteger(voice.maxPlayingCount);
    }
    const std::string wave = tools::makePcm16Wave(voice.samples, synth::kRate);
    out.writePropertyName("Wave.WAVE");
    out.writeBinary(std::span(reinterpret_cast<const uint8_t*>(wave.data()), wave.size()));
    out.endItem();
  }
  out.endCollection();
  out.endProperties();
  out.endChildren();

  const std::filesystem::path dir = std::filesystem::path(gameDir) / "SYSTEM";
  std::filesystem::create_directories(dir);
  writeWholeFile((dir / "sounds.dat").string(), out.bytes());
}

}  // namespace mv
