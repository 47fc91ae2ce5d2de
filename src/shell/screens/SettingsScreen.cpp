#include "shell/screens/SettingsScreen.h"

#include <algorithm>
#include <array>

#include "engine/draw/TextCanvas.h"
#include "engine/input/DXInput.h"
#include "game/console/Additions.h"
#include "game/console/Binds.h"
#include "game/console/KeyNames.h"
#include "platform/Cp1251.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

std::string ru(const char* utf8) {
  return utf8ToCp1251(utf8);
}

constexpr int kTabsTop = 92, kTabStep = 110, kTitleTop = 122, kRowsTop = 150, kRowStep = 26;
constexpr int kHintTop = 500, kBackTop = 540;
constexpr size_t kMaxName = 10;

// Where a column of rows stands: column 0 is the single column of a page, 1 and 2 the halves of a page
// of two.
struct Column {
  int x, width, valueLeft;
};
constexpr Column kColumns[] = {{190, 420, 250}, {20, 360, 235}, {400, 330, 215}};

constexpr std::array<const char*, TSettingsScreen::PageCount> kTabs = {"Игрок 1", "Игрок 2", "Звук, экран",
                                                                       "Игра"};
constexpr std::array<const char*, TSettingsScreen::PageCount> kTitles = {
    "Управление первого игрока", "Управление второго игрока (Hotseat)", "Звук и экран", "Игра"};
constexpr std::array<const char*, kActionSlots> kActions = {
    "Прыжок",           "Присесть",       "Шаг влево",   "Шаг вправо", "Огонь",
    "Следующее оружие", "Смотреть вдаль", "Прицел выше", "Прицел ниже"};

struct AdditionCaption {
  const char* name;
  const char* caption;
};
// Settings the registry gains later show under their command's name until they get a caption here.
constexpr AdditionCaption kAdditionCaptions[] = {
    {"fraglimit", "Лимит фрагов"},
    {"timelimit", "Лимит времени, мин"},
    {"killfeed", "Лента убийств"},
    {"deathinfo", "Кто убил и когда назад"},
    {"pickupmsg", "Сообщения о находках"},
    {"crosshair", "Перекрестие прицела"},
    {"pausestops", "Пауза останавливает"},
    {"menukeys", "Меню с клавиатуры"},
    {"rememberchoices", "Помнить выбор матча"},
    {"hotseatsound", "Звук для двоих"},
    {"fightercolors", "Цвета бойцов"},
    {"bannerinview", "Надписи в своём окне"},
    {"gamepad", "Геймпад"},
    {"listclick", "Карта по щелчку"},
    {"netplay", "Сетевая игра"},
};
// Turning this one off here would lock the screen away; the console still has it.
constexpr const char* kNotOnScreen = "settingsscreen";

std::string additionCaption(const char* name) {
  for (const AdditionCaption& c : kAdditionCaptions)
    if (std::string(c.name) == name) return ru(c.caption);
  return name;
}

std::string onOff(int32_t v) {
  return ru(v ? "вкл" : "выкл");
}

std::string prefixOf(int player) {
  return player == 1 ? "p2" : "";
}

}  // namespace

TSettingsScreen::TSettingsScreen(TMainForm& form) : form_(form) {}

void TSettingsScreen::build(Page page) {
  page_ = page;
  rowStep_ = kRowStep;
  capture_.reset();
  refreshers_.clear();
  TWidgets& w = form_.widgets;
  std::vector<TDXButton*> tabs;
  for (int p = 0; p < PageCount; ++p) {
    TDXImageButton& tab = w.addButton(ru(kTabs[static_cast<size_t>(p)]), kTabsTop, [this, p](TDXButton&) {
      form_.widgets.hideWidgets();
      build(static_cast<Page>(p));
    });
    tab.x = (w.displayWidth() - (PageCount - 1) * kTabStep - tab.width) / 2 + p * kTabStep;
    tabs.push_back(&tab);
  }
  w.addLabel(ru(kTitles[static_cast<size_t>(page)]), kTitleTop);
  model_ = readSettingsModel(form_.config);
  switch (page) {
    case PlayerOne:
    case PlayerTwo:
      buildPlayer(page == PlayerOne ? 0 : 1);
      break;
    case SoundAndDisplay:
      buildSoundAndDisplay();
      break;
    default:
      buildGame();
      break;
  }
  hintLabel_ = &w.addLabel("", kHintTop);
  auto back = [this] { form_.showScreen(MainMenu); };
  w.addButton(ru("Назад"), kBackTop, [back](TDXButton&) { back(); });
  w.onBack = back;
  w.focusOn(tabs[static_cast<size_t>(page)]);
  refresh();
}

