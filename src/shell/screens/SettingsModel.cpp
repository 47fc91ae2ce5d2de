#include "shell/screens/SettingsModel.h"

#include <algorithm>
#include <exception>

#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Player.h"
#include "game/console/Config.h"
#include "game/console/Console.h"

namespace mv {
namespace {

bool sameKey(const BindRecord& a, const BindRecord& b) {
  return a.device == b.device && a.code == b.code;
}

bool unbound(const BindRecord& bind) {
  return bind.device == BindKeyboard && bind.code == 0;
}

}  // namespace

SettingsModel readSettingsModel(const TConfig& config) {
  const Globals& game = globals();
  GlobalsScope scope;
  Globals& g = scope.get();
  g.dataFolder = game.dataFolder;
  g.configFolder = game.configFolder;
  TConsol console;  // its own, so nothing the scripts say reaches the game's
  g.settings = game.settings;
  g.console = &console;
  TSpriteEngine root;
  g.player1 = new TPlayer(&root);
  g.player2 = new TPlayer(&root);
  try {
    console.runScript("autoexec.cfg");
  } catch (const std::exception&) {
    // Without autoexec.cfg a match starts unbound; so does the picture of it.
  }
  config.run(console);

  SettingsModel model;
  model.settings = g.settings;
  for (size_t i = 0; i < model.players.size(); ++i) {
    const TPlayer& p = *(i == 0 ? g.player1 : g.player2);
    model.players[i] = {p.binds, p.commandBindCount, p.sensivity, p.lookType, p.name};
  }
  return model;
}

bool keyShared(const SettingsModel& model, int player, int32_t action) {
  const BindRecord& bind = model.players[static_cast<size_t>(player)].binds[static_cast<size_t>(action)];
  if (unbound(bind)) return false;
  for (size_t p = 0; p < model.players.size(); ++p) {
    const PlayerSetup& other = model.players[p];
    const int32_t used = kActionSlots + std::clamp<int32_t>(other.commandBindCount, 0, kCommandBindSlots);
    for (int32_t slot = 0; slot < used; ++slot) {
      if (static_cast<int>(p) == player && slot == action) continue;
      if (sameKey(other.binds[static_cast<size_t>(slot)], bind)) return true;
    }
  }
  return false;
}

}  // namespace mv
