#include "engine/sound/Wave.h"

#include <algorithm>
#include <cstring>

#include "platform/Error.h"

namespace mv {
namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;

uint32_t get32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

void putId(std::vector<uint8_t>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

[[noreturn]] void invalid() {
  throw Error("Wave is invalid");
}

}  // namespace

void TWave::clear() {
  format.clear();
  data.clear();
}

void TWave::loadFromImage(std::span<const uint8_t> image) {
  const size_t size = image.size();
  if (size < kRiffHeaderSize || std::memcmp(image.data(), "RIFF", 4) != 0 ||
      std::memcmp(image.data() + 8, "WAVE", 4) != 0)
    invalid();

  // Chunks follow each other without padding. A header cut short by the end of the image reads as
  // zeros, and a zero identifier ends the walk. Offsets are unsigned and never pass the end, so no
  // length, however large, walks anywhere but forward to the end.
  std::span<const uint8_t> fmt, samples;
  bool haveFormat = false;
  size_t at = kRiffHeaderSize;
  while (at < size) {
    uint8_t header[kChunkHeaderSize] = {};
    std::memcpy(header, image.data() + at, std::min(kChunkHeaderSize, size - at));
    if (get32(header) == 0) break;
    const size_t begin = std::min(at + kChunkHeaderSize, size);
    const size_t length = std::min<size_t>(get32(header + 4), size - begin);
    if (std::memcmp(header, "fmt ", 4) == 0) {
      fmt = image.subspan(begin, length);
      haveFormat = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      samples = image.subspan(begin, length);
    }
    at = begin + length;
  }
  // The mixer and every reader of the format take its fixed fields for granted.
  if (!haveFormat || fmt.size() < kWaveFormatRecordSize) invalid();
  format.assign(fmt.begin(), fmt.end());
  data.assign(samples.begin(), samples.end());
}

std::vector<uint8_t> TWave::saveToImage() const {
  std::vector<uint8_t> out;
  out.reserve(kRiffHeaderSize + 2 * kChunkHeaderSize + format.size() + data.size());
  putId(out, "RIFF");
  put32(out, static_cast<uint32_t>(4 + 2 * kChunkHeaderSize + format.size() + data.size()));
  putId(out, "WAVE");
  putId(out, "fmt ");
  put32(out, static_cast<uint32_t>(format.size()));
  out.insert(out.end(), format.begin(), format.end());
  putId(out, "data");
  put32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

void TWave::setPcm16(std::span<const int16_t> samples, uint32_t samplesPerSec, uint16_t channelCount) {
  const uint16_t align = static_cast<uint16_t>(2 * channelCount);
  format.clear();
  put16(format, 1);  // PCM
  put16(format, channelCount);
  put32(format, samplesPerSec);
  put32(format, samplesPerSec * align);
  put16(format, align);
  put16(format, 16);
  data.clear();
  data.reserve(samples.size() * 2);
  for (int16_t s : samples) put16(data, static_cast<uint16_t>(s));
}

uint32_t TWave::milliseconds() const {
  const uint32_t rate = avgBytesPerSec();
  if (rate == 0) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(data.size()) * 1000 / rate);
}

uint16_t TWave::field16(size_t at) const {
  if (format.size() < at + 2) return 0;
  return static_cast<uint16_t>(format[at] | (format[at + 1] << 8));
}

uint32_t TWave::field32(size_t at) const {
  if (format.size() < at + 4) return 0;
  return get32(format.data() + at);
}

}  // namespace mv
