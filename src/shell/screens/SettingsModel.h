#pragma once
// What the next match will start with, as the settings screen shows it: autoexec.cfg and then
// config.cfg, run against two stand-in players in a world of their own, so the running game is not
// touched. The players' keys exist only inside a match; this is how the screen knows them outside one.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/Globals.h"
#include "game/console/BindRecord.h"

namespace mv {

class TConfig;

struct PlayerSetup {
  BindTable binds{};
  int32_t commandBindCount = 0;
  int32_t sensivity = 0;
  int32_t lookType = 0;
  std::string name;
};

struct SettingsModel {
  Settings settings;
  std::array<PlayerSetup, 2> players;
};

// Starts from the current settings and runs both scripts; a script that cannot be read counts as empty.
SettingsModel readSettingsModel(const TConfig& config);

// Whether another action or command of either player is bound to the same key or button as this action
// of this player (0 or 1). An unbound action shares nothing.
bool keyShared(const SettingsModel& model, int player, int32_t action);

}  // namespace mv
