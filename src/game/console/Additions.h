#pragma once
// Settings for what the game adds to the classic rules. Each is a console command in the settings'
// form (a value sets it, no value answers with it); its 0 gives the classic behaviour, and "classic 1"
// sets every one of them to 0 at once ("classic 0" puts back the defaults). A fresh Settings holds the
// classic values; the main window puts the defaults in at start-up.

#include <cstdint>
#include <span>

#include "game/Globals.h"

namespace mv {

class TConsol;
struct CommandCall;

struct AdditionSetting {
  const char* name;  // the console command
  int32_t Settings::*field;
  int32_t defaultValue;  // what a player gets; the classic value is always 0
  int32_t minimum;
  int32_t maximum;
};

std::span<const AdditionSetting> additionSettings();

// The defaults (classic 0) or every addition off (classic 1).
void setClassic(Settings& settings, bool classic);

// Runs the line's command when it names an addition setting or "classic"; false when it does not.
bool runAdditionCommand(const std::string& word, const CommandCall& call);

}  // namespace mv
