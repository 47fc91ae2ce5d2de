#pragma once
// Every sound the game plays by name, with its playback settings and the recipe that synthesises it.

#include <cstdint>
#include <string>
#include <vector>

namespace mv::synth {

struct Voice {
  std::string name;
  bool looped = false;
  int32_t maxPlayingCount = 0;
  std::vector<int16_t> samples;  // 16-bit mono at kRate
};

// All voices, in the order they are stored in the archive.
std::vector<Voice> gameVoices();

}  // namespace mv::synth
