#pragma once
// One sound: the bytes of a RIFF WAVE image's "fmt " and "data" chunks, as the sound archive stores
// them. The format bytes are handed to the mixer as they are; only the fixed fields are read here.

#include <cstdint>
#include <span>
#include <vector>

namespace mv {

// The fixed part of a wave format record: tag, channels, rate, byte rate, block alignment, bit count.
constexpr size_t kWaveFormatRecordSize = 16;

class TWave {
 public:
  std::vector<uint8_t> format;  // raw "fmt " chunk
  std::vector<uint8_t> data;    // raw samples of the "data" chunk

  size_t formatSize() const { return format.size(); }
  size_t dataSize() const { return data.size(); }
  bool empty() const { return format.empty() && data.empty(); }
  void clear();

  // Reads a RIFF WAVE image. "Wave is invalid" for a wrong header or a format record missing or shorter
  // than its fixed fields; a data chunk longer than what the image holds keeps what is there.
  void loadFromImage(std::span<const uint8_t> image);
  // The image: header, "fmt " and "data" chunks.
  std::vector<uint8_t> saveToImage() const;

  // A 16-bit PCM wave of interleaved samples.
  void setPcm16(std::span<const int16_t> samples, uint32_t samplesPerSec, uint16_t channels = 1);

  // Fields of the format record (0 without one).
  uint16_t formatTag() const { return field16(0); }
  uint16_t channels() const { return field16(2); }
  uint32_t samplesPerSec() const { return field32(4); }
  uint32_t avgBytesPerSec() const { return field32(8); }
  uint16_t blockAlign() const { return field16(12); }
  uint16_t bitsPerSample() const { return field16(14); }
  // Length of the samples in milliseconds; 0 when the format gives no byte rate.
  uint32_t milliseconds() const;

 private:
  uint16_t field16(size_t at) const;
  uint32_t field32(size_t at) const;
};

}  // namespace mv
