#pragma once
// Reading a setting's new value, and the one-line answer to a setting asked without one.

#include <cstdint>
#include <string>

namespace mv {

class TConsol;

// The argument as a number within minimum .. maximum. Otherwise the console says why
// ("Неверный формат." / "Неверное значение.") and the current value stays.
int32_t parseNumber(TConsol& console, int32_t current, int32_t minimum, const std::string& text,
                    int32_t maximum);
uint8_t parseFlag(TConsol& console, uint8_t current, const std::string& text);

// `"<name>" = "<value><close>`, close being `" (0,1)` and the like.
void replySetting(TConsol& console, const std::string& name, const std::string& value,
                  const std::string& close);

}  // namespace mv
