#include "game/console/SettingValues.h"

#include "game/console/Console.h"
#include "game/console/TextRules.h"
#include "game/console/Texts.h"

namespace mv {

int32_t parseNumber(TConsol& console, int32_t current, int32_t minimum, const std::string& text,
                    int32_t maximum) {
  const std::optional<int32_t> value = parseInt32(text);
  if (!value) {
    console.addLine(consoleText(ConsoleText::BadFormat));
    return current;
  }
  if (*value < minimum || *value > maximum) {
    console.addLine(consoleText(ConsoleText::BadValue));
    return current;
  }
  return *value;
}

uint8_t parseFlag(TConsol& console, uint8_t current, const std::string& text) {
  return static_cast<uint8_t>(parseNumber(console, current ? 1 : 0, 0, text, 1));
}

void replySetting(TConsol& console, const std::string& name, const std::string& value,
                  const std::string& close) {
  console.addLine("\"" + name + "\" = \"" + value + close);
}

}  // namespace mv
