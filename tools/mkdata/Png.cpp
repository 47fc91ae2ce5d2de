#include "Png.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace mv::art {
namespace {

uint32_t crc32(const std::string& bytes, size_t from) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = from; i < bytes.size(); ++i)
    c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::string& bytes) {
  uint32_t a = 1, b = 0;
  for (char byte : bytes) {
    a = (a + static_cast<uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void putBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void putChunk(std::string& out, const char* type, const std::string& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out += type;
  out += data;
  putBigEndian(out, crc32(out, start));
}

// A zlib stream of stored blocks: each holds at most 65535 bytes.
std::string storedZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  size_t at = 0;
  do {
    const size_t n = std::min<size_t>(raw.size() - at, 65535);
    const bool last = at + n == raw.size();
    out.push_back(last ? 1 : 0);
    const uint16_t len = static_cast<uint16_t>(n), nlen = static_cast<uint16_t>(~len);
    for (uint16_t v : {len, nlen}) {
      out.push_back(static_cast<char>(v & 0xFF));
      out.push_back(static_cast<char>(v >> 8));
    }
    out.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  putBigEndian(out, adler32(raw));
  return out;
}

}  // namespace

std::string pngFile(const Canvas& canvas) {
  std::string header;
  putBigEndian(header, static_cast<uint32_t>(canvas.width()));
  putBigEndian(header, static_cast<uint32_t>(canvas.height()));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits per channel, RGBA, no interlace

  std::string rows;
  for (int y = 0; y < canvas.height(); ++y) {
    rows.push_back(0);  // no filter
    for (int x = 0; x < canvas.width(); ++x) {
      const Color c = canvas.get(x, y);
      rows +=
          {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b), static_cast<char>(c.a)};
    }
  }
  std::string out = "\x89PNG\r\n\x1a\n";
  putChunk(out, "IHDR", header);
  putChunk(out, "IDAT", storedZlib(rows));
  putChunk(out, "IEND", "");
  return out;
}

}  // namespace mv::art
