#pragma once
// The names a key, mouse button or joystick button is bound by: letters, digits, NUM0 .. NUM9, a few
// named keys, MOUSE<n> and JOY<n>.

#include <optional>
#include <string>

#include "game/console/BindRecord.h"

namespace mv {

// Device and code of an upper-cased key name. A name that is no key gives keyboard code 0, which never
// fires; JOY, MOUSE or NUM with no character where the number belongs gives nothing at all.
std::optional<BindRecord> keyNameToBind(const std::string& name);

// The name that binds this key or button, or empty when none does (keyboard code 0 among them).
std::string bindKeyName(const BindRecord& bind);

}  // namespace mv
