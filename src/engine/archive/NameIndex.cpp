#include "engine/archive/NameIndex.h"

#include <array>

namespace mv {
namespace {

constexpr uint8_t lowerOf(uint8_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDF) return c + 32;  // А..Я
  switch (c) {
    case 0x80:
      return 0x90;  // Ђ
    case 0x81:
      return 0x83;  // Ѓ
    case 0x8A:
      return 0x9A;  // Љ
    case 0x8C:
      return 0x9C;  // Њ
    case 0x8D:
      return 0x9D;  // Ќ
    case 0x8E:
      return 0x9E;  // Ћ
    case 0x8F:
      return 0x9F;  // Џ
    case 0xA1:
      return 0xA2;  // Ў
    case 0xA3:
      return 0xBC;  // Ј
    case 0xA5:
      return 0xB4;  // Ґ
    case 0xA8:
      return 0xB8;  // Ё
    case 0xAA:
      return 0xBA;  // Є
    case 0xAF:
      return 0xBF;  // Ї
    case 0xB2:
      return 0xB3;  // І
    case 0xBD:
      return 0xBE;  // Ѕ
    default:
      return c;
  }
}

// Names are compared many times a frame (every picture the heads-up display and the fighters draw is
// looked up by name), so the letters' lower cases come from a table.
constexpr std::array<uint8_t, 256> kLower = [] {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = lowerOf(static_cast<uint8_t>(c));
  return table;
}();

}  // namespace

uint8_t lowerCp1251(uint8_t c) { return kLower[c]; }

std::string lowerCaseCp1251(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(lowerCp1251(static_cast<uint8_t>(c)));
  return out;
}

bool sameTextCp1251(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // From the end: names of one bucket share their length and first letter, and the game's names that
  // share a stem ("Weapon0" .. "Weapon7", "Doom_L" and "Doom_R") differ in their last letters.
  for (size_t i = a.size(); i-- > 0;)
    if (kLower[static_cast<uint8_t>(a[i])] != kLower[static_cast<uint8_t>(b[i])]) return false;
  return true;
}

uint8_t nameBucket(std::string_view name) {
  const size_t length = name.size();
  uint32_t sum = static_cast<uint32_t>(length) * 16;
  if (length >= 2)
    sum += lowerCp1251(static_cast<uint8_t>(name[0])) + lowerCp1251(static_cast<uint8_t>(name[length - 2]));
  return static_cast<uint8_t>(sum & 0xFF);
}

}  // namespace mv
