#include "net/Wire.h"

namespace mv {

void WireWriter::u16(uint16_t v) {
  for (int i = 0; i < 2; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
}

void WireWriter::u32(uint32_t v) {
  for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
}

void WireWriter::u64(uint64_t v) {
  for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
}

void WireWriter::varint(uint64_t v) {
  while (v >= 0x80) {
    u8(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  u8(static_cast<uint8_t>(v));
}

void WireWriter::signedVarint(int64_t v) {
  varint((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63));
}

void WireWriter::text(const std::string& s) {
  const size_t n = s.size() > 255 ? 255 : s.size();
  u8(static_cast<uint8_t>(n));
  bytes_.insert(bytes_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

void WireReader::fail(const char* what, const char* why) {
  throw MalformedPacket(format("%s: %s", what, why));
}

const uint8_t* WireReader::take(size_t n, const char* what) {
  if (left() < n) fail(what, "the packet ends too early");
  const uint8_t* at = bytes_.data() + at_;
  at_ += n;
  return at;
}

uint8_t WireReader::u8(const char* what) {
  return *take(1, what);
}

uint16_t WireReader::u16(const char* what) {
  const uint8_t* p = take(2, what);
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t WireReader::u32(const char* what) {
  const uint8_t* p = take(4, what);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

uint64_t WireReader::u64(const char* what) {
  const uint8_t* p = take(8, what);
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

uint64_t WireReader::varint(const char* what) {
  uint64_t v = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    const uint8_t b = u8(what);
    // The tenth byte may only hold the top bit; anything more would not fit.
    if (shift == 63 && b > 1) fail(what, "the number is too long");
    v |= static_cast<uint64_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) return v;
  }
  fail(what, "the number is too long");
}

int64_t WireReader::signedVarint(const char* what) {
  const uint64_t v = varint(what);
  return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
}

int64_t WireReader::ranged(const char* what, int64_t min, int64_t max) {
  const int64_t v = signedVarint(what);
  if (v < min || v > max) fail(what, "out of range");
  return v;
}

std::string WireReader::text(const char* what, size_t maxLength) {
  const size_t n = u8(what);
  if (n > maxLength) fail(what, "too long");
  const uint8_t* p = take(n, what);
  return std::string(reinterpret_cast<const char*>(p), n);
}

void WireReader::end(const char* what) const {
  if (left() != 0) fail(what, "bytes left over at the end");
}

}  // namespace mv
