// Starting a match from a setup (the setup screen's choices or the command line's), and what happens
// when its level cannot be loaded.

#include <algorithm>
#include <memory>

#include "game/combatants/Bot.h"
#include "game/combatants/FighterModels.h"
#include "game/combatants/Player.h"
#include "game/console/Console.h"
#include "game/console/ScriptFiles.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "game/world/ScrollBackGround.h"
#include "platform/Cp1251.h"
#include "shell/MainForm.h"

namespace mv {

void TMainForm::startMatch(const MatchSetup& setup) {
  Globals& g = state();
  lastSetup_ = setup;
  // A match still running goes first, sprites and all: nothing of it may join the new one.
  if (g.screenState == PauseMenu || g.screenState == MatchEnd) resumeMatch();
  if (setup.fragLimit) g.settings.fragLimit = *setup.fragLimit;
  if (setup.timeLimit) g.settings.timeLimit = *setup.timeLimit;
  matchFeed.clear();
  if (g.screenState == Match)
    tearDownScreen();
  else
    showScreen(Match);
  TConsol& console = *Console;
  try {
    matchOwner = std::make_unique<TMatch>();
    g.match = matchOwner.get();
    console.addLine(utf8ToCp1251("Загрузка карты ") + setup.level + ".lvx" + "...");
    loadLevel(findGameFile(dataPath("Maps/" + setup.level + ".lvx")));
    g.background = new TScrollBackGround(&SpriteEngine.engine);
    console.addLine(utf8ToCp1251("Создание игроков..."));
    TSpriteEngine& engine = SpriteEngine.engine;
    auto join = [&](TPlayer*& slot) {
      auto* player = new TPlayer(&engine);
      player->setModel("Doom");
      g.match->addFighter(player);
      slot = player;
    };
    if (setup.people.empty()) {
      join(g.player1);
      if (setup.hotseat) join(g.player2);
    } else {
      // Every machine makes the people's fighters in the same order; this machine's person is player 1,
      // whose view, status and sounds it shows.
      for (size_t i = 0; i < setup.people.size(); ++i) {
        TPlayer* person = nullptr;
        join(person);
        person->name = setup.people[i];
        if (static_cast<int32_t>(i) == setup.you) g.player1 = person;
      }
    }
    // Laziness is the other side of the skill, kept in 0 .. 100 so the stored byte never wraps.
    const auto laziness = static_cast<int8_t>(100 - std::clamp(setup.skill, 0, 100));
    for (int32_t i = 0; i < setup.bots; ++i) {
      auto* bot = new TBot(&engine);
      bot->laziness = laziness;
      g.match->addFighter(bot);
    }
    dressFighters(*g.match);
  } catch (const std::exception&) {
    // Nothing of a match that could not be built may stay behind (a frozen frame with no player): back
    // to the setup screen with the same choices, then the error is reported like any other.
    abandonMatch();
    throw;
  }
  bool scripted = true;
  try {
    console.runScript("autoexec.cfg");
  } catch (const std::exception& e) {
    // A missing script keeps the match (its players are simply unbound); the error is still reported.
    reportError(e.what());
    scripted = false;
  }
  // What the settings screen changed has the last word over the game's defaults.
  config.run(console);
  if (scripted) console.addLine(utf8ToCp1251("Игра начата."));
}

void TMainForm::abandonMatch() {
  tearDownScreen();
  buildScreen(NewGame);
  // The setup screen comes back as the player left it.
  if (widgets.edits().size() >= 2) {
    widgets.edits()[0]->caption = std::to_string(lastSetup_.bots);
    widgets.edits()[1]->caption = std::to_string(lastSetup_.skill);
  }
  if (!widgets.checkBoxes().empty()) widgets.checkBoxes()[0]->checked = lastSetup_.hotseat;
  if (TDXImageListBox* list = widgets.mapList()) list->select(lastSetup_.level);
}

}  // namespace mv
