#pragma once
// How the console reads words and numbers. Case mapping touches the 26 ASCII letters only: Cyrillic
// bytes of Windows-1251 text keep their case, whatever the C library's locale thinks of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);

// An optional sign and decimal digits, nothing else (no spaces, no hex); a value outside 32 bits is
// refused rather than wrapped.
std::optional<int32_t> parseInt32(std::string_view text);

}  // namespace mv
