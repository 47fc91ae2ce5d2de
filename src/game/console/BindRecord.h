#pragma once
// One binding of a human player's bind table: which key, mouse button or joystick button drives an
// action slot, or which console command a held key runs.

#include <array>
#include <cstdint>
#include <string>

namespace mv {

enum BindDevice : uint8_t { BindKeyboard = 0, BindMouse = 1, BindJoystick = 2 };

// The nine action slots, in the order of the bind table.
enum ActionSlot : int32_t {
  ActJump = 0,
  ActCrouch = 1,
  ActMoveLeft = 2,
  ActMoveRight = 3,
  ActFire = 4,
  ActNextWeapon = 5,
  ActZoom = 6,
  ActLookUp = 7,
  ActLookDown = 8,
};

constexpr int32_t kActionSlots = 9;
constexpr int32_t kBindSlots = 20;  // 9 actions, then 11 command binds
constexpr int32_t kCommandBindSlots = kBindSlots - kActionSlots;

struct BindRecord {
  uint8_t device = BindKeyboard;
  std::string command;  // command slots only
  int32_t code = 0;     // virtual-key code, or button number from 0; 0 on the keyboard never fires
};

using BindTable = std::array<BindRecord, kBindSlots>;

}  // namespace mv
