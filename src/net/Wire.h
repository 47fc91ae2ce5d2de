#pragma once
// The bytes of a packet: numbers little-endian or as variable-length integers, strings with a length
// byte. The reader trusts nothing: every read is checked against what is left and against the range
// the caller allows, and anything out of place is a MalformedPacket naming what was wrong.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace mv {

class MalformedPacket : public Error {
 public:
  using Error::Error;
};

using Bytes = std::vector<uint8_t>;

class WireWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v);
  void u32(uint32_t v);
  void u64(uint64_t v);
  // 7 bits a byte, low first; the high bit says another byte follows.
  void varint(uint64_t v);
  // Small negative and positive numbers both short.
  void signedVarint(int64_t v);
  // At most 255 bytes; a longer text is a fault of the caller.
  void text(const std::string& s);

  const Bytes& bytes() const { return bytes_; }
  Bytes take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

class WireReader {
 public:
  explicit WireReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint8_t u8(const char* what);
  uint16_t u16(const char* what);
  uint32_t u32(const char* what);
  uint64_t u64(const char* what);
  uint64_t varint(const char* what);
  int64_t signedVarint(const char* what);
  // A number that must lie in min .. max.
  int64_t ranged(const char* what, int64_t min, int64_t max);
  std::string text(const char* what, size_t maxLength);

  size_t left() const { return bytes_.size() - at_; }
  // Throws unless everything was read: a packet with bytes to spare is not one this build sent.
  void end(const char* what) const;
  [[noreturn]] static void fail(const char* what, const char* why);

 private:
  const uint8_t* take(size_t n, const char* what);

  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

}  // namespace mv
