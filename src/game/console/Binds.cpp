#include "game/console/Binds.h"

#include <array>
#include <string_view>

#include "game/combatants/Player.h"
#include "game/console/KeyNames.h"

namespace mv {
namespace {

constexpr std::array<std::string_view, kActionSlots> kActionNames = {
    "JUMP", "CROUCH", "MOVELEFT", "MOVERIGHT", "FIRE", "NEXTWEAPON", "ZOOM", "LOOKUP", "LOOKDOWN",
};

}  // namespace

std::string actionName(int32_t slot) {
  return slot >= 0 && slot < kActionSlots ? std::string(kActionNames[static_cast<size_t>(slot)])
                                          : std::string();
}

int32_t actionIndex(const std::string& text) {
  for (size_t i = 0; i < kActionNames.size(); ++i)
    if (text == kActionNames[i]) return static_cast<int32_t>(i);
  return -1;
}

BindResult bindKey(TPlayer& player, const std::string& keyName, const std::string& command) {
  std::optional<BindRecord> record = keyNameToBind(keyName);
  if (!record) return BindResult::BadKeyName;
  if (const int32_t slot = actionIndex(command); slot >= 0) {
    player.binds[static_cast<size_t>(slot)] = *record;
    return BindResult::Stored;
  }
  if (player.commandBindCount < 0 || player.commandBindCount >= kCommandBindSlots)
    return BindResult::TableFull;
  record->command = command;
  player.binds[static_cast<size_t>(kActionSlots + player.commandBindCount)] = *record;
  ++player.commandBindCount;
  return BindResult::Stored;
}

}  // namespace mv
