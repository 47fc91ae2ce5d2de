#include "platform/WaveFileWriter.h"

#include <algorithm>
#include <vector>

namespace mv {
namespace {

constexpr uint32_t kHeaderSize = 44;
// The RIFF length field counts everything after itself and must fit 32 bits.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - (kHeaderSize - 8);

void put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
  put16(p, v & 0xFFFF);
  put16(p + 2, v >> 16);
}

void header(uint8_t* h, int rate, int channels, uint32_t dataBytes) {
  const uint32_t align = static_cast<uint32_t>(channels) * 2;
  std::copy_n("RIFF", 4, h);
  put32(h + 4, dataBytes + kHeaderSize - 8);
  std::copy_n("WAVEfmt ", 8, h + 8);
  put32(h + 16, 16);
  put16(h + 20, 1);  // PCM
  put16(h + 22, static_cast<uint32_t>(channels));
  put32(h + 24, static_cast<uint32_t>(rate));
  put32(h + 28, static_cast<uint32_t>(rate) * align);
  put16(h + 32, align);
  put16(h + 34, 16);
  std::copy_n("data", 4, h + 36);
  put32(h + 40, dataBytes);
}

}  // namespace

WaveFileWriter::WaveFileWriter(const std::string& path, int rate, int channels)
    : file_(path), rate_(rate), channels_(std::max(channels, 1)) {
  uint8_t h[kHeaderSize];
  header(h, rate, channels_, 0);
  file_.write(h, kHeaderSize);
}

void WaveFileWriter::write(const int16_t* samples, size_t frames) {
  if (closed_ || file_.failed()) return;
  const uint64_t frameBytes = static_cast<uint64_t>(channels_) * 2;
  frames = static_cast<size_t>(std::min<uint64_t>(frames, kMaxDataBytes / frameBytes - frames_));
  // Little-endian on disk whatever the machine.
  std::vector<uint8_t> bytes(frames * frameBytes);
  for (size_t i = 0; i < frames * static_cast<size_t>(channels_); ++i)
    put16(&bytes[2 * i], static_cast<uint16_t>(samples[i]));
  if (file_.write(bytes.data(), bytes.size())) frames_ += frames;
}

bool WaveFileWriter::close() {
  if (closed_) return !file_.failed();
  closed_ = true;
  uint8_t h[kHeaderSize];
  header(h, rate_, channels_, static_cast<uint32_t>(frames_ * static_cast<uint64_t>(channels_) * 2));
  // A pipe cannot go back to the header; it keeps the one written first.
  if (file_.seek(0)) file_.write(h, kHeaderSize);
  return file_.close();
}

}  // namespace mv
