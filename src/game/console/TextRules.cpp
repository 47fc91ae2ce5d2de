#include "game/console/TextRules.h"

namespace mv {
namespace {

char mapAscii(char c, char from, char to) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= static_cast<unsigned char>(from) && u <= static_cast<unsigned char>(from + 25))
    return static_cast<char>(u - from + to);
  return c;
}

}  // namespace

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = mapAscii(c, 'A', 'a');
  return out;
}

std::string asciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = mapAscii(c, 'a', 'A');
  return out;
}

std::optional<int32_t> parseInt32(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) return std::nullopt;  // stop before 64 bits could wrap too
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace mv
