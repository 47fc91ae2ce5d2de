// The menu screens: what each one shows, what its controls do, and the switching between them.
#include <array>

#include "platform/Cp1251.h"
#include "game/Version.h"
#include "shell/MainForm.h"
#include "shell/MatchTexts.h"

namespace mv {

namespace {

// Captions are written readably here and kept in the game's code page.
std::string ru(const char* utf8) {
  return utf8ToCp1251(utf8);
}

constexpr int32_t kAutoTop = 0;

const std::array<const char*, 15> kCredits = {
    kVersionTitle,
    "http://mashvolt.example.net",
    "Игра бесплатная: копируйте и дарите друзьям.",
    "Код, графика и звук: команда Mashvolt",
    "team@mashvolt.example.net",
    "===АЛГОРИТМЫ&AI===",
    "Боты, физика и оружие: команда Mashvolt",
    "Боты сами выбирают цель, оружие и дорогу",
    "===КАРТЫ&СОВЕТЫ:)===",
    "Свои карты кладите в папку Maps (*.lvx)",
    "===BETA TESTERS===",
    "Все, кто играл в первые версии по сети общежития",
    "и присылал отчёты об ошибках",
    "Пишите: team@mashvolt.example.net",
    "Спасибо, что играете!",
};

}  // namespace

void TMainForm::buildScreen(ScreenState screen) {
  switch (screen) {
    case MainMenu:
      SpriteEngine.engine.x = SpriteEngine.engine.y = 0;
      widgets.addButton(ru("Начать игру"), kAutoTop, [this](TDXButton&) { showScreen(NewGame); });
      menuOffersNetPlay_ = state().settings.netPlay != 0;
      if (menuOffersNetPlay_)
        widgets.addButton(ru("Сетевая игра"), kAutoTop, [this](TDXButton&) { showScreen(NetGame); });
      widgets.addButton(ru("Настройки"), kAutoTop, [this](TDXButton&) {
        if (state().settings.settingsScreen)
          showScreen(SettingsMenu);
        else
          showMessage(ru("Извините, пока недоступно."));
      });
      widgets.addButton(ru("Об игре"), kAutoTop, [this](TDXButton&) { showScreen(Credits); });
      widgets.addButton(ru("Выход"), kAutoTop, [this](TDXButton&) { close(); });
      break;
    case NewGame:
      widgets.addLabel(ru("Количество ботов :"), 100);
      widgets.addNumberEdit("1", true, 100);
      widgets.addLabel(ru("Сложность :"), 150);
      widgets.addNumberEdit("100", true, 100);
      widgets.addButton(ru("Начать матч"), kAutoTop, [this](TDXButton&) {
        // Without a level there is nothing to start: the button stays, inert.
        TDXImageListBox* list = widgets.mapList();
        if (!list || list->items.empty()) return;
        MatchSetup setup;
        setup.level = list->currentItem();
        setup.bots = parseBoundedNumber(widgets.edits()[0]->caption, widgets.edits()[0]->maxValue);
        setup.skill = parseBoundedNumber(widgets.edits()[1]->caption, widgets.edits()[1]->maxValue);
        setup.hotseat = widgets.checkBoxes()[0]->checked;
        if (widgets.edits().size() >= 4) {
          setup.fragLimit = parseBoundedNumber(widgets.edits()[2]->caption, widgets.edits()[2]->maxValue);
          setup.timeLimit = parseBoundedNumber(widgets.edits()[3]->caption, widgets.edits()[3]->maxValue);
        }
        rememberSetupChoices();
        matchStarter(setup);
      });
      widgets.addButton(ru("Назад"), kAutoTop, [this](TDXButton&) {
        rememberSetupChoices();
        showScreen(MainMenu);
      });
      addLimitFields();
      widgets.addCheckBox(10, 330, "Hotseat");
      widgets.addMapList(10, 100);
      widgets.onBack = [this] {
        rememberSetupChoices();
        showScreen(MainMenu);
      };
      restoreSetupChoices();
      break;
    case Credits:
      for (size_t k = 0; k < kCredits.size(); ++k)
        widgets.addLabel(ru(kCredits[k]), 100 + 30 * static_cast<int32_t>(k));
      widgets.addButton("Ok", 570, [this](TDXButton&) { showScreen(MainMenu); });
      widgets.onBack = [this] { showScreen(MainMenu); };
      break;
    case SettingsMenu:
      settingsScreen = std::make_unique<TSettingsScreen>(*this);
      settingsScreen->build(TSettingsScreen::PlayerOne);
      break;
    case PauseMenu:
      widgets.addButton(ru("Продолжить"), kAutoTop, [this](TDXButton&) { resumeMatch(); });
      widgets.addButton(ru("Главное меню"), kAutoTop, [this](TDXButton&) { returnToMainMenu(); });
      break;
    case MatchEnd:
      buildEndScreen();
      break;
    case Match:
      break;
    case NetGame:
    case NetHost:
    case NetLobby:
      buildNetScreen(screen);
      break;
  }
  state().screenState = screen;
}

void TMainForm::tearDownScreen() {
  Globals& g = state();
  switch (g.screenState) {
    case MainMenu:
    case NewGame:
    case Credits:
    case SettingsMenu:
    case NetGame:
    case NetHost:
    case NetLobby:
      widgets.hideWidgets();
      SpriteEngine.engine.clear();
      // Its widgets may be running its code: it goes with the next frame.
      if (settingsScreen) retiredSettings_ = std::move(settingsScreen);
      break;
    case Match:
      SpriteEngine.engine.x = SpriteEngine.engine.y = 0;
      // The match clears player1 and player2 as it goes; the sprite tree then takes every fighter,
      // shot, pick-up and effect with it, the level's background sprite included.
      matchOwner.reset();
      g.match = nullptr;
      g.player1 = g.player2 = nullptr;
      SpriteEngine.engine.clear();
      g.background = nullptr;
      break;
    case PauseMenu:
    case MatchEnd:
      widgets.hideWidgets();
      break;
  }
}

void TMainForm::addLimitFields() {
  // Limits are the game's own: the classic setup screen has none, and the match keeps the settings'.
  const Settings& settings = state().settings;
  if (settings.classic) return;
  widgets.addLabel(matchText(MatchText::FragLimit), 300);
  widgets.addNumberEdit(std::to_string(settings.fragLimit), true, 999);
  widgets.addLabel(matchText(MatchText::TimeLimit), 350);
  widgets.addNumberEdit(std::to_string(settings.timeLimit), true, 999);
}

void TMainForm::showScreen(ScreenState screen) {
  if (screen == state().screenState) return;
  tearDownScreen();
  buildScreen(screen);
}

void TMainForm::resumeMatch() {
  tearDownScreen();
  state().screenState = Match;
}

void TMainForm::returnToMainMenu() {
  closeNetPlay();
  tearDownScreen();
  state().screenState = Match;
  showScreen(MainMenu);
}

}  // namespace mv
