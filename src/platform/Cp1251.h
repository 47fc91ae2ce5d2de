#pragma once
// The game's text is Windows-1251 bytes; these convert at the edges only (the text renderer, typed
// characters, messages shown by the system, and the Russian literals written readably in the sources).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The Unicode code point of one Windows-1251 byte (0 for the one unassigned byte, 0x98).
char32_t cp1251ToUnicode(uint8_t byte);
// The Windows-1251 byte of a code point, or 0 when the code page has none.
uint8_t unicodeToCp1251(char32_t codePoint);

std::string cp1251ToUtf8(std::string_view text);
// Characters the code page lacks become '?'. Malformed UTF-8 bytes become '?' too.
std::string utf8ToCp1251(std::string_view text);
// A table of texts written readably, in the game's code page.
std::vector<std::string> utf8ToCp1251(std::span<const char* const> texts);

}  // namespace mv