TDXOptionRow& TSettingsScreen::addRow(const std::string& caption, int column, int row, ValueText value) {
  const Column& c = kColumns[column];
  TDXOptionRow& r = form_.widgets.addOption(caption, c.x, kRowsTop + row * rowStep_, c.width, c.valueLeft);
  TDXOptionRow* at = &r;
  refreshers_.push_back([this, at, value] { at->value = value(model_); });
  return r;
}

void TSettingsScreen::addNumber(const std::string& caption, int column, int row,
                                std::function<int32_t(const SettingsModel&)> get, int32_t minimum,
                                int32_t maximum, int32_t step, std::function<std::string(int32_t)> line,
                                std::function<std::string(int32_t)> text) {
  if (!text) text = [](int32_t v) { return std::to_string(v); };
  TDXOptionRow& r =
      addRow(caption, column, row, [get, text](const SettingsModel& m) { return text(get(m)); });
  r.onStep = [this, get, minimum, maximum, step, line](TDXButton&, int direction) {
    const int32_t now = get(model_);
    int32_t next;
    if (maximum - minimum + 1 <= 3) {
      // A choice of two or three goes round.
      const int32_t span = maximum - minimum + 1;
      next = minimum + ((now - minimum + direction) % span + span) % span;
    } else {
      // Larger steps land on their multiples.
      next = direction > 0 ? (now / step + 1) * step : ((now + step - 1) / step - 1) * step;
      next = std::clamp(next, minimum, maximum);
    }
    if (next != now) apply(line(next));
  };
}

void TSettingsScreen::buildPlayer(int player) {
  const std::string prefix = prefixOf(player);
  for (int32_t a = 0; a < kActionSlots; ++a) {
    TDXOptionRow& r =
        addRow(ru(kActions[static_cast<size_t>(a)]), 0, a, [this, player, a](const SettingsModel& m) {
          if (capture_ && capture_->player == player && capture_->action == a) return ru("нажмите...");
          const std::string name =
              bindKeyName(m.players[static_cast<size_t>(player)].binds[static_cast<size_t>(a)]);
          return name.empty() ? ru("нет") : name;
        });
    TDXOptionRow* at = &r;
    refreshers_.push_back([this, at, player, a] {
      at->warn =
          keyShared(model_, player, a) || (capture_ && capture_->player == player && capture_->action == a);
    });
    r.onClick = [this, player, a](TDXButton&) {
      capture_ = Capture{player, a};
      refused_ = false;
      joyButtonsBefore_ = form_.Input.Joystick.buttons;
      refresh();
    };
  }
  auto own = [player](const SettingsModel& m) -> const PlayerSetup& {
    return m.players[static_cast<size_t>(player)];
  };
  addNumber(
      ru("Чувствительность"), 0, kActionSlots, [own](const SettingsModel& m) { return own(m).sensivity; }, 1,
      999, 1, [prefix](int32_t v) { return prefix + "sensivity " + std::to_string(v); });
  addNumber(
      ru("Прицеливание"), 0, kActionSlots + 1, [own](const SettingsModel& m) { return own(m).lookType; }, 0,
      2, 1, [prefix](int32_t v) { return prefix + "looktype " + std::to_string(v); },
      [](int32_t v) {
        return ru(v == 0 ? "мышь" : v == 1 ? "джойстик" : "клавиши");
      });
  addRow(ru("Имя"), 0, kActionSlots + 2, [](const SettingsModel&) { return std::string(); });
  TDXWEdit& name = form_.widgets.addNumberEdit(own(model_).name, false, 0);
  const Column& c = kColumns[0];
  name.setLeft(c.x + c.valueLeft + (c.width - c.valueLeft - name.width) / 2);
  name.setTop(kRowsTop + (kActionSlots + 2) * kRowStep - 3);
  name.onChange = [this, prefix](TDXWEdit& edit) {
    if (edit.caption.size() > kMaxName) {
      edit.setText(edit.caption.substr(0, kMaxName));
      return;
    }
    // An empty name would be the question "name", not an answer.
    if (!edit.caption.empty()) apply(prefix + "name " + edit.caption);
  };
}

void TSettingsScreen::buildSoundAndDisplay() {
  addNumber(
      ru("Звук"), 0, 0, [](const SettingsModel& m) { return int32_t{m.settings.soundOn}; }, 0, 1, 1,
      [](int32_t v) { return "sound " + std::to_string(v); }, onOff);
  addNumber(
      ru("Громкость"), 0, 1, [](const SettingsModel& m) { return m.settings.volume; }, 0, 100, 5,
      [](int32_t v) { return "volume " + std::to_string(v); });
  addNumber(
      ru("Экран"), 0, 2, [this](const SettingsModel&) { return int32_t{form_.fullScreen()}; }, 0, 1, 1,
      [](int32_t v) { return "fullscreen " + std::to_string(v); },
      [](int32_t v) { return ru(v ? "полный экран" : "окно"); });
  addNumber(
      ru("Масштаб"), 0, 3, [this](const SettingsModel&) { return form_.scaling(); }, 0, 2, 1,
      [](int32_t v) { return "scaling " + std::to_string(v); },
      [](int32_t v) {
        return ru(v == 0 ? "чёткий" : v == 1 ? "ближайший" : "кратный");
      });
}

