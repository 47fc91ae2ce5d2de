#pragma once
// RIFF WAVE images as the sound archive stores them: the bytes of the "fmt " chunk and of the "data"
// chunk. Writing makes the plain 16-bit PCM mono images the game's sounds use; reading accepts any
// chunk layout and checks every length against what is left.

#include <cstdint>
#include <string>
#include <vector>

namespace mv::tools {

struct WaveImage {
  std::string format;  // raw "fmt " chunk bytes
  std::string data;    // raw "data" chunk bytes
};

// The fields of a wave format record that the tools show and check.
struct WaveFormatInfo {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint32_t bytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

// A complete RIFF WAVE image of 16-bit PCM mono samples.
std::string makePcm16Wave(const std::vector<int16_t>& samples, uint32_t sampleRate);

// Throws mv::Error("Wave is invalid") for a wrong header, a chunk running past the end or a missing
// "fmt " or "data" chunk.
WaveImage parseWave(const std::string& bytes);

// Throws mv::Error("Wave is invalid") when the format record is shorter than its 16 fixed bytes.
WaveFormatInfo formatInfo(const std::string& format);

// Length in milliseconds of the samples of a wave, 0 when the format gives no byte rate.
uint32_t waveMilliseconds(const WaveImage& wave);

// The samples of a 16-bit PCM mono wave; throws mv::Error for any other format.
std::vector<int16_t> pcm16Samples(const WaveImage& wave);

}  // namespace mv::tools
