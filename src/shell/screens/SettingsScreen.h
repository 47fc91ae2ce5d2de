#pragma once
// The settings screen ("Настройки"): pages for each player's keys, aiming and name, for sound and the
// display, and for the game's settings, the rules' own and every addition of the registry. Each change
// runs as a console line at once and is kept in config.cfg.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/screens/SettingsModel.h"

namespace mv {

class TDXInput;
class TDXOptionRow;
class TDXWLabel;
class TMainForm;

class TSettingsScreen {
 public:
  enum Page : int { PlayerOne = 0, PlayerTwo, SoundAndDisplay, Game, PageCount };

  explicit TSettingsScreen(TMainForm& form);

  // Builds the page's widgets into the form's tables, which are empty.
  void build(Page page);
  Page page() const { return page_; }

  // A binding waiting for its key, button or pad button.
  bool capturing() const { return capture_.has_value(); }
  // The key pressed while a binding waits (a Windows virtual-key code). Esc gives the wait up; a key the
  // bindings have no name for is refused and the wait goes on.
  void captureKey(int key);
  // The mouse button pressed while a binding waits: 0 left, 1 right, 2 middle.
  void captureMouse(int button);
  // Once a frame: a joystick or pad button newly held while a binding waits is the one bound.
  void frame(const TDXInput& input);

  const SettingsModel& model() const { return model_; }
  // The line under the page: what the screen waits for, or which keys are bound twice.
  const std::string& hint() const { return hint_; }

 private:
  using ValueText = std::function<std::string(const SettingsModel&)>;

  // A line of the page: its value as the model tells it, shown again after every change.
  TDXOptionRow& addRow(const std::string& caption, int column, int row, ValueText value);
  // A number stepped within minimum .. maximum by step; line gives the console line for a value.
  void addNumber(const std::string& caption, int column, int row,
                 std::function<int32_t(const SettingsModel&)> get, int32_t minimum, int32_t maximum,
                 int32_t step, std::function<std::string(int32_t)> line,
                 std::function<std::string(int32_t)> text = nullptr);
  void buildPlayer(int player);
  void buildSoundAndDisplay();
  void buildGame();
  void bind(const std::string& keyName);
  // Runs the line, keeps it in config.cfg and shows the settings as they now are.
  void apply(const std::string& line);
  void refresh();

  TMainForm& form_;
  Page page_ = PlayerOne;
  int rowStep_ = 0;  // how far apart the page's lines stand
  SettingsModel model_;
  struct Capture {
    int player;
    int32_t action;
  };
  std::optional<Capture> capture_;
  bool refused_ = false;  // the last key pressed for the binding has no name
  TDXWLabel* hintLabel_ = nullptr;
  uint32_t joyButtonsBefore_ = 0;
  std::string hint_;
  std::vector<std::function<void()>> refreshers_;
};

}  // namespace mv
