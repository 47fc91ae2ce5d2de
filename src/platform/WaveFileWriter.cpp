#include "platform/WaveFileWriter.h"

#include <algorithm>
#include <vector>

#include "platform/Platform.h"

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
    : rate_(rate), channels_(std::max(channels, 1)) {
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) throw PlatformError(format("Cannot create file %s", path.c_str()));
  uint8_t h[kHeaderSize];
  header(h, rate, channels_, 0);
  std::fwrite(h, 1, kHeaderSize, file_);
}

WaveFileWriter::~WaveFileWriter() {
  close();
}

void WaveFileWriter::write(const int16_t* samples, size_t frames) {
  if (!file_) return;
  const uint64_t frameBytes = static_cast<uint64_t>(channels_) * 2;
  frames = static_cast<size_t>(std::min<uint64_t>(frames, kMaxDataBytes / frameBytes - frames_));
  // Little-endian on disk whatever the machine.
  std::vector<uint8_t> bytes(frames * frameBytes);
  for (size_t i = 0; i < frames * static_cast<size_t>(channels_); ++i)
    put16(&bytes[2 * i], static_cast<uint16_t>(samples[i]));
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
  frames_ += frames;
}

void WaveFileWriter::close() {
  if (!file_) return;
  uint8_t h[kHeaderSize];
  header(h, rate_, channels_, static_cast<uint32_t>(frames_ * static_cast<uint64_t>(channels_) * 2));
  std::fseek(file_, 0, SEEK_SET);
  std::fwrite(h, 1, kHeaderSize, file_);
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace mv
