#include "platform/Cp1251.h"

#include <array>

namespace mv {
namespace {

// 0x80..0xBF; 0xC0..0xFF are the Cyrillic capitals and small letters in order (U+0410..U+044F).
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t cp1251ToUnicode(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHighHalf[byte - 0x80];
}

uint8_t unicodeToCp1251(char32_t c) {
  if (c < 0x80) return static_cast<uint8_t>(c);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<uint8_t>(0xC0 + (c - 0x0410));
  for (size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] != 0 && kHighHalf[i] == c) return static_cast<uint8_t>(0x80 + i);
  return 0;
}

std::string cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    char32_t c = cp1251ToUnicode(static_cast<uint8_t>(ch));
    appendUtf8(out, c == 0 && ch != 0 ? U'?' : c);
  }
  return out;
}

std::string utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<uint8_t>(text[i]);
    size_t extra = lead < 0x80             ? 0
                   : (lead & 0xE0) == 0xC0 ? 1
                   : (lead & 0xF0) == 0xE0 ? 2
                   : (lead & 0xF8) == 0xF0 ? 3
                                           : 4;
    bool ok = extra < 4 && i + extra < text.size();
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (size_t k = 1; ok && k <= extra; ++k) {
      auto cont = static_cast<uint8_t>(text[i + k]);
      ok = (cont & 0xC0) == 0x80;
      c = (c << 6) | (cont & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    uint8_t mapped = unicodeToCp1251(c);
    out += (mapped == 0 && c != 0) ? '?' : static_cast<char>(mapped);
    i += extra + 1;
  }
  return out;
}

std::vector<std::string> utf8ToCp1251(std::span<const char* const> texts) {
  std::vector<std::string> out;
  for (const char* text : texts) out.push_back(utf8ToCp1251(std::string_view(text)));
  return out;
}

}  // namespace mv