void TSettingsScreen::buildGame() {
  struct Flag {
    const char* caption;
    const char* command;
    uint8_t Settings::*field;
  };
  static constexpr Flag kFlags[] = {{"Показывать FPS", "drawfps", &Settings::drawFps},
                                    {"Качество", "quality", &Settings::quality},
                                    {"Без ошмётков", "meatoff", &Settings::meatOff}};
  // Two columns, as many lines in each as the page's settings need; more than fit close up.
  const int rows = static_cast<int>(std::size(kFlags)) + 1 + static_cast<int>(additionSettings().size()) - 1;
  const int perColumn = (rows + 1) / 2;
  rowStep_ = std::min(kRowStep, (kHintTop - kRowsTop) / std::max(perColumn, 1));
  int row = 0;
  auto next = [&row, perColumn](int& column, int& at) {
    column = row < perColumn ? 1 : 2;
    at = row % perColumn;
    ++row;
  };
  int column = 1, at = 0;
  for (const Flag& f : kFlags) {
    next(column, at);
    const std::string command = f.command;
    auto field = f.field;
    addNumber(
        ru(f.caption), column, at, [field](const SettingsModel& m) { return int32_t{m.settings.*field}; }, 0,
        1, 1, [command](int32_t v) { return command + " " + std::to_string(v); }, onOff);
  }
  next(column, at);
  addNumber(
      ru("Сообщения видны, мс"), column, at, [](const SettingsModel& m) { return m.settings.msgTime; }, 1,
      10000, 500, [](int32_t v) { return "msgtime " + std::to_string(v); });
  for (const AdditionSetting& s : additionSettings()) {
    if (std::string(s.name) == kNotOnScreen) continue;
    next(column, at);
    const std::string command = s.name;
    auto field = s.field;
    const bool flag = s.minimum == 0 && s.maximum == 1;
    addNumber(
        additionCaption(s.name), column, at, [field](const SettingsModel& m) { return m.settings.*field; },
        s.minimum, s.maximum, 1, [command](int32_t v) { return command + " " + std::to_string(v); },
        flag ? std::function<std::string(int32_t)>(onOff)
             : [](int32_t v) { return v == 0 ? ru("нет") : std::to_string(v); });
  }
}

void TSettingsScreen::captureKey(int key) {
  if (!capture_) return;
  if (key == 27) {
    capture_.reset();
    refresh();
    return;
  }
  BindRecord record;
  record.code = key;
  const std::string name = bindKeyName(record);
  if (name.empty()) {
    refused_ = true;
    refresh();
    return;
  }
  bind(name);
}

void TSettingsScreen::captureMouse(int button) {
  if (capture_ && button >= 0 && button <= 2) bind("MOUSE" + std::to_string(button));
}

void TSettingsScreen::frame(const TDXInput& input) {
  const uint32_t now = input.Joystick.buttons;
  const uint32_t pressed = now & ~joyButtonsBefore_;
  joyButtonsBefore_ = now;
  if (!capture_ || pressed == 0) return;
  // The names reach JOY9: a higher button has none.
  for (int b = 0; b <= 9; ++b) {
    if (!(pressed & (1u << b))) continue;
    bind("JOY" + std::to_string(b));
    return;
  }
}

void TSettingsScreen::bind(const std::string& keyName) {
  const Capture c = *capture_;
  capture_.reset();
  apply(prefixOf(c.player) + "bind " + keyName + " \"" + actionName(c.action) + "\"");
}

void TSettingsScreen::apply(const std::string& line) {
  form_.Console->runLine(line, nullptr);
  if (form_.config.set(line)) form_.saveConfig();
  refresh();
}

void TSettingsScreen::refresh() {
  model_ = readSettingsModel(form_.config);
  for (const auto& r : refreshers_) r();
  bool shared = false;
  if (page_ == PlayerOne || page_ == PlayerTwo)
    for (int32_t a = 0; a < kActionSlots; ++a) shared |= keyShared(model_, page_ == PlayerOne ? 0 : 1, a);
  if (capture_)
    hint_ = ru(refused_ ? "Эту клавишу назначить нельзя: выберите другую (Esc: отмена)."
                        : "Нажмите клавишу, кнопку мыши или геймпада (Esc: отмена).");
  else
    hint_ = shared ? ru("Оранжевым: клавиша назначена ещё на что-то.") : "";
  if (hintLabel_) form_.widgets.setLabelText(*hintLabel_, hint_);
}

}  // namespace mv
