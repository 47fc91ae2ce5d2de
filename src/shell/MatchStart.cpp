// Starting a match from a setup (the setup screen's choices or the command line's), and what happens
// when its level cannot be loaded.

#include <algorithm>
#include <map>
#include <memory>

#include "game/combatants/Bot.h"
#include "game/combatants/Player.h"
#include "game/console/Console.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "game/world/ScrollBackGround.h"
#include "platform/Cp1251.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

const std::string& text(const char* utf8) {
  // Each message is converted to the game's code page once.
  static std::map<const char*, std::string> converted;
  auto [it, added] = converted.try_emplace(utf8);
  if (added) it->second = utf8ToCp1251(utf8);
  return it->second;
}

}  // namespace

void TMainForm::startMatch(const MatchSetup& setup) {
  Globals& g = state();
  lastSetup_ = setup;
  showScreen(Match);
  matchOwner = std::make_unique<TMatch>();
  g.match = matchOwner.get();
  TConsol& console = *Console;
  console.addLine(text("Загрузка карты ") + setup.level + ".lvx" + "...");
  try {
    loadLevel(dataPath("Maps/" + setup.level + ".lvx"));
  } catch (const std::exception&) {
    // Nothing of the match may stay behind a level that did not load: back to the setup screen with
    // the same choices, then the error is reported like any other.
    abandonMatch();
    throw;
  }
  g.background = new TScrollBackGround(&SpriteEngine.engine);
  console.addLine(text("Создание игроков..."));
  TSpriteEngine& engine = SpriteEngine.engine;
  auto join = [&](TPlayer*& slot) {
    auto* player = new TPlayer(&engine);
    player->setModel("Doom");
    g.match->addFighter(player);
    slot = player;
  };
  join(g.player1);
  if (setup.hotseat) join(g.player2);
  for (int32_t i = 0; i < setup.bots; ++i) {
    auto* bot = new TBot(&engine);
    bot->laziness = static_cast<int8_t>(100 - std::clamp(setup.skill, 0, 100));
    g.match->addFighter(bot);
  }
  try {
    console.runScript("autoexec.cfg");
  } catch (const std::exception& e) {
    // A missing script keeps the match (its players are simply unbound); the error is still reported.
    reportError(e.what());
    return;
  }
  console.addLine(text("Игра начата."));
}

void TMainForm::abandonMatch() {
  Globals& g = state();
  tearDownScreen();
  g.screenState = NewGame;
  buildScreen(NewGame);
  // The setup screen comes back as the player left it.
  if (widgets.edits().size() >= 2) {
    widgets.edits()[0]->caption = std::to_string(lastSetup_.bots);
    widgets.edits()[1]->caption = std::to_string(lastSetup_.skill);
  }
  if (!widgets.checkBoxes().empty()) widgets.checkBoxes()[0]->checked = lastSetup_.hotseat;
  if (TDXImageListBox* list = widgets.mapList()) {
    for (size_t i = 0; i < list->items.size(); ++i) {
      if (list->items[i] != lastSetup_.level) continue;
      list->scrollBar.position = static_cast<int32_t>(i);
      list->selectedText = list->currentItem();
    }
  }
}

}  // namespace mv
