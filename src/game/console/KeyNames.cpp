#include "game/console/KeyNames.h"

#include <array>
#include <string_view>
#include <utility>

namespace mv {
namespace {

constexpr std::array<std::pair<std::string_view, int32_t>, 11> kNamedKeys = {{
    {"SHIFT", 16},
    {"CTRL", 17},
    {"SPACE", 32},
    {"CAPSLOCK", 20},
    {"TAB", 9},
    {"LEFTARROW", 37},
    {"RIGHTARROW", 39},
    {"UPARROW", 38},
    {"DOWNARROW", 40},
    {"ENTER", 13},
    {"F12", 123},
}};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The button number is the one digit after the prefix; whatever follows it is not read.
std::optional<BindRecord> button(const std::string& name, size_t at, uint8_t device) {
  if (name.size() <= at || name[at] < '0' || name[at] > '9') return std::nullopt;
  BindRecord r;
  r.device = device;
  r.code = name[at] - '0';
  return r;
}

BindRecord keyboard(int32_t code) {
  BindRecord r;
  r.code = code;
  return r;
}

}  // namespace

std::optional<BindRecord> keyNameToBind(const std::string& name) {
  if (startsWith(name, "JOY")) return button(name, 3, BindJoystick);
  if (startsWith(name, "MOUSE")) return button(name, 5, BindMouse);
  if (name.size() == 1) {
    const char c = name[0];
    const bool key = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
    return keyboard(key ? c : 0);
  }
  if (startsWith(name, "NUM")) {
    if (name.size() < 4) return std::nullopt;
    return keyboard(static_cast<unsigned char>(name[3]) + 48);  // NUM0 .. NUM9: the keypad, 96 .. 105
  }
  for (const auto& [keyName, code] : kNamedKeys)
    if (name == keyName) return keyboard(code);
  return keyboard(0);
}

std::string bindKeyName(const BindRecord& bind) {
  const int32_t code = bind.code;
  const bool digit = code >= 0 && code <= 9;
  if (bind.device == BindJoystick) return digit ? "JOY" + std::to_string(code) : "";
  if (bind.device == BindMouse) return digit ? "MOUSE" + std::to_string(code) : "";
  if (bind.device != BindKeyboard) return "";
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
    return std::string(1, static_cast<char>(code));
  if (code >= 96 && code <= 105) return "NUM" + std::to_string(code - 96);
  for (const auto& [keyName, named] : kNamedKeys)
    if (code == named) return std::string(keyName);
  return "";
}

}  // namespace mv
