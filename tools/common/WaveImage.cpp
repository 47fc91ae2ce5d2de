#include "common/WaveImage.h"

#include <cstring>

#include "platform/Error.h"

namespace mv::tools {
namespace {

void put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t get32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
  return v;
}

uint16_t get16(const std::string& s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | (static_cast<uint8_t>(s[at + 1]) << 8));
}

[[noreturn]] void invalid() {
  throw Error("Wave is invalid");
}

}  // namespace

std::string makePcm16Wave(const std::vector<int16_t>& samples, uint32_t sampleRate) {
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(44 + dataSize);
  out += "RIFF";
  put32(out, 36 + dataSize);
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, sampleRate);
  put32(out, sampleRate * 2);
  put16(out, 2);
  put16(out, 16);
  out += "data";
  put32(out, dataSize);
  for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
  return out;
}

WaveImage parseWave(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) invalid();
  WaveImage wave;
  bool haveFormat = false, haveData = false;
  size_t at = 12;
  // The walk ends where no whole chunk header is left, as a zero identifier would end it.
  while (bytes.size() - at >= 8) {
    const std::string id = bytes.substr(at, 4);
    if (id == std::string(4, '\0')) break;
    const uint32_t length = get32(bytes, at + 4);
    at += 8;
    if (length > bytes.size() - at) invalid();
    if (id == "fmt ") {
      wave.format = bytes.substr(at, length);
      haveFormat = true;
    } else if (id == "data") {
      wave.data = bytes.substr(at, length);
      haveData = true;
    }
    at += length;
  }
  if (!haveFormat || !haveData) invalid();
  return wave;
}

WaveFormatInfo formatInfo(const std::string& format) {
  if (format.size() < 16) invalid();
  WaveFormatInfo info;
  info.formatTag = get16(format, 0);
  info.channels = get16(format, 2);
  info.sampleRate = get32(format, 4);
  info.bytesPerSecond = get32(format, 8);
  info.blockAlign = get16(format, 12);
  info.bitsPerSample = get16(format, 14);
  return info;
}

uint32_t waveMilliseconds(const WaveImage& wave) {
  const WaveFormatInfo info = formatInfo(wave.format);
  if (info.bytesPerSecond == 0) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(wave.data.size()) * 1000 / info.bytesPerSecond);
}

std::vector<int16_t> pcm16Samples(const WaveImage& wave) {
  const WaveFormatInfo info = formatInfo(wave.format);
  if (info.formatTag != 1 || info.channels != 1 || info.bitsPerSample != 16)
    throw Error("Wave is not 16-bit PCM mono");
  std::vector<int16_t> samples(wave.data.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(get16(wave.data, 2 * i));
  return samples;
}

}  // namespace mv::tools
